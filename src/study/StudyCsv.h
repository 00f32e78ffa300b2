// The points of a study as a comma-separated table (RFC 4180): a header row, then one row per
// point, CR LF line ends, fields quoted where they hold a comma, a quote or a line end.
#pragma once

#include "study/Study.h"

#include <string>
#include <vector>

namespace velmora {

// Columns: the varied inputs by name, completed, message, the usage factor of each check by its
// name, "<check> permitted" for each, governing, passes, status, with `loadCaseNames` (those of
// the study's case) loadCase, the governing load case's name, then proportions, mass (kg/m). An
// absent value is an empty field; numbers are in invariant notation, the shortest that reads
// back.
std::string studyCsvText(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                         const std::vector<std::string>& loadCaseNames = {});

// Writes the table to `path` through a temporary file; an empty string, or the message
// "can't save file - " and the path (the old file stays as it was).
std::string writeStudyCsv(const std::string& path, const StudyGrid& grid,
                          const std::vector<StudyPoint>& points,
                          const std::vector<std::string>& loadCaseNames = {});

} // namespace velmora
