// The state the benchmarks start from: the new case with the delivered tables, calculated once.
#pragma once

#include "calc/Calc.h"
#include "calc/State.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"

#include <cstdlib>
#include <vector>

namespace velmora::bench {

inline State preparedState() {
    State st;
    newCase(st);
    if (!loadDataFiles(st, VELMORA_DATA_DIR).empty())
        std::abort();
    QuietNotifier nt;
    calcAll(st, nt);
    return st;
}

// The stringer case with its ring frame and the heavy ring frame, with six load cases over
// both design formats (operation, storm, transport, accidental, installation, test), the
// first selected, calculated once.
inline State sixLoadCaseState() {
    State st = preparedState();
    st.dc.heavyRingControl = 1;
    std::vector<LoadCase> list(6);
    const char* names[6] = {"Operation",  "Storm",        "Transport",
                            "Accidental", "Installation", "Test"};
    for (size_t i = 0; i < list.size(); ++i) {
        LoadCase& lc = list[i];
        lc.name = names[i];
        const float f = 1.0f + 0.1f * static_cast<float>(i);
        lc.designFormat = i % 2 == 1 ? DesignFormat::WSD : DesignFormat::LRFD;
        lc.UF = i % 2 == 1 ? 0.8f : 1.0f;
        lc.Sigx *= f;
        lc.Sigy *= f;
        lc.Tau *= f;
        lc.pd *= f;
    }
    setLoadCases(st.dc, list, 0);
    QuietNotifier nt;
    calcAll(st, nt);
    return st;
}

} // namespace velmora::bench
