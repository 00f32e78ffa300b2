// The buckling checks after DNV-RP-C202 and the design-stress step that precedes them. Each
// check reads the state and writes its results and panel rows; a floating-point fault raises
// CalcFault (checks/Fp.h) before the check publishes any panel text.
#pragma once

namespace velmora {

struct State;
class Notifier;

// Design stresses SigaSd, SighPd, SighSd and leo; a column case also replaces the inputs Sigx,
// Sigy and Tau. A ring-stiffened cylinder computes the ring-frame section for its area.
void designStresses(State& st, Notifier& nt);

// C * pi^2 E / (12 (1 - 0.3^2)) * (t / length)^2 with C = psi sqrt(1 + (rho xi / psi)^2).
double elasticStrength(const State& st, double psi, double xi, double rho, double length);

// gM, beta and UFallow for a shell check at slenderness `lamdas`.
void materialFactor(State& st, double lamdas);

// Ch 3.3.2: the curved panel between two stringers, panel width s.
void checkCurvedPanel(State& st);

// Ch 3.4.2: the shell between ring frames as an unstiffened cylinder of length l.
void checkUnstiffenedCylinder(State& st);

// Ch 3.8: the whole cylinder as a column under axial force and biaxial end moments.
void checkColumnBuckling(State& st);

// Ch 3.9 torsional buckling strength fT of the stiffener.
void torsionalBucklingStrength(State& st);
// The stiffener with its effective plate flange of width se.
void stiffenerEffectiveSection(State& st);
// Ch 3.6.3 panel stiffener buckling.
void checkStiffenerBuckling(State& st, Notifier& nt);

// Ch 3.9 limit of the ring frame's torsional buckling length; corrects ltRing with a warning.
void limitRingTorsionalLength(State& st, Notifier& nt);
// The ring frame with its effective shell flange of width le; sets r0 and rf.
void ringEffectiveSection(State& st);
// Torsional buckling strength fT of the ring frame.
void ringTorsionalStrength(State& st);
// Ch 3.5.2 panel ring buckling: area and moment-of-inertia requirements.
void checkPanelRing(State& st, Notifier& nt);
// One evaluation of the pressure ratio |pd / pRd| for the current Ih (special calculation of
// Ih, ch 3.5.2.7); returns the ratio.
double specialIhStep(State& st);
// Required moment of inertia of a heavy ring frame, row 12 of the panel-ring panel.
void checkHeavyRing(State& st);

} // namespace velmora
