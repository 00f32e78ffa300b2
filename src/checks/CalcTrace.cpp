#include "checks/CalcTrace.h"

#include "base/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace velmora {

std::string traceNumber(double v) {
    // A single (every input, and the results stored as singles) in its shortest digits:
    // -0.3, not -0.300000012.
    const bool inRange = std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
    const float f = inRange ? static_cast<float>(v) : 0.0f;
    if (inRange && static_cast<double>(f) == v) {
        char buf[32];
        const auto res = std::to_chars(buf, buf + sizeof buf, f, std::chars_format::scientific);
        if (res.ec == std::errc()) {
            int digits = 0;
            for (const char* c = buf; c != res.ptr && *c != 'e'; ++c)
                digits += *c >= '0' && *c <= '9' ? 1 : 0;
            return formatSignificant(v, std::min(digits, kTraceDigits));
        }
    }
    return formatSignificant(v, kTraceDigits);
}

namespace {

// `digits` significant digits, trailing zeros kept after the point ("296.307800"), so that the
// text says how many digits it carries.
std::string allDigits(double v, int digits) {
    std::string text = formatSignificant(v, digits);
    if (text.find_first_of(".e") == std::string::npos)
        return text;
    if (text.find('e') != std::string::npos)
        return text;
    int written = 0;
    bool leading = true;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        leading = leading && c == '0';
        written += leading ? 0 : 1;
    }
    return text + std::string(static_cast<size_t>(std::max(0, digits - written)), '0');
}

} // namespace

void CalcTrace::begin(std::string_view check, std::string_view group) {
    check_ = check;
    group_ = group;
}

void CalcTrace::add(std::string_view symbol, std::string_view pattern,
                    std::initializer_list<TraceTerm> terms, double value, std::string_view unit,
                    std::string_view ref, std::string branch) {
    TraceLine line;
    line.check = check_;
    line.group = group_;
    line.symbol = symbol;
    const TraceTerm* term = terms.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "{}") == 0 && term != terms.end()) {
            // A name that holds an operator ("s/l", "i^2") is one quantity: in parentheses.
            const bool compound = term->name.find_first_of(" /*+-^") != std::string_view::npos;
            line.formula +=
                compound ? "(" + std::string(term->name) + ")" : std::string(term->name);
            const std::string number =
                term->digits > 0 ? allDigits(term->value, term->digits) : traceNumber(term->value);
            line.expression += number[0] == '-' ? "(" + number + ")" : number;
            ++term;
            ++i;
            continue;
        }
        line.formula += pattern[i];
        line.expression += pattern[i];
    }
    line.value = value;
    line.unit = unit;
    line.ref = ref;
    line.branch = std::move(branch);
    lines.push_back(std::move(line));
}

void traceCompressive(CalcTrace& trace, const char* symbol, const char* name, double stress,
                      const char* testName, double testValue, double part, const char* ref) {
    const std::string test = std::string(testName) + " = " + traceNumber(testValue);
    if (testValue >= 0)
        trace.add(symbol, "0", {}, part, "MPa", ref,
                  test + " is not compressive, so " + symbol + " = 0");
    else
        trace.add(symbol, "-{}", {{name, stress}}, part, "MPa", ref,
                  test + " is compressive, so " + symbol + " = -" + name);
}

void traceVonMises(CalcTrace& trace, double SigaSd, double SighSd, double TauSd, double SigjSd,
                   const char* ref) {
    trace.add("SigjSd", "sqrt({}^2 - {} * {} + {}^2 + 3 * {}^2)",
              {{"SigaSd", SigaSd},
               {"SigaSd", SigaSd},
               {"SighSd", SighSd},
               {"SighSd", SighSd},
               {"TauSd", TauSd}},
              SigjSd, "MPa", ref);
}

} // namespace velmora
