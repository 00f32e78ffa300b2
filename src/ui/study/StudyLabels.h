// What the study window calls the inputs and checks of a design study: the unit and the axis
// title of an input by its study name, the title of a check, and numbers in the window's form.
#pragma once

#include "calc/State.h"
#include "study/Study.h"

#include <QString>

#include <string_view>

namespace velmora {

// "mm", "MPa", "kN", "kNm" or "" for an input without a unit (a factor, a table row).
QString studyInputUnit(std::string_view name);
// The input with its meaning and unit, as an axis title: "t, wall thickness (mm)".
QString studyInputTitle(std::string_view name);
// The input's name with its unit, as a column heading: "t (mm)".
QString studyInputHeading(std::string_view name);
// The check as the legend names it: "Shell buckling (shell)".
QString studyCheckTitle(StudyCheck check);
// Why a failing point fails, from StudyPoint::failure: "Shell buckling (shell) exceeds its
// permitted value", "a proportion check fails" or "the calculation stops".
QString studyFailureReason(const std::string& failure);

// A value of an input: the general form of the single the case stores.
QString studyValueText(float value, char sep);
// The values of a point's inputs: "t = 14 mm, l = 2500 mm"; a profile row with the profile of
// that row in the case's table: "ringRow = 3 (T250x90x10x15)".
QString studyInputsText(const State& st, const StudyGrid& grid, const std::vector<float>& values);

} // namespace velmora
