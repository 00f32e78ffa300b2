// The summary table: inputs and usage factors of every case row side by side.

#include "database/Summary.h"

#include "case/Notifier.h"
#include "case/State.h"
#include "database/Database.h"
#include "files/NumberText.h"

namespace velmora {

namespace G = SummaryGroup;

std::vector<std::string> summaryHeadings(const SummaryGroups& groups) {
    std::vector<std::string> h = {"Ident", "fyk", "r ", "l ", "t"};
    auto add = [&h](bool on, std::initializer_list<const char*> names) {
        if (on)
            h.insert(h.end(), names.begin(), names.end());
    };
    add(groups[G::StiffenerInputs], {"Stiff spac", "Stiff prof"});
    add(groups[G::RingInputs], {"Ring spac", "RIng prof "});
    add(groups[G::StressInputs], {"Sigx", "Sigy", "Tau"});
    add(true, {"pd"});
    add(groups[G::ColumnInputs], {"L", "N", "M1a", "M2a", "M1b", "M2b"});
    add(true, {"Shell UF ="});
    add(groups[G::StiffenerResults], {"Stiff UF ="});
    add(groups[G::RingResults], {"Ring Ax", "Ring Ix"});
    add(groups[G::ColumnResults], {"Column UF1 =", "Column UF2 ="});
    add(true, {"UFmax ="});
    return h;
}

std::string largestUsageFactor(const std::vector<std::pair<double, std::string>>& factors) {
    const std::pair<double, std::string>* best = nullptr;
    for (const auto& f : factors)
        if (!best || f.first > best->first)
            best = &f;
    return best ? best->second : std::string("0");
}

namespace {

// The cells of a case row; `above` gets the cells whose usage factor exceeds its permitted value.
std::vector<std::string> caseCells(const State& st, const DatabaseRow& row,
                                   const SummaryGroups& groups, bool completed,
                                   std::vector<size_t>& above) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    const char sep = st.decimalSep();
    auto f = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    const std::string na = "N/A";
    const bool stringer = dc.cylinderType == 2;
    const bool ring = dc.ringControl == 1;
    const bool column = dc.cylinderType == 3;

    std::vector<std::string> c;
    c.reserve(24);
    c.push_back(row.listText);
    c.push_back(formatGeneral(dc.fyp, sep));
    c.push_back(formatGeneral(dc.r, sep));
    c.push_back(formatGeneral(dc.l, sep));
    c.push_back(f(dc.t, "0.0"));
    if (groups[G::StiffenerInputs]) {
        c.push_back(stringer ? f(row.s, "0") : na);
        c.push_back(stringer ? row.stiff.designation : na);
    }
    if (groups[G::RingInputs]) {
        c.push_back(ring ? f(row.L, "0") : na);
        c.push_back(ring ? row.ring.designation : na);
    }
    if (groups[G::StressInputs])
        for (float v : {dc.Sigx, dc.Sigy, dc.Tau})
            c.push_back(column ? na : f(v, "0.0"));
    c.push_back(f(dc.pd, "0.000"));
    if (groups[G::ColumnInputs]) {
        c.push_back(column ? f(dc.L, "0") : na);
        for (float v : {dc.N, dc.M1a, dc.M2a, dc.M1b, dc.M2b})
            c.push_back(column ? f(v, "0.0") : na);
    }

    // Usage factors: the texts the checks wrote for the panels; after a stopped run the panels
    // hold another case's values, so the row shows "Error".
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
    auto factor = [&](bool shown, bool applies, double value, double permitted,
                      const std::string& text) {
        if (!shown || !applies) {
            // A group that is off or does not apply to the case counts as 0.
            if (shown)
                c.push_back(na);
            add(0.0, false, "0");
            return;
        }
        c.push_back(completed ? text : error);
        const bool exceeds = value > permitted;
        if (completed && exceeds)
            above.push_back(c.size() - 1);
        add(value, exceeds, text);
    };
    factor(true, true, res.shellUF, res.UFallow, res.shellPanel.value[10]);
    factor(groups[G::StiffenerResults], stringer, res.stiffUF, res.stiffUFallow,
           res.stiffPanel.value[13]);
    factor(groups[G::RingResults], ring, res.ringAreaUF, dc.UF, res.ringPanel.value[2]);
    factor(groups[G::RingResults], ring, res.ringInertiaUF, dc.UF, res.ringPanel.value[11]);
    factor(groups[G::ColumnResults], column, res.UF1, res.UFallow, res.columnPanel.value[13]);
    factor(groups[G::ColumnResults], column, res.UF2, res.UFallow, res.columnPanel.value[14]);
    c.push_back(completed ? largestUsageFactor(factors) : error);
    if (completed && largestAbove)
        above.push_back(c.size() - 1);
    return c;
}

} // namespace

SummaryTable buildSummaryTable(State& st, const SummaryGroups& groups,
                               const RowProgress& progress) {
    SummaryTable table;
    table.headings = summaryHeadings(groups);
    for (int i = 0; i <= st.db.lastRow; ++i) {
        if (progress)
            progress(i, st.db.lastRow);
        const DatabaseRow& row = st.db.rows[static_cast<size_t>(i)];
        if (row.isComment) {
            table.lines.push_back({row.listText});
            table.abovePermitted.emplace_back();
            continue;
        }
        RecordingNotifier nt;
        const bool completed = loadRowIntoCase(st, nt, i);
        std::vector<std::string> texts = nt.warnings();
        if (!completed && !texts.empty() && texts.back() == st.run.calcMessage)
            texts.pop_back();
        for (const std::string& w : texts)
            table.warnings.push_back({i, row.identification, w});
        if (!completed)
            table.stopped.push_back({i, row.identification, st.run.calcMessage});
        std::vector<size_t> above;
        table.lines.push_back(caseCells(st, row, groups, completed, above));
        table.abovePermitted.push_back(std::move(above));
    }
    return table;
}

} // namespace velmora
