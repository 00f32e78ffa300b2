#include "cli/CaseJson.h"

#include "base/NumberText.h"
#include "case/DesignCase.h"

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
            {"ring", profileJson(d.ring)}};
}

} // namespace velmora
