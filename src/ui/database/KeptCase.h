// The case of the main window kept aside while a batch run calculates the rows of the case
// database through it.
#pragma once

#include "calc/State.h"
#include "case/CaseResults.h"
#include "case/DesignCase.h"

#include <string>

namespace velmora {

// The case of the main window with its results, put back when the keeper goes out of scope. A
// batch run calculates every row by making it the current case; without this the window would
// go on showing one case while another was current, and the engineer's own case would be lost.
class KeptCase {
public:
    explicit KeptCase(State& st)
        : st_(st), dc_(st.dc), res_(st.res), calcMessage_(st.run.calcMessage),
          completed_(st.run.lastRunCompleted) {}
    ~KeptCase() {
        st_.dc = dc_;
        st_.res = res_;
        st_.run.calcMessage = calcMessage_;
        st_.run.lastRunCompleted = completed_;
    }
    KeptCase(const KeptCase&) = delete;
    KeptCase& operator=(const KeptCase&) = delete;

private:
    State& st_;
    DesignCase dc_;
    CaseResults res_;
    std::string calcMessage_;
    bool completed_;
};

} // namespace velmora
