// The state the benchmarks start from: the new case with the delivered tables, calculated once.
#pragma once

#include "calc/Calc.h"
#include "calc/State.h"
#include "case/Notifier.h"

#include <cstdlib>

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

} // namespace velmora::bench
