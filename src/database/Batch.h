// Batch calculation of a case database: every case row calculated with the same driver as the
// window, and the results file ("_out.csv") with one line per row.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmora {

struct State;
class Notifier;

// A message about one database row. `row` is the row index; the row is line row+1 of the
// database file.
struct RowMessage {
    int row = 0;
    std::string identification;
    std::string text;
};

// Told before each row of a batch is worked, with the row's index and the database's last row,
// so that a window can show how far a long run has come.
using RowProgress = std::function<void(int row, int lastRow)>;

// What a batch run left to report. Rows are calculated one after another; a row that stops does
// not stop the run, it is listed in `stopped` with its calcMessage. Warnings of the runs
// (corrected values and the like) and one message per field outside its input limits
// ("input out of limits: " and the field) are collected in `warnings` instead of being shown
// one by one. `error` is set when the results file could not be written.
struct BatchResult {
    std::string error;
    std::vector<RowMessage> stopped;
    std::vector<RowMessage> warnings;

    bool ok() const { return error.empty() && stopped.empty(); }
};

struct DatabaseRow;

// The row loop of the batch and the summary: every row 0..lastRow in turn, a case row loaded
// into the design case and calculated (its warnings collected, a stopped run listed with its
// calcMessage), then handed to the visitor with the state after its run and the outcome
// (`completed`); a comment row is handed over with `completed` null. A row's results can depend
// on what the rows before it left in the state (a check a row does not run keeps its last
// values), so the rows are worked one after another. Leaves the last case row in the design
// case.
using RowVisitor =
    std::function<void(const State& st, const DatabaseRow& row, const bool* completed)>;
void forEachCalculatedRow(State& st, const RowProgress& progress, const RowVisitor& visit,
                          std::vector<RowMessage>& stopped, std::vector<RowMessage>& warnings);

// Text of the results file for rows 0..lastRow of the database: the header from the current
// panel labels, then each row's line after it was loaded and calculated (Windows-1252, CR LF).
// A row whose run stopped shows "Error" in its result cells. Leaves the last case row in the
// design case.
std::string resultsFileText(State& st, std::vector<RowMessage>& stopped,
                            std::vector<RowMessage>& warnings, const RowProgress& progress = {});

// Calculates every row and writes the results file to `path` through a temporary file renamed
// over it, so that a failed write leaves the previous file as it was. The database itself is
// not changed.
BatchResult writeResultsFile(State& st, const std::string& path, const RowProgress& progress = {});

// One text listing every stopped row: " Calculation stopped in 2 rows: " followed by a line
// "Row 4 (Identification): message" per row, row numbers counted from 1 as the file lines.
std::string stoppedRowsMessage(const std::vector<RowMessage>& stopped);

// Names of the start-up database and its results file in the program folder.
inline constexpr const char* kStartupDatabase = "Velmora_Dnv_in.csv";
inline constexpr const char* kStartupResults = "Velmora_Dnv_out.csv";

struct StartupBatchResult {
    bool ran = false;  // the database was read and its results file written
    std::string error; // why the batch did not run (a missing or malformed file)
    BatchResult batch; // the rows that stopped and the warnings of the runs
    int shownRow = -1; // the case row left in the design case, -1 when none
};

// The last step of the start-up: reads the start-up database from `databaseDir`, writes its
// results file into `resultsDir`, then loads the first case row again so that the window opens
// on it. Failures are told through the notifier: "Error in databasefile" (with the file's line
// when the file was malformed), and one message listing the rows whose calculation stopped.
StartupBatchResult runStartupBatch(State& st, Notifier& nt, const std::string& databaseDir,
                                   const std::string& resultsDir);
// Both files in the program folder.
StartupBatchResult runStartupBatch(State& st, Notifier& nt, const std::string& programDir);

// The folder the start-up results file goes to: the program folder when a file can be created
// there, otherwise `userDataDir` (the user's application data folder, created when missing).
// An installed program whose folder the user cannot write thus still writes its results.
std::string startupResultsFolder(const std::string& programDir, const std::string& userDataDir);

} // namespace velmora
