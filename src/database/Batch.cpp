// The batch calculation of a database: every row loaded and calculated in turn, the results
// file written from the calculated rows, and the start-up batch.

#include "database/Batch.h"

#include "base/CodePage.h"
#include "base/FileIo.h"
#include "calc/DatabaseRows.h"
#include "calc/InputLimits.h"
#include "calc/State.h"
#include "case/Notifier.h"
#include "files/DatabaseFile.h"
#include "files/ResultsFile.h"

#include <filesystem>
#include <fstream>

namespace velmora {

void forEachCalculatedRow(State& st, const RowProgress& progress, const RowVisitor& visit,
                          std::vector<RowMessage>& stopped, std::vector<RowMessage>& warnings) {
    for (int i = 0; i <= st.db.lastRow; ++i) {
        if (progress)
            progress(i, st.db.lastRow);
        const DatabaseRow& row = st.db.rows[static_cast<size_t>(i)];
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

std::string resultsFileText(State& st, std::vector<RowMessage>& stopped,
                            std::vector<RowMessage>& warnings, const RowProgress& progress) {
    std::string text = utf8ToCp1252(resultsHeaderLine(st.res));
    text += "\r\n";
    text.reserve(text.size() * static_cast<size_t>(st.db.lastRow + 2));
    // Each line is converted to the file's code page as it is made.
    forEachCalculatedRow(
        st, progress,
        [&text](const State& s, const DatabaseRow& row, const bool* completed) {
            appendAsCp1252(text, completed
                                     ? resultsCaseLine(s.dc, s.res, row, *completed, s.decimalSep())
                                     : resultsCommentLine(row.listText));
            text += "\r\n";
        },
        stopped, warnings);
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
