// The batch calculation of a database: every row loaded and calculated in turn, the results
// file written from the calculated rows, and the start-up batch.

#include "database/Batch.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "base/Worker.h"
#include "calc/DatabaseRows.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "files/DatabaseFile.h"
#include "files/ResultsFile.h"

#include <array>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace velmora {

namespace {

// Loads and calculates the case rows first..last of `db` in `st`, handing every row to
// `visit` in turn. `db` is only read, so two states may work the rows of one database at once.
void calculateRows(State& st, const CaseDatabase& db, int first, int last,
                   const RowProgress& progress, const RowVisitor& visit,
                   std::vector<RowMessage>& stopped, std::vector<RowMessage>& warnings) {
    for (int i = first; i <= last; ++i) {
        if (progress)
            progress(i, db.lastRow);
        const DatabaseRow& row = db.rows[static_cast<size_t>(i)];
        if (row.isComment) {
            visit(st, row, nullptr);
            continue;
        }
        WarningCollector nt;
        const bool completed = loadRowIntoCase(st, nt, row);
        // The stopping run's own warning is its calcMessage; the others are warnings of the row.
        std::vector<std::string>& texts = nt.warnings;
        if (!completed && !texts.empty() && texts.back() == st.run.calcMessage)
            texts.pop_back();
        for (std::string& w : texts)
            warnings.push_back({i, row.identification, std::move(w)});
        // A value outside its limits is calculated as it stands; each such field is told.
        for (const std::string& v : violationTexts(st.dc, st.decimalSep()))
            warnings.push_back({i, row.identification, kInputOutOfLimits + v});
        if (!completed)
            stopped.push_back({i, row.identification, st.run.calcMessage});
        visit(st, row, &completed);
    }
}

// What a row's calculation reads of the state besides the row and the tables: the design case
// (the row sets most of it, not all), the results and panels (a check the row does not run,
// or one after a fault, keeps what it held) and the run state. Two states equal in these
// calculate every following row alike. They are compared by value, so a zero may differ in
// sign: no step tells those apart (a division by either zero faults, either root is zero, and
// either is shown as "0").
struct CarriedState {
    DesignCase dc;
    CaseResults res;
    RunState run;
    std::array<bool, 7> summaryGroups{};

    explicit CarriedState(const State& st)
        : dc(st.dc), res(st.res), run(st.run), summaryGroups(st.summaryGroups) {}
    bool sameAs(const State& st) const {
        return dc == st.dc && res == st.res && run == st.run && summaryGroups == st.summaryGroups;
    }
};

// Below this many rows a second thread costs more than it saves.
constexpr int kRowsForTwoThreads = 200;
// Rows the thread ahead calculates before its own part to take on the state the rows before
// leave: enough for every kind of case to come round in a database of mixed rows.
constexpr int kLeadInRows = 64;

} // namespace

bool forEachCalculatedRow(State& st, const RowProgress& progress,
                          const std::function<RowVisitor(int part)>& visitorOf,
                          std::vector<RowMessage>& stopped, std::vector<RowMessage>& warnings) {
    const int rows = st.db.lastRow + 1;
    const RowVisitor first = visitorOf(0);
    if (progress || rows < kRowsForTwoThreads || !severalCores()) {
        calculateRows(st, st.db, 0, st.db.lastRow, progress, first, stopped, warnings);
        return false;
    }
    const int split = (rows + kLeadInRows) / 2;
    const RowVisitor ahead = visitorOf(1);

    // Both threads read the one database; the copy of the state ahead leaves it out.
    CaseDatabase db = std::move(st.db);
    struct PutBack {
        State& st;
        CaseDatabase& db;
        ~PutBack() { st.db = std::move(db); }
    } putBack{st, db};
    State other = st;

    std::optional<CarriedState> atSplit;
    std::vector<RowMessage> aheadStopped;
    std::vector<RowMessage> aheadWarnings;
    std::exception_ptr aheadFault;
    // The work ahead catches everything, so that no exception leaves its thread.
    WorkerThread worker([&] {
        try {
            std::vector<RowMessage> leadInStopped;
            std::vector<RowMessage> leadInWarnings;
            calculateRows(
                other, db, split - kLeadInRows, split - 1, {},
                [](const State&, const DatabaseRow&, const bool*) {}, leadInStopped,
                leadInWarnings);
            atSplit.emplace(other);
            calculateRows(other, db, split, rows - 1, {}, ahead, aheadStopped, aheadWarnings);
        } catch (...) {
            aheadFault = std::current_exception();
        }
    });
    try {
        calculateRows(st, db, 0, split - 1, {}, first, stopped, warnings);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (aheadFault)
        std::rethrow_exception(aheadFault);

    if (!atSplit->sameAs(st)) {
        calculateRows(st, db, split, rows - 1, {}, first, stopped, warnings);
        return false;
    }
    std::move(aheadStopped.begin(), aheadStopped.end(), std::back_inserter(stopped));
    std::move(aheadWarnings.begin(), aheadWarnings.end(), std::back_inserter(warnings));
    st.dc = std::move(other.dc);
    st.res = std::move(other.res);
    st.run = std::move(other.run);
    st.summaryGroups = other.summaryGroups;
    return true;
}

std::string resultsFileText(State& st, std::vector<RowMessage>& stopped,
                            std::vector<RowMessage>& warnings, const RowProgress& progress) {
    std::string text = utf8ToCp1252(resultsHeaderLine(st.res));
    text += "\r\n";
    const size_t lineSize = text.size();
    const size_t rows = static_cast<size_t>(st.db.lastRow + 1);
    // The lines are converted to the file's code page one by one, by the thread that made them:
    // part 0 straight after the header, part 1 apart until it is known to count.
    std::string ahead;
    const bool both = forEachCalculatedRow(
        st, progress,
        [&](int part) -> RowVisitor {
            std::string& out = part == 0 ? text : ahead;
            out.reserve(out.size() + lineSize * (part == 0 ? rows : rows / 2));
            return [&out](const State& s, const DatabaseRow& row, const bool* completed) {
                appendAsCp1252(
                    out, completed ? resultsCaseLine(s.dc, s.res, row, *completed, s.decimalSep())
                                   : resultsCommentLine(row.listText));
                out += "\r\n";
            };
        },
        stopped, warnings);
    if (both)
        text += ahead;
    return text;
}

BatchResult writeResultsFile(State& st, const std::string& path, const RowProgress& progress) {
    BatchResult out;
    const std::string text = resultsFileText(st, out.stopped, out.warnings, progress);
    if (!writeFileAtomic(path, text))
        out.error = "can't save file - " + path;
    return out;
}

std::string stoppedRowsMessage(const std::vector<RowMessage>& stopped) {
    if (stopped.empty())
        return "";
    std::string text = " Calculation stopped in " + std::to_string(stopped.size()) +
                       (stopped.size() == 1 ? " row: " : " rows: ");
    for (const RowMessage& m : stopped)
        text += "\nRow " + std::to_string(m.row + 1) + " (" + m.identification + "): " + m.text;
    return text;
}

StartupBatchResult runStartupBatch(State& st, Notifier& nt, const std::string& databaseDir,
                                   const std::string& resultsDir) {
    StartupBatchResult out;
    const std::string inPath = (std::filesystem::path(databaseDir) / kStartupDatabase).string();
    const std::string outPath = (std::filesystem::path(resultsDir) / kStartupResults).string();

    const std::string error = readDatabaseFile(st, inPath);
    if (!error.empty()) {
        // Without the file the program simply starts on the new case; a malformed file also
        // names the line that failed.
        out.error = error;
        const bool missing = !std::filesystem::exists(inPath);
        nt.warn(missing ? std::string("Error in databasefile") : "Error in databasefile\n" + error);
        return out;
    }
    const int first = firstCaseRow(st.db);
    st.run.fileName = outPath;
    out.batch = writeResultsFile(st, outPath);
    if (!out.batch.error.empty()) {
        out.error = out.batch.error;
        nt.warn("Error in databasefile\n" + out.batch.error);
        return out;
    }
    out.ran = true;
    if (!out.batch.stopped.empty())
        nt.warn(stoppedRowsMessage(out.batch.stopped));
    // A database without any case row leaves the case as it was.
    if (first >= 0) {
        QuietNotifier quiet;
        loadRowIntoCase(st, quiet, first);
        out.shownRow = first;
    }
    return out;
}

StartupBatchResult runStartupBatch(State& st, Notifier& nt, const std::string& programDir) {
    return runStartupBatch(st, nt, programDir, programDir);
}

namespace {
// True when a new file can be created in `dir` (and removed again).
bool canCreateFileIn(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        return false;
    const std::filesystem::path probe = dir / ".Velmora_Dnv_out.probe";
    {
        std::ofstream f(probe, std::ios::binary | std::ios::trunc);
        if (!f)
            return false;
    }
    std::filesystem::remove(probe, ec);
    return true;
}
} // namespace

std::string startupResultsFolder(const std::string& programDir, const std::string& userDataDir) {
    if (canCreateFileIn(programDir) || userDataDir.empty())
        return programDir;
    std::error_code ec;
    std::filesystem::create_directories(userDataDir, ec);
    return userDataDir;
}

} // namespace velmora
