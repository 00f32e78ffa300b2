// The database of the state: its file, and the moves of one row to and from the current case.
#pragma once

#include "calc/Calc.h"

#include <string>

namespace velmora {

struct State;
struct DatabaseRow;
class Notifier;

// Reads `path` and, only when the whole file was read, replaces the database with it and sets
// databaseFileName. Returns "" or the message; a failed read changes nothing.
std::string readDatabaseFile(State& st, const std::string& path);

// Writes rows 0..lastRow to `path` through a temporary file renamed over it. Returns "" or the
// message; on failure the previous file is untouched and the database stays marked changed.
std::string writeDatabaseFile(State& st, const std::string& path);

// Stores the current design case in row `index` as a case row, makes row index+1 the marker
// "End" and sets lastRow to index+1, and marks the database changed. False (nothing changed)
// when index+1 is beyond the capacity or index is negative. The design case itself is not
// changed.
bool storeCaseInRow(State& st, int index);

// Copies case row `index` into the design case, makes its profile dimensions the current
// ones and calculates. Returns the outcome of the calculation run (false when it stopped; its
// message is in calcMessage and went to the notifier).
bool loadRowIntoCase(State& st, Notifier& nt, int index, const CalcOptions& options = {});
// The same for a case row given as such, which need not be one of the state's database (a
// comment row changes nothing and returns false).
bool loadRowIntoCase(State& st, Notifier& nt, const DatabaseRow& r,
                     const CalcOptions& options = {});

} // namespace velmora
