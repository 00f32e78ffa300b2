#include "json/CalcJson.h"

#include "calc/State.h"
#include "calc/Verdict.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "json/CaseJson.h"

namespace velmora {

using nlohmann::ordered_json;

namespace {

ordered_json panelJson(const ResultPanel& p) {
    ordered_json rows = ordered_json::array();
    for (int i = 0; i <= p.lineCount && i < 16; ++i)
        rows.push_back({{"label", p.label[i]}, {"value", p.value[i]}, {"unit", p.unit[i]}});
    return rows;
}

ordered_json sectionJson(const SectionProps& s) {
    return {{"A", s.A},   {"Aw", s.Aw}, {"Af", s.Af}, {"g", s.g},
            {"zc", s.zc}, {"Iy", s.Iy}, {"Iz", s.Iz}, {"hw", s.hw}};
}

// The checks a verdict weighs, each with its usage factor, permitted value and chapter.
ordered_json checksJson(const Verdict& v, const DesignCase& dc) {
    ordered_json checks = ordered_json::array();
    for (int c = 0; c < kCheckCount; ++c) {
        const CheckValue& value = v.checks[static_cast<size_t>(c)];
        if (!value.present)
            continue;
        const auto id = static_cast<CheckId>(c);
        checks.push_back({{"name", checkName(id)},
                          {"chapter", checkChapter(id, dc)},
                          {"uf", value.uf},
                          {"permitted", value.permitted},
                          {"passes", !value.exceeds()}});
    }
    return checks;
}

} // namespace

ordered_json verdictJson(const Verdict& v) {
    return {{"status", verdictStatusJson(v.status)},
            {"governing", v.governing ? ordered_json(checkName(*v.governing)) : ordered_json()},
            {"ratio", v.governing ? ordered_json(v.ratio) : ordered_json()},
            {"reasons", v.reasons}};
}

ordered_json caseVerdictJson(const Verdict& v) {
    ordered_json out = verdictJson(v);
    out["loadCase"] = v.loadCaseName;
    return out;
}

ordered_json calcJson(const State& st, const WarningCollector& nt) {
    const CaseResults& r = st.res;
    ordered_json out;
    out["case"] = caseJson(st.dc);
    out["panels"] = {{"shell", panelJson(r.shellPanel)},
                     {"stiffener", panelJson(r.stiffPanel)},
                     {"ring", panelJson(r.ringPanel)},
                     {"column", panelJson(r.columnPanel)}};
    ordered_json stiff = sectionJson(r.stiffSection);
    stiff["stiffProfileText"] = r.stiffProfileText;
    stiff["webCheckText"] = r.webCheckText;
    stiff["flangeCheckText"] = r.flangeCheckText;
    ordered_json ring = sectionJson(r.ringSection);
    ring["ringProfileText"] = r.ringProfileText;
    ring["ringWebCheckText"] = r.ringWebCheckText;
    ring["ringSlendernessCheckText"] = r.ringSlendernessCheckText;
    ring["ringFlangeCheckText"] = r.ringFlangeCheckText;
    ring["ringEccentricityCheckText"] = r.ringEccentricityCheckText;
    out["sections"] = {{"stiffener", stiff}, {"ring", ring}};
    out["slenderNote"] = r.slenderNote;
    out["messages"] = nt.warnings;
    out["completed"] = st.run.lastRunCompleted;
    const Verdict v = caseVerdict(st);
    out["checks"] = checksJson(v, st.dc);
    out["verdict"] = caseVerdictJson(v);
    ordered_json loadCases = ordered_json::array();
    for (int i = 0; i < loadCaseCount(st.dc); ++i) {
        const LoadCase lc = loadCaseAt(st.dc, i);
        const Verdict lv = loadCaseVerdict(st, i);
        loadCases.push_back({{"name", lc.name},
                             {"designFormat", codeNumber(lc.designFormat)},
                             {"UF", jsonSingle(lc.UF)},
                             {"selected", i == st.dc.selectedLoadCase},
                             {"checks", checksJson(lv, st.dc)},
                             {"verdict", verdictJson(lv)}});
    }
    out["loadCases"] = std::move(loadCases);
    return out;
}

} // namespace velmora
