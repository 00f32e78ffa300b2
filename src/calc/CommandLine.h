// The start of a program without a window (the command-line tool and its report helper): the
// decimal separator of the user's locale, the data folder, a new case and the tables.
#pragma once

#include <string>
#include <vector>

namespace velmora {

struct State;

// True when the user's locale (LC_NUMERIC) writes 1.1 as "1.1"; the C library's locale is left
// at "C" afterwards, so that nothing else reads numbers in the user's notation.
bool localeUsesDecimalPoint();

// A new case with the material and profile tables of `dataDir` (empty: beside the program or
// in its installed data folder), the locale's decimal separator and the data folder as
// currentDir. Returns one message per table that could not be read.
std::vector<std::string> prepareCommandLineState(State& st, const std::string& dataDir);

} // namespace velmora
