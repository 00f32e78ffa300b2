#include "report/CalcSheet.h"

#include "calc/Calc.h"
#include "calc/State.h"
#include "case/Notifier.h"

namespace velmora {

std::optional<std::string> makeCalcSheet(const State& st, CalcSheet& out) {
    if (std::optional<std::string> refusal = reportRefusal(st))
        return refusal;
    // The case run once more, with its trace, on a copy: the same routines on the same inputs.
    State copy;
    copy.dc = st.dc;
    copy.res = st.res;
    copy.run = st.run;
    copy.materials = st.materials;
    copy.profiles = st.profiles;
    QuietNotifier quiet;
    CalcTrace trace;
    CalcOptions options;
    options.trace = &trace;
    if (!calcAll(copy, quiet, options))
        return "The case was not calculated: " + copy.run.calcMessage;
    if (!(copy.res == st.res) || !(copy.dc == st.dc))
        return std::string("The case was not calculated: its results are not those of a new run");
    out.lines = std::move(trace.lines);
    out.verdict = caseVerdict(st);
    return std::nullopt;
}

std::optional<double> sheetUsageFactor(const CalcSheet& sheet, CheckId check) {
    const std::string name = checkName(check);
    const char* symbol = check == CheckId::Column1   ? "UF1"
                         : check == CheckId::Column2 ? "UF2"
                                                     : "UF";
    std::optional<double> uf;
    for (const TraceLine& line : sheet.lines)
        if (line.check == name && line.symbol == symbol)
            uf = line.value;
    return uf;
}

} // namespace velmora
