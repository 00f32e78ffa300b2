// The limits of the main window's input boxes as one table, whichever way a value comes in: typed
// into a box, read from a case file or a database row, or given to the command line. A value
// outside its limits is kept as it is; the boxes warn about it and the verdict of the case says
// so. Only the fields a case uses are held to their limits (the stiffener data only for a
// stringer-stiffened cylinder, and so on).
#pragma once

#include "case/DesignCase.h"

#include <span>
#include <string>
#include <vector>

namespace velmora {

// Which cases use a field.
enum class InputUse {
    Always,
    Stringer,          // stringer-stiffened cylinder: the stiffener data
    RingFrame,         // ring or stringer stiffened with the ring-frame check on
    Column,            // the column data
    RingFrameOrColumn, // L: the cylinder length of the ring-frame data or the column length
};

bool inputUsed(InputUse use, const DesignCase& dc);

// Ch 3.9 limit of the ring frame's torsional buckling length, pi sqrt(r h) with h = H - tf,
// in single precision; NaN when r h is negative.
float ringTorsionalLengthLimit(const DesignCase& dc);

// One limit of one field; a field with two limits has two rows, tested in table order.
enum class LimitId {
    UF,
    rMin,
    lMin,
    tMin,
    EMin,
    fyp,
    sMin,
    sAtMostR,
    ltStiffMin,
    fys,
    LMin,
    LAtLeastL, // the cylinder length at least the ring-frame distance
    ltRingMin,
    ltRingMax, // Ch 3.9: at most pi sqrt(r h)
    fyr,
    k1Min,
    k2Min,
};

struct InputLimit {
    LimitId id;
    const char* field; // the DesignCase field, named as in the case's JSON
    float DesignCase::*value;
    InputUse use;
    bool (*holds)(const DesignCase& dc);
    const char* text; // "t >= 0.1"
    // For a limit set by other inputs: its value for the case, and what it is called.
    double (*bound)(const DesignCase& dc) = nullptr;
    const char* boundText = nullptr;
};

// Every limit, in the order of the window's boxes.
std::span<const InputLimit> inputLimits();
const InputLimit& inputLimit(LimitId id);

// A field the case uses whose value lies outside a limit (its first failing one).
struct InputViolation {
    const InputLimit* limit = nullptr;
    float value = 0;
    double bound = 0; // the limit's value where other inputs set it
};

// Every field in use that lies outside its limits, in table order, one per field.
std::vector<InputViolation> inputViolations(const DesignCase& dc);
bool inputsWithinLimits(const DesignCase& dc);
// Every limit but `skipped` holds: with the skipped limit's own test, what inputsWithinLimits
// says. The load cases of a case differ only in their loads, which have no limits, and their UF,
// so their verdicts test the limits of the geometry once and each one's UF alone.
bool inputsWithinLimitsOtherThan(const DesignCase& dc, LimitId skipped);

// "t = 0.01, limit t >= 0.1"; a limit set by other inputs also gives its value ("s = 2000,
// limit s <= r, r = 1500").
std::string violationText(const InputViolation& v, char sep);
// One text per field outside its limits.
std::vector<std::string> violationTexts(const DesignCase& dc, char sep);

// How a message about such a field begins: "input out of limits: t = 0.01, limit t >= 0.1".
inline constexpr const char* kInputOutOfLimits = "input out of limits: ";

} // namespace velmora
