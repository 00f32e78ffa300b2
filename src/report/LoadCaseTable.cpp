#include "report/LoadCaseTable.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "case/LoadCases.h"

#include <utility>

namespace velmora {

std::vector<LoadCaseRow> loadCaseRows(const State& st) {
    const char sep = st.decimalSep();
    const std::vector<LoadCase> list = loadCases(st.dc);
    std::vector<LoadCaseRow> rows;
    rows.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const LoadCase& lc = list[i];
        const Verdict v = loadCaseVerdict(st, static_cast<int>(i));
        LoadCaseRow row;
        row.name = lc.name;
        row.format = lc.designFormat == DesignFormat::WSD
                         ? "WSD, n0 " + formatNumber(lc.UF, "0.00", sep)
                         : "LRFD, UF " + formatNumber(lc.UF, "0.00", sep);
        row.check = v.governing ? checkTitle(*v.governing) : "-";
        row.ratio = v.governing ? formatNumber(v.ratio, "0.00", sep) : "-";
        row.status = v.status;
        row.selected = static_cast<int>(i) == st.dc.selectedLoadCase;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace velmora
