// The steps of a calculation run on the state, each running one routine of the checks or
// sections and storing what it returned, as calcAll does. The profile dialogs and the readers
// use the section steps on their own.
#pragma once

#include "calc/Calc.h"

#include <cstdint>

namespace velmora {

struct State;
class Notifier;

// The stiffener (or ring frame) taken as `kind`: working dimensions, section properties,
// profile text and sketch, proportion texts, governing thickness and yield strength fys (fyr).
// A fault changes nothing.
void computeStiffenerSection(State& st, Notifier& nt, int16_t kind);
void computeRingSection(State& st, Notifier& nt, int16_t kind);

// Yield strengths looked up in the material table: the plate for thickness t, the stiffener
// and the ring frame for the governing thickness of the section computed last.
void lookupFyp(State& st);
void lookupFys(State& st);
void lookupFyr(State& st);

// Ch 3.9: corrects ltRing to just below pi sqrt(r h) with a warning when it exceeds it.
void limitRingTorsionalLength(State& st, Notifier& nt);

// Zl, leo and the design stresses; a ring-stiffened cylinder also gets its ring-frame section,
// a column case its replaced Sigx, Sigy and Tau.
void runDesignStresses(State& st, Notifier& nt, const CalcOptions& options = {});

// The shell checks: Ch 3.3.2 (curved panel) and Ch 3.4.2 (unstiffened cylinder, SigmSd 0).
void runCurvedPanel(State& st, const CalcOptions& options = {});
void runUnstiffenedCylinder(State& st, const CalcOptions& options = {});

// Ch 3.6.3 panel stiffener buckling with the stiffener section of the case.
void runStiffenerCheck(State& st, Notifier& nt, const CalcOptions& options = {});

// Ch 3.8 column buckling with its own Ch 3.4 shell check.
void runColumnCheck(State& st, const CalcOptions& options = {});

// Ch 3.5.2 panel ring buckling with the ring-frame section of the case.
void runPanelRing(State& st, Notifier& nt, const CalcOptions& options = {});

// The heavy ring-frame requirement; it reads the panel ring check of the same run.
void runHeavyRing(State& st, const CalcOptions& options = {});

} // namespace velmora
