// The inputs a design study varies and the grid of their values: a numeric field of the case by
// its name, or the table row of the stiffener or ring-frame profile, each over a range
// FROM:TO:STEP. Every value is stored in the case as the window stores a typed value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct State;
class Notifier;

// At most this many grid points in one study.
inline constexpr int64_t kMaxStudyPoints = 10'000'000;

// One varied input as the user gave it.
struct StudyRange {
    std::string name; // "t", "Sigx", "stiffRow", ...
    double from = 0;
    double to = 0;
    double step = 0;
};

// The names a study can vary, in the order of the case's input fields, the two profile rows
// last.
const std::vector<std::string_view>& studyInputNames();

// The value input `name` has in the case of `st`: the field as stored, or the row of the
// profile's table; none for an unknown name or a profile kind that takes no table row.
std::optional<double> studyInputValue(const State& st, std::string_view name);

// Reads "NAME=FROM:TO:STEP" (either "." or "," as the decimal separator). Returns an empty
// string, or a message saying what is wrong; `out` is changed only on success.
std::string parseStudyRange(std::string_view rangeText, StudyRange& out);

// A validated range and the number of its values: FROM, FROM + STEP, ... up to TO, TO included
// when the steps reach it.
struct StudyAxis {
    StudyRange range;
    int64_t count = 0;
    bool profileRow = false; // stiffRow or ringRow: whole row numbers

    // Value i as the case stores it: single precision, computed as FROM + i STEP (never by
    // adding steps up).
    float value(int64_t i) const;
};

// The full grid of all varied inputs. Point index runs with the last input fastest, as nested
// loops in the order the inputs were given.
struct StudyGrid {
    std::vector<StudyAxis> axes;

    int64_t size() const;
    // The input values of point `index`, one per axis.
    void values(int64_t index, std::vector<float>& out) const;
    std::vector<float> values(int64_t index) const;
};

// Checks the ranges against the case of `st` (unknown or repeated names, non-finite numbers, a
// step that is not positive, FROM above TO, profile rows that are not whole numbers, outside
// the table or of a profile kind that takes no table row, more than kMaxStudyPoints points).
// Returns an empty string and sets `out`, or returns the message of the first fault.
std::string makeStudyGrid(const State& st, const std::vector<StudyRange>& ranges, StudyGrid& out);

// A value of input `name` as the engineer reads it: the general form of the single, and for a
// profile row also the profile that row of the case's table holds: "17 (T300x100x10x15)".
std::string studyValueText(const State& st, std::string_view name, float value, char sep);

// Stores the values of one grid point in the case as the window's boxes and pickers do: a
// typed yield strength also makes its material the user-defined row of the material table (the
// only row whose box takes a typed value), a profile row selects that row of the profile's
// table and, where the calculation run does not compute that section itself, computes it as the
// picker does. The caller runs the calculation.
void applyStudyValues(State& st, Notifier& nt, const StudyGrid& grid,
                      const std::vector<float>& values);

} // namespace velmora
