// The summary table: inputs and usage factors of every case row side by side.

#include "database/Summary.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "calc/Verdict.h"
#include "files/DatabaseFile.h"

namespace velmora {

namespace G = SummaryGroup;

namespace {

constexpr int kAlways = -1;

using Cell = std::string (*)(const DesignCase& dc, const DatabaseRow& row, char sep);

struct InputColumn {
    const char* heading;
    int group; // the column group that shows it, kAlways for the columns always shown
    AppliesTo applies;
    Cell cell;
};

std::string oneDecimal(float v, char sep) {
    return formatNumber(v, "0.0", sep);
}

// The input columns in table order.
const InputColumn kInputs[] = {
    {"Ident", kAlways, AppliesTo::Always,
     [](const DesignCase&, const DatabaseRow& row, char) { return row.listText; }},
    {"fyk", kAlways, AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.fyp, sep); }},
    {"r ", kAlways, AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.r, sep); }},
    {"l ", kAlways, AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return formatGeneral(dc.l, sep); }},
    {"t", kAlways, AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.t, sep); }},
    {"Stiff spac", G::StiffenerInputs, AppliesTo::Stringer,
     [](const DesignCase&, const DatabaseRow& row, char sep) {
         return formatNumber(row.s, "0", sep);
     }},
    {"Stiff prof", G::StiffenerInputs, AppliesTo::Stringer,
     [](const DesignCase&, const DatabaseRow& row, char) { return row.stiff.designation; }},
    {"Ring spac", G::RingInputs, AppliesTo::Ring,
     [](const DesignCase&, const DatabaseRow& row, char sep) {
         return formatNumber(row.L, "0", sep);
     }},
    {"RIng prof ", G::RingInputs, AppliesTo::Ring,
     [](const DesignCase&, const DatabaseRow& row, char) { return row.ring.designation; }},
    {"Sigx", G::StressInputs, AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.Sigx, sep); }},
    {"Sigy", G::StressInputs, AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.Sigy, sep); }},
    {"Tau", G::StressInputs, AppliesTo::NotColumn,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.Tau, sep); }},
    {"pd", kAlways, AppliesTo::Always,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatNumber(dc.pd, "0.000", sep);
     }},
    {"L", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) {
         return formatNumber(dc.L, "0", sep);
     }},
    {"N", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.N, sep); }},
    {"M1a", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.M1a, sep); }},
    {"M2a", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.M2a, sep); }},
    {"M1b", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.M1b, sep); }},
    {"M2b", G::ColumnInputs, AppliesTo::Column,
     [](const DesignCase& dc, const DatabaseRow&, char sep) { return oneDecimal(dc.M2b, sep); }},
};

// A usage-factor column: the number compared for the largest one, the permitted value the
// panels compare it with, and the text the check wrote into its panel.
struct FactorColumn {
    const char* heading;
    int group;
    AppliesTo applies;
    double (*value)(const CaseResults& res);
    double (*permitted)(const DesignCase& dc, const CaseResults& res);
    ResultPanel CaseResults::*panel;
    size_t row;
};

double shellPermitted(const DesignCase&, const CaseResults& r) {
    return r.shellUFallow;
}
double columnPermitted(const DesignCase&, const CaseResults& r) {
    return r.UFallow;
}
double ringPermitted(const DesignCase& dc, const CaseResults&) {
    return dc.UF;
}

const FactorColumn kFactors[] = {
    {"Shell UF =", kAlways, AppliesTo::Always, [](const CaseResults& r) { return r.shellUF; },
     shellPermitted, &CaseResults::shellPanel, 10},
    {"Stiff UF =", G::StiffenerResults, AppliesTo::Stringer,
     [](const CaseResults& r) { return r.stiffUF; },
     [](const DesignCase&, const CaseResults& r) { return r.stiffUFallow; },
     &CaseResults::stiffPanel, 13},
    {"Ring Ax", G::RingResults, AppliesTo::Ring, [](const CaseResults& r) { return r.ringAreaUF; },
     ringPermitted, &CaseResults::ringPanel, 2},
    {"Ring Ix", G::RingResults, AppliesTo::Ring,
     [](const CaseResults& r) { return static_cast<double>(r.ringInertiaUF); }, ringPermitted,
     &CaseResults::ringPanel, 11},
    {"Column UF1 =", G::ColumnResults, AppliesTo::Column,
     [](const CaseResults& r) { return r.UF1; }, columnPermitted, &CaseResults::columnPanel, 13},
    {"Column UF2 =", G::ColumnResults, AppliesTo::Column,
     [](const CaseResults& r) { return r.UF2; }, columnPermitted, &CaseResults::columnPanel, 14},
};

bool shown(int group, const SummaryGroups& groups) {
    return group == kAlways || groups[static_cast<size_t>(group)];
}

// The cells of a case row; `above` gets the cells whose usage factor exceeds its permitted value.
std::vector<std::string> caseCells(const State& st, const DatabaseRow& row,
                                   const SummaryGroups& groups, bool completed,
                                   std::vector<size_t>& above) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    const char sep = st.decimalSep();
    const std::string na = "N/A";

    std::vector<std::string> c;
    c.reserve(24);
    for (const InputColumn& col : kInputs)
        if (shown(col.group, groups))
            c.push_back(applies(col.applies, dc) ? col.cell(dc, row, sep) : na);

    // Usage factors: the texts the checks wrote for the panels; after a stopped run the panels
    // hold another case's values, so the row shows "Error". A factor whose group is off or that
    // does not apply to the case counts as 0.
    const std::string error = "Error";
    std::vector<std::pair<double, std::string>> factors;
    // Whether the factor that "UFmax =" shows (the first of the largest) exceeds its own limit.
    bool largestAbove = false;
    auto add = [&](double value, bool exceeds, const std::string& text) {
        bool largest = true;
        for (const auto& earlier : factors)
            largest = largest && value > earlier.first;
        if (largest)
            largestAbove = exceeds;
        factors.emplace_back(value, text);
    };
    for (const FactorColumn& col : kFactors) {
        const bool isShown = shown(col.group, groups);
        if (!isShown || !applies(col.applies, dc)) {
            if (isShown)
                c.push_back(na);
            add(0.0, false, "0");
            continue;
        }
        const std::string& text = (res.*col.panel).value[col.row];
        c.push_back(completed ? text : error);
        const double value = col.value(res);
        const bool exceeds = value > col.permitted(dc, res);
        if (completed && exceeds)
            above.push_back(c.size() - 1);
        add(value, exceeds, text);
    }
    c.push_back(completed ? largestUsageFactor(factors) : error);
    if (completed && largestAbove)
        above.push_back(c.size() - 1);
    // The row's verdict, as the main window would show it for the case.
    c.push_back(verdictStatusText(verdictOfRun(st).status));
    return c;
}

} // namespace

std::vector<std::string> summaryHeadings(const SummaryGroups& groups) {
    std::vector<std::string> h;
    for (const InputColumn& col : kInputs)
        if (shown(col.group, groups))
            h.push_back(col.heading);
    for (const FactorColumn& col : kFactors)
        if (shown(col.group, groups))
            h.push_back(col.heading);
    h.push_back("UFmax =");
    h.push_back("Verdict");
    return h;
}

std::string largestUsageFactor(const std::vector<std::pair<double, std::string>>& factors) {
    const std::pair<double, std::string>* best = nullptr;
    for (const auto& f : factors)
        if (!best || f.first > best->first)
            best = &f;
    return best ? best->second : std::string("0");
}

SummaryTable buildSummaryTable(State& st, const SummaryGroups& groups,
                               const RowProgress& progress) {
    SummaryTable table;
    table.headings = summaryHeadings(groups);
    table.decimalSep = st.decimalSep();
    forEachCalculatedRow(
        st, progress,
        [&table, &groups](const State& s, const DatabaseRow& row, const bool* completed) {
            table.abovePermitted.emplace_back();
            if (completed)
                table.lines.push_back(
                    caseCells(s, row, groups, *completed, table.abovePermitted.back()));
            else
                table.lines.push_back({row.listText});
        },
        table.stopped, table.warnings);
    return table;
}

} // namespace velmora
