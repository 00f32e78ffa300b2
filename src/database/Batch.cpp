// The results file: the inputs of each case in words and numbers, then the texts of the four
// result panels after the case was calculated.

#include "database/Batch.h"

#include "case/Notifier.h"
#include "calc/State.h"
#include "database/Database.h"
#include "base/CodePage.h"
#include "base/NumberText.h"

#include <filesystem>
#include <fstream>

namespace velmora {

namespace {

const char* const kInputHeadings[] = {"Project",
                                      "Identification",
                                      "Design-method",
                                      "Allow/Basic Usage Factor",
                                      "Cylinder type",
                                      "Outside stiffeneing",
                                      "Ringframe control",
                                      "Heavy Ringframe control",
                                      "E - modulus",
                                      "Material-plate",
                                      "r",
                                      "l",
                                      "t",
                                      "s",
                                      "lt",
                                      "Stiff Prof",
                                      "Material-Stiff",
                                      "cyll",
                                      "gilt",
                                      "Ringfr Prof",
                                      "Material-Ringfr",
                                      "Fabrication",
                                      "Special Calc",
                                      "Sigx",
                                      "Sigy",
                                      "Tau",
                                      "pd",
                                      "L",
                                      "k1",
                                      "k2",
                                      "N",
                                      "M1a",
                                      "M2a",
                                      "M1b",
                                      "M2b",
                                      "Dim mom"};

const char* const kCylinderNames[] = {"Cylinder", "Ring stiff", "Stringer stiff", "Column"};

// Cells of one line, each followed by ";".
class Line {
public:
    void cell(const std::string& s) {
        for (char c : s)
            text_ += (c == ';') ? ',' : (c == '\r' || c == '\n') ? ' ' : c;
        text_ += ';';
    }
    void repeat(const char* s, int n) {
        for (int i = 0; i < n; ++i)
            cell(s);
    }
    std::string& text() { return text_; }

private:
    std::string text_;
};

void headerBlock(Line& line, const ResultPanel& p) {
    line.cell(p.label[0]);
    for (int i = 1; i <= p.lineCount && i < 16; ++i)
        line.cell(p.label[static_cast<size_t>(i)]);
}

// The header from the current panels, with the short labels of the results file.
std::string headerLine(const CaseResults& res) {
    Line line;
    for (const char* h : kInputHeadings)
        line.cell(h);
    ResultPanel shell = res.shellPanel;
    shell.label[0] = "Shell";
    shell.label[2] = "fEtau/fEm = ";
    shell.label[10] = "UF = ";
    ResultPanel stiff = res.stiffPanel;
    stiff.label[0] = "Stiffener";
    stiff.label[13] = "UF = ";
    ResultPanel ring = res.ringPanel;
    ring.label[0] = "Ringframe";
    ring.label[1] = "Area req";
    ring.label[2] = "UF = ";
    ring.label[3] = "Iy req";
    ring.label[11] = "UF =";
    ring.label[12] = "Ihr>= ";
    ResultPanel column = res.columnPanel;
    column.label[0] = "Column";
    headerBlock(line, shell);
    headerBlock(line, stiff);
    headerBlock(line, ring);
    headerBlock(line, column);
    line.text() += ';';
    return line.text();
}

// One result block: an empty cell under the title, then the panel's values; "Error" for each
// when the run stopped (the panels then still hold another case's values); `notApplicable`
// for each when the block does not apply to the case.
void resultBlock(Line& line, const ResultPanel& p, bool applies, bool completed,
                 const char* notApplicable) {
    line.cell("");
    const int n = p.lineCount < 16 ? p.lineCount : 15;
    for (int i = 1; i <= n; ++i) {
        if (!applies)
            line.cell(notApplicable);
        else if (!completed)
            line.cell("Error");
        else
            line.cell(p.value[static_cast<size_t>(i)]);
    }
}

std::string caseLine(const State& st, const DatabaseRow& row, bool completed) {
    const DesignCase& dc = st.dc;
    const CaseResults& res = st.res;
    const char sep = st.decimalSep();
    auto f = [sep](double v, const char* pattern) { return formatNumber(v, pattern, sep); };
    auto g = [sep](float v) { return formatGeneral(v, sep); };
    auto yesNo = [](int16_t v) { return std::string(v != 0 ? "Yes" : "No"); };

    Line line;
    line.cell(dc.projectName);
    line.cell(dc.identification);
    line.cell(dc.designFormat == 0 ? "LRFD" : "WSD");
    line.cell(f(dc.UF, "0.##"));
    line.cell(dc.cylinderType >= 0 && dc.cylinderType <= 3 ? kCylinderNames[dc.cylinderType] : "");
    line.cell(yesNo(dc.outsideStiffening));
    line.cell(yesNo(dc.ringControl));
    line.cell(dc.ringControl != 0 ? yesNo(dc.heavyRingControl) : "No");
    line.cell(f(dc.E, "00.0E+0"));
    line.cell(f(dc.fyp, "0"));
    line.cell(f(dc.r, "0"));
    line.cell(f(dc.l, "0"));
    line.cell(f(dc.t, "0.0"));
    if (dc.cylinderType == 2) {
        line.cell(f(dc.s, "0"));
        line.cell(f(dc.ltStiff, "0"));
        line.cell(row.stiff.designation);
        line.cell(f(dc.fys, "0"));
    } else {
        line.repeat("N/A", 4);
    }
    if (dc.ringControl == 1) {
        line.cell(f(dc.L, "0"));
        line.cell(f(dc.ltRing, "0"));
        line.cell(row.ring.designation);
        line.cell(f(dc.fyr, "0"));
        line.cell(dc.ringFabrication == 0 ? "Fab" : "Welded");
        line.cell(yesNo(dc.specialIh));
    } else {
        line.repeat("N/A", 6);
    }
    if (dc.cylinderType != 3) {
        line.cell(g(dc.Sigx));
        line.cell(g(dc.Sigy));
        line.cell(g(dc.Tau));
    } else {
        line.repeat("N/A", 3);
    }
    line.cell(g(dc.pd));
    if (dc.cylinderType == 3) {
        for (float v : {dc.L, dc.k1, dc.k2, dc.N, dc.M1a, dc.M2a, dc.M1b, dc.M2b})
            line.cell(g(v));
        line.cell(dc.dimMoment != 0 ? "Red" : "Max");
    } else {
        line.repeat("N/A", 9);
    }
    resultBlock(line, res.shellPanel, true, completed, "N/A");
    resultBlock(line, res.stiffPanel, dc.cylinderType == 2, completed, "N/A");
    resultBlock(line, res.ringPanel, dc.ringControl == 1, completed, "N/A");
    resultBlock(line, res.columnPanel, dc.cylinderType == 3, completed, " N/A");
    line.text() += ';';
    return line.text();
}

} // namespace

std::string resultsFileText(State& st, std::vector<RowMessage>& stopped,
                            std::vector<RowMessage>& warnings, const RowProgress& progress) {
    std::string utf8 = headerLine(st.res);
    utf8 += "\r\n";
    for (int i = 0; i <= st.db.lastRow; ++i) {
        if (progress)
            progress(i, st.db.lastRow);
        const DatabaseRow& row = st.db.rows[static_cast<size_t>(i)];
        if (row.isComment) {
            for (char c : row.listText)
                utf8 += (c == '\r' || c == '\n') ? ' ' : c;
            utf8 += "\r\n";
            continue;
        }
        RecordingNotifier nt;
        const bool completed = loadRowIntoCase(st, nt, i);
        // The stopping run's own warning is its calcMessage; the others are warnings of the row.
        std::vector<std::string> texts = nt.warnings();
        if (!completed && !texts.empty() && texts.back() == st.run.calcMessage)
            texts.pop_back();
        for (const std::string& w : texts)
            warnings.push_back({i, row.identification, w});
        if (!completed)
            stopped.push_back({i, row.identification, st.run.calcMessage});
        utf8 += caseLine(st, row, completed);
        utf8 += "\r\n";
    }
    return utf8ToCp1252(utf8);
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
        RecordingNotifier quiet;
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
