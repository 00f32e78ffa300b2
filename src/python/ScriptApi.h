// What the Python module does, in plain C++ on JSON text: cases as the JSON of json/CaseJson.h,
// results as the command line's --json prints them. Faults of the caller's input throw
// InputError (Python's ValueError), faults of files OSError's FileError; the messages are the
// command line's.
//
// Each call works on a state of its own, so calls from several Python threads never interfere.
// The study and batch calls come in two steps: the preparation reads the user's locale and the
// tables (while Python's interpreter lock is held, since the C library's locale is
// process-wide); the run touches nothing but its own state and may go on without the lock.
#pragma once

#include "calc/State.h"
#include "case/Notifier.h"
#include "study/Study.h"
#include "study/StudyInputs.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::script {

// A bad input name, range, case key or argument.
struct InputError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// A file that cannot be read or written, or does not hold what it should.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A new case with the tables of `dataDir` and the locale's decimal separator, as the command
// line prepares it; FileError naming each table that cannot be read. The C library's numeric
// locale is left as the caller had it.
State preparedState(const std::string& dataDir);

// A prepared state with the JSON case `caseJson` opened as the window opens a case (looked up,
// calculated); the run's messages go to `nt`. InputError for a bad key.
State openedState(const std::string& caseJson, const std::string& dataDir, Notifier& nt);

// A new case as `velmora-dnv-cli new` writes it (yield strengths looked up).
std::string newCase(const std::string& dataDir);
// The case of a case file (.cys) or JSON case (.json) as the file holds it: read over a new
// case, neither looked up nor calculated.
std::string readCase(const std::string& path, const std::string& dataDir);
// Writes the JSON case, read over a new case, to a case file, or a JSON case when `path` ends
// in ".json".
void writeCase(const std::string& caseJson, const std::string& path);
// What `calc --json` prints for the case.
std::string calc(const std::string& caseJson, const std::string& dataDir);

struct StudyArgs {
    std::string caseJson;
    std::vector<StudyRange> vary;
    std::vector<std::string> loadCases; // none: every load case
    bool proportions = false;
    unsigned threads = 0; // 0: one per core
    int top = 10;         // optimise
    std::string dataDir;
};

// The case of a study opened, restricted to its load cases and its grid made.
struct PreparedStudy {
    State st;
    StudyGrid grid;
    StudyArgs args;
};

PreparedStudy prepareStudy(const StudyArgs& args);
// What `sweep --json` and `optimise --json` print; none when `cancel` stopped the run. The
// threads are the study's; `progress` and `cancel` as in study/Study.h.
std::optional<std::string> runSweepJson(const PreparedStudy& study, StudyControl control = {});
std::optional<std::string> runOptimiseJson(const PreparedStudy& study, StudyControl control = {});

// Every row of the database file `path`: a list with, per row, "row" (the line of the file,
// from 1), "comment" (the text of a comment or marker row, else null) and "case" (the row's
// case as the window loads it into a new case, else null).
std::string readDatabase(const std::string& path, const std::string& dataDir);

// The database of `path` read into a prepared state.
State preparedDatabase(const std::string& path, const std::string& dataDir);
// The batch of the command line: every row calculated, the results file written to `outPath`.
// Returns {"rows": rows worked, "stopped": [...], "warnings": [...]}, each message with "row"
// (from 1), "identification" and "message"; FileError when the results file cannot be written.
std::string runBatch(State& st, const std::string& outPath);

} // namespace velmora::script
