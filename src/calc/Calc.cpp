#include "calc/Calc.h"

#include "case/Notifier.h"
#include "calc/State.h"
#include "checks/Checks.h"
#include "base/Fp.h"
#include "sections/Materials.h"

#include <cmath>
#include <exception>

namespace velmora {

namespace {

struct PanelSnapshot {
    ResultPanel shell, stiff, ring, column;
    bool slenderNote;

    explicit PanelSnapshot(const CaseResults& r)
        : shell(r.shellPanel), stiff(r.stiffPanel), ring(r.ringPanel), column(r.columnPanel),
          slenderNote(r.slenderNote) {}

    void restore(CaseResults& r) const {
        r.shellPanel = shell;
        r.stiffPanel = stiff;
        r.ringPanel = ring;
        r.columnPanel = column;
        r.slenderNote = slenderNote;
    }
};

void runChecks(State& st, Notifier& nt, std::string& step) {
    DesignCase& dc = st.dc;
    CaseResults& res = st.res;

    step = "Lateral torsional buckling length of the ring frame (Ch 3.9)";
    limitRingTorsionalLength(st, nt);

    step = "Design stresses";
    const double l = dc.l;
    res.Zl = fdiv(l * l, static_cast<double>(dc.r) * dc.t) * std::sqrt(1 - 0.3 * 0.3);
    designStresses(st, nt);
    lookupFyp(st);

    switch (dc.cylinderType) {
    case 0:
    case 1:
        step = "Shell Buckling (Ch 3.4.2)";
        res.SigmSd = 0;
        checkUnstiffenedCylinder(st);
        break;
    case 2:
        if (fdiv(dc.l, dc.s) < 1) {
            step = "Shell Buckling (Ch 3.4.2)";
            res.SigmSd = 0;
            checkUnstiffenedCylinder(st);
        } else {
            step = "Shell Buckling (Ch 3.3.2)";
            checkCurvedPanel(st);
        }
        break;
    default:
        break;
    }
    if (dc.cylinderType == 2) {
        step = "Stiffener Buckling (Ch 3.6.3)";
        checkStiffenerBuckling(st, nt);
    }
    if (dc.cylinderType == 3) {
        step = "Global Buckling (Ch 3.8)";
        checkColumnBuckling(st);
    }
    if (dc.ringControl == 1) {
        step = "Panel Ring Buckling (Ch 3.5.2)";
        checkPanelRing(st, nt);
    }
    if (dc.heavyRingControl == 1) {
        step = "Heavy ring frame";
        checkHeavyRing(st);
    }

    // A slender shell between stringers gets the note in the stiffener panel's place; the test
    // is made for every cylinder type.
    res.slenderNote = fdiv(dc.s, dc.t) > 3 * fsqrt(fdiv(dc.r, dc.t));
}

} // namespace

bool calcAll(State& st, Notifier& nt) {
    st.run.calcMessage.clear();
    const PanelSnapshot before(st.res);
    std::string step;
    std::string fault;
    try {
        runChecks(st, nt, step);
        st.run.lastRunCompleted = true;
        return true;
    } catch (const CalcFault& e) {
        fault = e.what();
    } catch (const std::exception& e) {
        fault = e.what();
    }
    // The run stopped: nothing of it reaches the panels. A check that knows why sets
    // calcMessage before the failing operation; otherwise say where and what failed rather
    // than showing an empty warning.
    before.restore(st.res);
    st.run.lastRunCompleted = false;
    if (st.run.calcMessage.empty())
        st.run.calcMessage = " Calculation terminated in " + step + ": " + fault + " ";
    nt.warn(st.run.calcMessage);
    return false;
}

} // namespace velmora
