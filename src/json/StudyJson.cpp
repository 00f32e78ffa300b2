#include "json/StudyJson.h"

#include "calc/State.h"
#include "case/LoadCases.h"
#include "study/Study.h"
#include "json/CaseJson.h"

namespace velmora {

using nlohmann::ordered_json;

namespace {

// The name of the point's governing load case.
std::string loadCaseName(const State& st, const StudyPoint& p) {
    return p.loadCase < loadCaseCount(st.dc) ? loadCaseAt(st.dc, p.loadCase).name : "";
}

ordered_json pointJson(const State& st, const StudyGrid& grid, const StudyPoint& p) {
    ordered_json inputs = ordered_json::object();
    for (size_t k = 0; k < grid.axes.size(); ++k)
        inputs[grid.axes[k].range.name] = jsonSingle(p.inputs[k]);
    ordered_json uf = ordered_json::object();
    ordered_json permitted = ordered_json::object();
    for (int c = 0; c < kStudyCheckCount; ++c) {
        const StudyCheckValue& v = p.checks[static_cast<size_t>(c)];
        if (!v.present)
            continue;
        uf[studyCheckName(static_cast<StudyCheck>(c))] = v.uf;
        permitted[studyCheckName(static_cast<StudyCheck>(c))] = v.permitted;
    }
    ordered_json out;
    out["inputs"] = inputs;
    out["completed"] = p.completed;
    out["message"] = p.message;
    out["uf"] = uf;
    out["permitted"] = permitted;
    out["governing"] = p.governing ? ordered_json(studyCheckName(*p.governing)) : ordered_json();
    out["loadCase"] = loadCaseName(st, p);
    out["passes"] = p.passes;
    out["status"] = verdictStatusJson(p.status);
    out["mass"] = p.completed ? ordered_json(p.mass) : ordered_json();
    return out;
}

} // namespace

ordered_json sweepJson(const State& st, const StudyGrid& grid, const SweepResult& r) {
    ordered_json out;
    out["case"] = caseJson(st.dc);
    ordered_json vary = ordered_json::array();
    for (const StudyAxis& a : grid.axes)
        vary.push_back({{"name", a.range.name},
                        {"from", a.range.from},
                        {"to", a.range.to},
                        {"step", a.range.step}});
    out["vary"] = vary;
    ordered_json points = ordered_json::array();
    for (const StudyPoint& p : r.points)
        points.push_back(pointJson(st, grid, p));
    out["points"] = std::move(points);
    ordered_json thresholds = ordered_json::array();
    for (const StudyThreshold& t : r.thresholds)
        thresholds.push_back({{"name", t.name},
                              {"between", {jsonSingle(t.between[0]), jsonSingle(t.between[1])}},
                              {"value", jsonSingle(t.value)},
                              {"governing", t.governing}});
    out["thresholds"] = thresholds;
    return out;
}

ordered_json lightestJson(const State& st, const StudyGrid& grid, const LightestResult& r) {
    ordered_json designs = ordered_json::array();
    for (const StudyPoint& p : r.designs)
        designs.push_back(pointJson(st, grid, p));
    ordered_json out;
    out["designs"] = std::move(designs);
    out["evaluated"] = r.evaluated;
    out["passing"] = r.passing;
    return out;
}

} // namespace velmora
