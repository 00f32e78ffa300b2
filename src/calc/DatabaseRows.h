// The database of the state: its file, and the moves of one row to and from the current case.
#pragma once

#include "calc/Calc.h"

#include <string>

namespace velmora {

struct State;
struct DatabaseRow;
struct CaseDatabase;
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

// Stores the case as one case row per load case from row `index` on, then the marker "End",
// and sets lastRow to it. A case with one load case is stored as storeCaseInRow stores it;
// with several, each row holds the case with one load case and is identified as the
// identification, " / " and the load-case name. False (nothing changed) when the rows and the
// marker do not fit or index is negative.
bool storeLoadCasesInRows(State& st, int index);

// Where "Add to Database" puts the case: in place of the final marker "End" (or "END"), or
// after the last row of a database that does not end in one.
int addToDatabaseIndex(const CaseDatabase& db);

// "Add to Database": storeLoadCasesInRows at addToDatabaseIndex.
bool addCaseToDatabase(State& st);

// Copies case row `index` into the design case (a case of one load case, "LC1"), makes its profile
// dimensions the current ones and calculates. Returns the outcome of the calculation run (false
// when it stopped; its message is in calcMessage and went to the notifier).
bool loadRowIntoCase(State& st, Notifier& nt, int index, const CalcOptions& options = {});
// The same for a case row given as such, which need not be one of the state's database (a
// comment row changes nothing and returns false).
bool loadRowIntoCase(State& st, Notifier& nt, const DatabaseRow& r,
                     const CalcOptions& options = {});

} // namespace velmora
