// The record of a calculation run step by step, for the calculation sheet: one line for every
// quantity a check computes, with the formula as the check evaluates it, the same formula with
// the run's own numbers put in, the result, its unit and the chapter it comes from. The checks
// take an optional trace; a run without one (every run but the sheet's) records nothing and
// computes exactly the same numbers.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TraceLine {
    std::string check;      // the check the line belongs to: "shell", "stiffener", ...
    std::string group;      // heading of the lines: "Shell buckling (Ch 3.3.2)"
    std::string symbol;     // "fEa", "lamdas", "gm", "UF"
    std::string formula;    // "fyp / sqrt(1 + lamdas^4)"
    std::string expression; // "355 / sqrt(1 + 0.9012345^4)": numbers, + - * / ^, (), functions
    double value = 0;       // the run's own value of the quantity
    std::string unit;       // "MPa", "mm", "mm4", "" for a ratio
    std::string ref;        // "Ch 3.3.2, Table 3-2"
    std::string branch;     // why a case of a rule applies, in words; empty for none

    bool operator==(const TraceLine&) const = default;
};

// A named quantity put into a formula: the name in the formula, its value in the expression.
struct TraceTerm {
    std::string_view name;
    double value = 0;
    int digits = 0; // significant digits where the shortest ones of a single are not enough
};

// Significant digits of the numbers on the sheet: enough to redo a line by hand even where it
// subtracts nearly equal numbers.
inline constexpr int kTraceDigits = 9;

// A number as the sheet writes it, with "." as decimal point: a value that is a single (the
// inputs, the results stored in single precision) in its shortest digits ("-0.3"), any other
// with 9 significant digits ("1090.97634").
std::string traceNumber(double v);

class CalcTrace {
public:
    // The check and heading of the lines that follow.
    void begin(std::string_view check, std::string_view group);

    // One line. `pattern` is the formula with "{}" in place of each term, in order: the formula
    // gets the terms' names, the expression their numbers (negative ones in parentheses).
    void add(std::string_view symbol, std::string_view pattern,
             std::initializer_list<TraceTerm> terms, double value, std::string_view unit,
             std::string_view ref, std::string branch = {});

    std::vector<TraceLine> lines;

private:
    std::string check_;
    std::string group_;
};

} // namespace velmora

namespace velmora {

// Lines the shell and stiffener checks share. The compressive part `symbol` of stress `name`
// that enters the slenderness: 0 where `testName` (the load it follows) is not compressive,
// -`name` where it is, with the case in words.
void traceCompressive(CalcTrace& trace, const char* symbol, const char* name, double stress,
                      const char* testName, double testValue, double part, const char* ref);
// The von Mises design stress of axial and hoop stress and shear, without bending.
void traceVonMises(CalcTrace& trace, double SigaSd, double SighSd, double TauSd, double SigjSd,
                   const char* ref);

// Adds the line to `trace` when there is one.
inline void traceAdd(CalcTrace* trace, std::string_view symbol, std::string_view pattern,
                     std::initializer_list<TraceTerm> terms, double value, std::string_view unit,
                     std::string_view ref) {
    if (trace)
        trace->add(symbol, pattern, terms, value, unit, ref);
}

} // namespace velmora
