#include "json/CaseJson.h"

#include "base/NumberText.h"
#include "case/DesignCase.h"
#include "case/LoadCases.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace velmora {

using nlohmann::ordered_json;

namespace {
constexpr auto jf = jsonSingle;
} // namespace

double jsonSingle(float v) {
    return std::stod(formatInvariant(v));
}

ordered_json profileJson(const ProfileRecord& p) {
    ordered_json saved = ordered_json::array();
    for (const auto& s : p.saved)
        saved.push_back(
            {{"H", jf(s.H)}, {"B", jf(s.B)}, {"a", jf(s.a)}, {"tw", jf(s.tw)}, {"tf", jf(s.tf)}});
    return {{"kind", p.kind}, {"H", jf(p.H)},   {"B", jf(p.B)},         {"a", jf(p.a)},
            {"tw", jf(p.tw)}, {"tf", jf(p.tf)}, {"Ro", jf(p.Ro)},       {"Ri", jf(p.Ri)},
            {"rowL", p.rowL}, {"rowT", p.rowT}, {"rowFlat", p.rowFlat}, {"rowBulb", p.rowBulb},
            {"saved", saved}};
}

namespace {

ordered_json loadCasesJson(const DesignCase& d) {
    ordered_json list = ordered_json::array();
    for (const LoadCase& lc : loadCases(d))
        list.push_back({{"name", lc.name},
                        {"designFormat", codeNumber(lc.designFormat)},
                        {"UF", jf(lc.UF)},
                        {"Sigx", jf(lc.Sigx)},
                        {"Sigy", jf(lc.Sigy)},
                        {"Tau", jf(lc.Tau)},
                        {"pd", jf(lc.pd)},
                        {"N", jf(lc.N)},
                        {"M1a", jf(lc.M1a)},
                        {"M1b", jf(lc.M1b)},
                        {"M2a", jf(lc.M2a)},
                        {"M2b", jf(lc.M2b)}});
    return list;
}

} // namespace

ordered_json caseJson(const DesignCase& d) {
    return {{"projectName", d.projectName},
            {"identification", d.identification},
            {"designFormat", codeNumber(d.designFormat)},
            {"UF", jf(d.UF)},
            {"cylinderType", codeNumber(d.cylinderType)},
            {"ringControl", d.ringControl},
            {"heavyRingControl", d.heavyRingControl},
            {"outsideStiffening", d.outsideStiffening},
            {"specialIh", d.specialIh},
            {"ringFabrication", d.ringFabrication},
            {"dimMoment", d.dimMoment},
            {"fixedFlag", d.fixedFlag},
            {"spareFlag", d.spareFlag},
            {"r", jf(d.r)},
            {"t", jf(d.t)},
            {"l", jf(d.l)},
            {"L", jf(d.L)},
            {"s", jf(d.s)},
            {"ltStiff", jf(d.ltStiff)},
            {"ltRing", jf(d.ltRing)},
            {"plateMaterial", d.plateMaterial},
            {"stiffMaterial", d.stiffMaterial},
            {"ringMaterial", d.ringMaterial},
            {"fyp", jf(d.fyp)},
            {"fys", jf(d.fys)},
            {"fyr", jf(d.fyr)},
            {"E", jf(d.E)},
            {"Sigx", jf(d.Sigx)},
            {"Sigy", jf(d.Sigy)},
            {"Tau", jf(d.Tau)},
            {"pd", jf(d.pd)},
            {"N", jf(d.N)},
            {"M1a", jf(d.M1a)},
            {"M1b", jf(d.M1b)},
            {"M2a", jf(d.M2a)},
            {"M2b", jf(d.M2b)},
            {"k1", jf(d.k1)},
            {"k2", jf(d.k2)},
            {"stiff", profileJson(d.stiff)},
            {"ring", profileJson(d.ring)},
            {"selectedLoadCase", d.selectedLoadCase},
            {"loadCases", loadCasesJson(d)}};
}

namespace {

// A key that is wrong, with its path and why.
struct JsonRefusal {
    std::string key;
    std::string why;
};

class JsonReader {
public:
    explicit JsonReader(std::string prefix = "") : prefix_(std::move(prefix)) {}

    std::string path(const std::string& key) const { return prefix_ + key; }

    [[noreturn]] void refuse(const std::string& key, const std::string& why) const {
        throw JsonRefusal{path(key), why};
    }

    // A single: a finite number within the range of a single.
    void number(const ordered_json& obj, const char* key, float& out) const {
        const auto it = obj.find(key);
        if (it == obj.end())
            return;
        if (!it->is_number())
            refuse(key, "not a number");
        const double v = it->get<double>();
        if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
            refuse(key, "not a finite number within the range of a single");
        out = static_cast<float>(v);
    }

    // A whole number from lo to hi.
    void integer(const ordered_json& obj, const char* key, int16_t& out, int lo = INT16_MIN,
                 int hi = INT16_MAX) const {
        int v = out;
        wholeNumber(obj, key, v, lo, hi);
        out = static_cast<int16_t>(v);
    }

    void wholeNumber(const ordered_json& obj, const char* key, int& out, int lo, int hi) const {
        const auto it = obj.find(key);
        if (it == obj.end())
            return;
        if (!it->is_number_integer())
            refuse(key, "not a whole number");
        const long long v = it->get<long long>();
        if (v < lo || v > hi)
            refuse(key, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
        out = static_cast<int>(v);
    }

    template <StoredCode Code>
    void code(const ordered_json& obj, const char* key, Code& out) const {
        int16_t n = codeNumber(out);
        integer(obj, key, n, 0, lastCodeNumber<Code>());
        out = *codeFromNumber<Code>(n);
    }

    void text(const ordered_json& obj, const char* key, std::string& out) const {
        const auto it = obj.find(key);
        if (it == obj.end())
            return;
        if (!it->is_string())
            refuse(key, "not a text");
        out = it->get<std::string>();
        if (out.find_first_of("\r\n") != std::string::npos)
            refuse(key, "a text of one line only");
    }

    // Refuses any key not in `known`: a misspelt key would otherwise be dropped unseen.
    void onlyKnown(const ordered_json& obj, std::initializer_list<const char*> known) const {
        for (auto it = obj.begin(); it != obj.end(); ++it) {
            bool found = false;
            for (const char* k : known)
                found = found || it.key() == k;
            if (!found)
                refuse(it.key(), "not a key of a case");
        }
    }

    const ordered_json* object(const ordered_json& obj, const char* key) const {
        const auto it = obj.find(key);
        if (it == obj.end())
            return nullptr;
        if (!it->is_object())
            refuse(key, "not an object");
        return &*it;
    }

private:
    std::string prefix_;
};

void readProfile(const ordered_json& obj, const std::string& prefix, ProfileRecord& p) {
    const JsonReader r(prefix + ".");
    r.onlyKnown(obj, {"kind", "H", "B", "a", "tw", "tf", "Ro", "Ri", "rowL", "rowT", "rowFlat",
                      "rowBulb", "saved"});
    r.integer(obj, "kind", p.kind, 0, ProfileKind::Count - 1);
    r.number(obj, "H", p.H);
    r.number(obj, "B", p.B);
    r.number(obj, "a", p.a);
    r.number(obj, "tw", p.tw);
    r.number(obj, "tf", p.tf);
    r.number(obj, "Ro", p.Ro);
    r.number(obj, "Ri", p.Ri);
    r.integer(obj, "rowL", p.rowL, 0);
    r.integer(obj, "rowT", p.rowT, 0);
    r.integer(obj, "rowFlat", p.rowFlat, 0);
    r.integer(obj, "rowBulb", p.rowBulb, 0);
    const auto saved = obj.find("saved");
    if (saved == obj.end())
        return;
    if (!saved->is_array() || saved->size() != p.saved.size())
        r.refuse("saved", "not a list of " + std::to_string(p.saved.size()) + " dimension sets");
    for (size_t k = 0; k < p.saved.size(); ++k) {
        const std::string at = prefix + ".saved[" + std::to_string(k) + "]";
        const ordered_json& set = (*saved)[k];
        if (!set.is_object())
            throw JsonRefusal{at, "not an object"};
        const JsonReader s(at + ".");
        s.onlyKnown(set, {"H", "B", "a", "tw", "tf"});
        s.number(set, "H", p.saved[k].H);
        s.number(set, "B", p.saved[k].B);
        s.number(set, "a", p.saved[k].a);
        s.number(set, "tw", p.saved[k].tw);
        s.number(set, "tf", p.saved[k].tf);
    }
}

// The loads of one load case (at the top of the case or in its list).
void readLoads(const JsonReader& r, const ordered_json& obj, LoadCase& lc) {
    r.code(obj, "designFormat", lc.designFormat);
    r.number(obj, "UF", lc.UF);
    r.number(obj, "Sigx", lc.Sigx);
    r.number(obj, "Sigy", lc.Sigy);
    r.number(obj, "Tau", lc.Tau);
    r.number(obj, "pd", lc.pd);
    r.number(obj, "N", lc.N);
    r.number(obj, "M1a", lc.M1a);
    r.number(obj, "M1b", lc.M1b);
    r.number(obj, "M2a", lc.M2a);
    r.number(obj, "M2b", lc.M2b);
}

constexpr const char* kLoadKeys[] = {"designFormat", "UF",  "Sigx", "Sigy", "Tau", "pd", "N",
                                     "M1a",          "M1b", "M2a",  "M2b"};

void readLoadCases(const ordered_json& obj, DesignCase& dc) {
    const JsonReader top;
    const auto list = obj.find("loadCases");
    LoadCase atTop = selectedLoadCase(dc);
    readLoads(top, obj, atTop);
    if (list == obj.end()) {
        top.text(obj, "loadCaseName", atTop.name);
        DesignCase unnamed;
        unnamed.loadCaseName.clear();
        if (const std::string problem = loadCaseNameProblem(unnamed, atTop.name); !problem.empty())
            top.refuse("loadCaseName", problem);
        keepSelectedLoadCaseOnly(dc);
        putLoadCase(dc, atTop);
        return;
    }
    if (!list->is_array() || list->empty() || list->size() > static_cast<size_t>(kMaxLoadCases))
        top.refuse("loadCases",
                   "not a list of 1 to " + std::to_string(kMaxLoadCases) + " load cases");
    int selected = 0;
    top.wholeNumber(obj, "selectedLoadCase", selected, 0, static_cast<int>(list->size()) - 1);
    std::vector<LoadCase> loadCases;
    DesignCase named;
    named.loadCaseName.clear();
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string at = "loadCases[" + std::to_string(i) + "]";
        const ordered_json& item = (*list)[i];
        if (!item.is_object())
            throw JsonRefusal{at, "not an object"};
        const JsonReader r(at + ".");
        r.onlyKnown(item, {"name", "designFormat", "UF", "Sigx", "Sigy", "Tau", "pd", "N", "M1a",
                           "M1b", "M2a", "M2b"});
        if (!item.contains("name"))
            r.refuse("name", "missing: every load case has a name");
        LoadCase lc;
        r.text(item, "name", lc.name);
        readLoads(r, item, lc);
        if (const std::string problem = loadCaseNameProblem(named, lc.name); !problem.empty())
            r.refuse("name", problem);
        if (i == 0)
            named.loadCaseName = lc.name;
        else
            named.otherLoadCases.push_back(lc);
        loadCases.push_back(lc);
    }
    // The loads at the top are the selected load case's: a script that changed them there and
    // not in the list would see its change dropped.
    const LoadCase& sel = loadCases[static_cast<size_t>(selected)];
    LoadCase topAsSelected = atTop;
    topAsSelected.name = sel.name;
    if (!(topAsSelected == sel))
        for (const char* key : kLoadKeys)
            if (obj.contains(key)) {
                LoadCase one = sel;
                readLoads(top, ordered_json{{key, obj[key]}}, one);
                if (!(one == sel))
                    top.refuse(key, "differs from the selected load case's in \"loadCases\"");
            }
    setLoadCases(dc, loadCases, selected);
}

} // namespace

std::string caseFromJson(const std::string& text, const DesignCase& base, DesignCase& out) {
    ordered_json doc = ordered_json::parse(text, nullptr, false);
    if (doc.is_discarded())
        return "not JSON: the text does not parse";
    if (doc.is_object() && doc.contains("case") && doc["case"].is_object())
        doc = ordered_json(doc["case"]);
    if (!doc.is_object())
        return "not a case: the JSON is not an object";
    DesignCase dc = base;
    try {
        const JsonReader r;
        r.onlyKnown(doc, {"projectName",
                          "identification",
                          "designFormat",
                          "UF",
                          "cylinderType",
                          "ringControl",
                          "heavyRingControl",
                          "outsideStiffening",
                          "specialIh",
                          "ringFabrication",
                          "dimMoment",
                          "fixedFlag",
                          "spareFlag",
                          "r",
                          "t",
                          "l",
                          "L",
                          "s",
                          "ltStiff",
                          "ltRing",
                          "plateMaterial",
                          "stiffMaterial",
                          "ringMaterial",
                          "fyp",
                          "fys",
                          "fyr",
                          "E",
                          "Sigx",
                          "Sigy",
                          "Tau",
                          "pd",
                          "N",
                          "M1a",
                          "M1b",
                          "M2a",
                          "M2b",
                          "k1",
                          "k2",
                          "stiff",
                          "ring",
                          "selectedLoadCase",
                          "loadCases",
                          "loadCaseName"});
        r.text(doc, "projectName", dc.projectName);
        r.text(doc, "identification", dc.identification);
        r.code(doc, "cylinderType", dc.cylinderType);
        r.integer(doc, "ringControl", dc.ringControl, 0, 1);
        r.integer(doc, "heavyRingControl", dc.heavyRingControl, 0, 1);
        r.integer(doc, "outsideStiffening", dc.outsideStiffening, 0, 1);
        r.integer(doc, "specialIh", dc.specialIh, 0, 1);
        r.integer(doc, "ringFabrication", dc.ringFabrication, 0, 1);
        r.integer(doc, "dimMoment", dc.dimMoment, 0, 1);
        r.integer(doc, "fixedFlag", dc.fixedFlag);
        r.integer(doc, "spareFlag", dc.spareFlag);
        r.number(doc, "r", dc.r);
        r.number(doc, "t", dc.t);
        r.number(doc, "l", dc.l);
        r.number(doc, "L", dc.L);
        r.number(doc, "s", dc.s);
        r.number(doc, "ltStiff", dc.ltStiff);
        r.number(doc, "ltRing", dc.ltRing);
        r.integer(doc, "plateMaterial", dc.plateMaterial, 0);
        r.integer(doc, "stiffMaterial", dc.stiffMaterial, 0);
        r.integer(doc, "ringMaterial", dc.ringMaterial, 0);
        r.number(doc, "fyp", dc.fyp);
        r.number(doc, "fys", dc.fys);
        r.number(doc, "fyr", dc.fyr);
        r.number(doc, "E", dc.E);
        r.number(doc, "k1", dc.k1);
        r.number(doc, "k2", dc.k2);
        if (const ordered_json* p = r.object(doc, "stiff"))
            readProfile(*p, "stiff", dc.stiff);
        if (const ordered_json* p = r.object(doc, "ring"))
            readProfile(*p, "ring", dc.ring);
        readLoadCases(doc, dc);
    } catch (const JsonRefusal& e) {
        return e.key + ": " + e.why;
    }
    // As a case file's reader: the heavy ring frame needs the ring-frame check.
    if (dc.ringControl == 0)
        dc.heavyRingControl = 0;
    dc.fixedFlag = 1;
    out = std::move(dc);
    return "";
}

} // namespace velmora
