// The case of the main window kept aside while a batch run calculates the rows of the case
// database through it.
#pragma once

#include "calc/State.h"
#include "case/CaseResults.h"
#include "case/DesignCase.h"

#include <utility>
#include <vector>

namespace velmora {

// The case of the main window with its results, put back when the keeper goes out of scope. A
// batch run calculates every row by making it the current case; without this the window would
// go on showing one case while another was current, and the engineer's own case would be lost.
// The whole run state comes back with it (the inputs of the last run, the panels it did not
// bring up to date, its message), and every load case's results: the verdict of the window and
// Print judge the case by them, and a row's run would leave them saying the inputs changed.
class KeptCase {
public:
    explicit KeptCase(State& st)
        : st_(st), dc_(st.dc), res_(st.res), run_(st.run), loadCases_(st.loadCaseResults) {}
    ~KeptCase() {
        st_.dc = std::move(dc_);
        st_.res = std::move(res_);
        st_.run = std::move(run_);
        st_.loadCaseResults = std::move(loadCases_);
    }
    KeptCase(const KeptCase&) = delete;
    KeptCase& operator=(const KeptCase&) = delete;

private:
    State& st_;
    DesignCase dc_;
    CaseResults res_;
    RunState run_;
    std::vector<LoadCaseResult> loadCases_;
};

} // namespace velmora
