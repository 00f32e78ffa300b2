#include "study/StudyCsv.h"

#include "base/FileIo.h"
#include "base/NumberText.h"

#include <cmath>

namespace velmora {

namespace {

void field(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void number(std::string& out, double v) {
    if (std::isfinite(v))
        out += formatShortest(v);
}

} // namespace

std::string studyCsvText(const StudyGrid& grid, const std::vector<StudyPoint>& points,
                         const std::vector<std::string>& loadCaseNames) {
    const bool named = !loadCaseNames.empty();
    std::string out;
    out.reserve(160 * (points.size() + 1));
    for (const StudyAxis& a : grid.axes) {
        field(out, a.range.name);
        out += ',';
    }
    out += "completed,message";
    for (int c = 0; c < kStudyCheckCount; ++c) {
        out += ',';
        out += studyCheckName(static_cast<StudyCheck>(c));
    }
    for (int c = 0; c < kStudyCheckCount; ++c) {
        out += ',';
        out += studyCheckName(static_cast<StudyCheck>(c));
        out += " permitted";
    }
    out += named ? ",governing,passes,status,loadCase,proportions,mass\r\n"
                 : ",governing,passes,status,proportions,mass\r\n";

    for (const StudyPoint& p : points) {
        for (float v : p.inputs) {
            out += formatInvariant(v);
            out += ',';
        }
        out += p.completed ? "true," : "false,";
        field(out, p.message);
        for (const StudyCheckValue& v : p.checks) {
            out += ',';
            if (v.present)
                number(out, v.uf);
        }
        for (const StudyCheckValue& v : p.checks) {
            out += ',';
            if (v.present)
                number(out, v.permitted);
        }
        out += ',';
        if (p.governing)
            out += studyCheckName(*p.governing);
        out += p.passes ? ",true," : ",false,";
        field(out, verdictStatusJson(p.status));
        out += ',';
        if (named) {
            if (p.loadCase >= 0 && static_cast<size_t>(p.loadCase) < loadCaseNames.size())
                field(out, loadCaseNames[static_cast<size_t>(p.loadCase)]);
            out += ',';
        }
        out += p.proportionsOk ? "true," : "false,";
        if (p.completed)
            number(out, p.mass);
        out += "\r\n";
    }
    return out;
}

std::string writeStudyCsv(const std::string& path, const StudyGrid& grid,
                          const std::vector<StudyPoint>& points,
                          const std::vector<std::string>& loadCaseNames) {
    if (!writeFileAtomic(path, studyCsvText(grid, points, loadCaseNames)))
        return "can't save file - " + path;
    return "";
}

} // namespace velmora
