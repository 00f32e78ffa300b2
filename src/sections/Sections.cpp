// Stiffener and ring-frame sections. Both routines share one path: the working dimensions from
// a table row or the saved built-up set, the governing thickness, the web height, flange
// outstand and eccentricity, the section properties and the profile description. They differ
// only in the profile record, the material look-up, the proportion checks they run and the
// texts they fill.
//
// Everything is first computed into local values; the state is written only when all the
// arithmetic has passed, so a section that faults (a zero divisor, an overflow) leaves the
// stored dimensions, properties, texts, governing thickness and yield strength as they were.

#include "sections/Sections.h"

#include "case/Notifier.h"
#include "calc/State.h"
#include "base/Fp.h"
#include "base/NumberText.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <cmath>
#include <optional>
#include <string>

namespace velmora {

namespace {

namespace PK = ProfileKind;

bool isLKind(int16_t k) {
    return k == PK::LTable || k == PK::LBuiltUp;
}
bool isTKind(int16_t k) {
    return k == PK::TTable || k == PK::TBuiltUp;
}
bool isFlatKind(int16_t k) {
    return k == PK::FlatTable || k == PK::FlatBuiltUp;
}

// Profiles with a flange: their web is checked as a flanged web (L, T, bulb flat, I).
bool isFlanged(int16_t k) {
    return isLKind(k) || isTKind(k) || k == PK::BulbFlat || k == PK::IBuiltUp;
}

// Profiles whose flange outstand is checked (the bulb's equivalent flange is not).
bool hasFlangeCheck(int16_t k) {
    return isLKind(k) || isTKind(k) || k == PK::IBuiltUp;
}

// How an I section's centroid and lateral inertia are taken. A stiffener I is treated as
// symmetric about mid-height; a ring-frame I is measured from its flange against the shell and
// also gets the flange's lateral inertia.
enum class IModel { MidHeight, FromShellFlange };

// Web height, flange outstand and eccentricity of the flange centre from the web centre line.
struct Working {
    double hw = 0;
    double bf = 0;
    double ef = 0;
};

// The outcome of one section before it is written into the state.
struct SectionWork {
    ProfileRecord rec; // the record with its new working dimensions
    Working w;
    SectionProps props;
    std::string profileText;
    float tGovern = 0;
};

// Where one section writes its results, and how it looks up its yield strength.
struct SectionTarget {
    ProfileRecord& rec;
    SectionProps& props;
    std::string& profileText;
    ProfileSketch& sketch;
    float& fy;
    void (*lookup)(State&);
    IModel iModel;
};

// Row of a table for a stored row index. An index that the loaded table does not have (a case
// made with other tables) falls back to row 0 with a warning, and the stored index is
// corrected. A table that was never loaded cannot give a section at all.
const ProfileRow& tableRow(const ProfileTable& table, int16_t& row, Notifier& nt) {
    const std::string file = tableFileName(table.kind);
    if (table.rows.empty())
        throw CalcFault("Profile table " + file + " is not loaded; the profile cannot be used");
    if (row < 0 || row > table.lastRow()) {
        nt.warn(" Profile row " + std::to_string(row) + " is not in " + file + "; row 0 is used ");
        row = 0;
    }
    return table.rows[static_cast<size_t>(row)];
}

// The working dimensions of the kind, from its table row or its saved built-up set.
ProfileRecord currentDimensions(const ProfileTables& tables, ProfileRecord& stored, int16_t kind,
                                Notifier& nt) {
    const ProfileRow* row = nullptr;
    switch (kind) {
    case PK::LTable:
        row = &tableRow(tables.L, stored.rowL, nt);
        break;
    case PK::TTable:
        row = &tableRow(tables.T, stored.rowT, nt);
        break;
    case PK::FlatTable:
        row = &tableRow(tables.flat, stored.rowFlat, nt);
        break;
    case PK::BulbFlat:
        row = &tableRow(tables.bulb, stored.rowBulb, nt);
        break;
    default:
        break;
    }

    ProfileRecord rec = stored;
    const BuiltUpDims& saved = stored.savedSet(kind);
    switch (kind) {
    case PK::LTable:
    case PK::TTable:
        rec.H = row->H;
        rec.B = row->B;
        rec.tw = row->tw;
        rec.tf = row->tf;
        break;
    case PK::FlatTable:
        rec.H = row->H;
        rec.tw = row->tw;
        break;
    case PK::BulbFlat: {
        // The bulb is replaced by an equivalent L flange of the same total area.
        rec.H = row->H;
        rec.tw = row->tw;
        rec.a = row->c;
        rec.Ro = row->r;
        rec.B = toSingle(static_cast<double>(row->c) + row->tw - 0.45 * row->r);
        const double webArea = static_cast<double>(rec.H) * rec.tw;
        rec.tf = toSingle(fdiv(row->A - webArea, static_cast<double>(rec.B) - rec.tw));
        break;
    }
    case PK::LBuiltUp:
    case PK::TBuiltUp:
    case PK::IBuiltUp:
        rec.H = saved.H;
        rec.B = saved.B;
        rec.tw = saved.tw;
        rec.tf = saved.tf;
        break;
    case PK::FlatBuiltUp:
        rec.H = saved.H;
        rec.tw = saved.tw;
        break;
    case PK::RHS:
        rec.H = saved.H;
        rec.B = saved.B;
        rec.tw = saved.tw;
        rec.tf = saved.tw;
        break;
    case PK::Trapez:
        rec.H = saved.H;
        rec.B = saved.B;
        rec.a = saved.a;
        rec.tw = saved.tw;
        rec.tf = saved.tw;
        break;
    default:
        break;
    }
    return rec;
}

// The thickness that selects the yield-strength band: the thicker of web and flange for
// flanged profiles, the plate thickness for flat bars, bulb flats, RHS and trapezoids.
float governingThickness(const ProfileRecord& p, int16_t kind) {
    if (isLKind(kind) || isTKind(kind) || kind == PK::IBuiltUp)
        return p.tf < p.tw ? p.tw : p.tf;
    return p.tw;
}

Working workingValues(const ProfileRecord& p, int16_t kind) {
    const double H = p.H;
    const double B = p.B;
    const double tw = p.tw;
    const double tf = p.tf;
    Working w;
    if (isLKind(kind) || kind == PK::BulbFlat) {
        w.hw = H - tf;
        w.bf = B - tw;
        w.ef = fdiv(B, 2) - fdiv(tw, 2);
    } else if (isTKind(kind)) {
        w.hw = H - tf;
        w.bf = fdiv(B - tw, 2);
    } else if (isFlatKind(kind)) {
        w.hw = H;
    } else if (kind == PK::RHS) {
        w.hw = H - 2 * tw;
        w.bf = B - 2 * tw;
    } else if (kind == PK::Trapez) {
        w.hw = H - tw;
        w.bf = B - 2 * tw;
    } else {
        w.hw = H - 2 * tf;
        w.bf = fdiv(B - tw, 2);
    }
    return w;
}

double sq(double x) {
    return fpow(x, 2);
}
double cube(double x) {
    return fpow(x, 3);
}

// Section properties of the profile alone. Starts from the previous properties: the RHS and the
// trapezoid have no separate web and flange areas and, like the stiffener I, no lateral
// inertia here, so those fields keep what they held.
SectionProps sectionProps(const ProfileRecord& p, int16_t kind, const Working& w, SectionProps s,
                          IModel iModel) {
    const double H = p.H;
    const double B = p.B;
    const double tw = p.tw;
    const double tf = p.tf;
    const double hw = w.hw;
    s.hw = hw;

    if (isLKind(kind) || isTKind(kind) || kind == PK::BulbFlat) {
        s.Aw = tw * hw;
        s.Af = toSingle(B * tf);
        s.A = s.Aw + s.Af;
        s.zc = fdiv(B * tf * (H - fdiv(tf, 2)) + fdiv(tw * sq(hw), 2), s.A);
        s.Iy = fdiv(B * cube(tf) + tw * cube(hw), 12) + B * tf * sq(H - fdiv(tf, 2) - s.zc) +
               tw * hw * sq(fdiv(hw, 2) - s.zc);
        s.Iz = fdiv(s.Af * sq(B), 12) + fdiv(sq(w.ef) * s.Af, 1 + fdiv(s.Af, s.Aw));
    } else if (isFlatKind(kind)) {
        s.Aw = tw * hw;
        s.Af = 0;
        s.A = s.Aw;
        s.zc = fdiv(hw, 2);
        s.Iy = fdiv(tw * cube(hw), 12);
        s.Iz = fdiv(hw * cube(tw), 12);
    } else if (kind == PK::RHS) {
        const double t = tw;
        s.A = H * B - (H - 2 * t) * (B - 2 * t);
        s.zc = fdiv(H, 2);
        s.Iy = fdiv(B * cube(H) - (B - 2 * t) * cube(H - 2 * t), 12);
    } else if (kind == PK::Trapez) {
        // Two inclined webs of thickness t; their area grows with 1/cos of the inclination.
        const double t = tw;
        const double theta = fin(std::atan(fdiv(p.a, H)));
        const double cosTheta = fin(std::cos(theta));
        s.A = B * t + fdiv(2 * hw * t, cosTheta);
        s.zc = fdiv(B * t * (H - fdiv(t, 2)) + fdiv(sq(hw) * t, cosTheta), s.A);
        s.Iy = fdiv(B * cube(t) + fdiv(2 * t, cosTheta) * cube(hw), 12) +
               B * t * sq(H - fdiv(t, 2) - s.zc) +
               fdiv(2 * hw * t, cosTheta) * sq(fdiv(hw, 2) - s.zc);
    } else {
        s.Aw = tw * hw;
        s.Af = toSingle(B * tf);
        s.A = s.Aw + 2 * static_cast<double>(s.Af);
        if (iModel == IModel::MidHeight)
            s.zc = fdiv(H, 2);
        else
            s.zc = fdiv(B * tf * (H - fdiv(tf, 2)) + fdiv(B * sq(tf), 2) +
                            hw * tw * (fdiv(hw, 2) + tf),
                        s.A);
        s.Iy = fdiv(2 * B * cube(tf) + tw * cube(hw), 12) + B * tf * sq(H - fdiv(tf, 2) - s.zc) +
               tw * hw * sq(fdiv(hw, 2) + tf - s.zc) + B * tf * sq(fdiv(tf, 2) - s.zc);
        if (iModel == IModel::FromShellFlange)
            s.Iz = fdiv(s.Af * sq(B), 12);
    }
    s.g = fdiv(7850 * s.A, 1000000);
    return s;
}

// One-line description of the profile, as the main window shows it beside the profile list.
std::string profileText(const ProfileRecord& p, int16_t kind, char sep) {
    auto f = [sep](float v, const char* pattern) { return formatNumber(v, pattern, sep); };
    if (isLKind(kind) || isTKind(kind) || kind == PK::IBuiltUp) {
        const char* prefix = isLKind(kind) ? "L " : isTKind(kind) ? "T " : "I ";
        return prefix + f(p.H, "00") + "x" + f(p.B, "00") + "x" + f(p.tw, "0.0") + "x" +
               f(p.tf, "#0.0");
    }
    if (isFlatKind(kind))
        return "Fb " + f(p.H, "00") + "x" + f(p.tw, "0.0");
    if (kind == PK::BulbFlat)
        return "BF " + f(p.H, "00") + "x" + f(p.tw, "0.0");
    if (kind == PK::RHS)
        return "RHS " + f(p.H, "00") + "x" + f(p.B, "00") + "x" + f(p.tw, "0.0");
    return "TPZ " + f(p.H, "00") + "x" + f(p.B, "00") + "x" + f(p.a, "00") + "x" + f(p.tw, "0.0");
}

// A proportion limit as a whole number followed by its verdict; a value equal to the limit
// passes.
std::string proportionText(const char* lead, double value, double limit, const char* equation,
                           char sep) {
    return lead + formatNumber(limit, "0", sep) + " (Eq " + equation + ") ==> " +
           (value <= limit ? "OK" : "NOK");
}

// sqrt(E / fy), the slenderness scale of the web and flange limits.
double stiffnessRoot(const State& st, double fy) {
    return fsqrt(fdiv(st.dc.E, fy));
}

// Web limit: 1.35 tw sqrt(E/fy) for a flanged web, 0.4 tw sqrt(E/fy) for a flat bar.
std::optional<std::string> webCheck(const State& st, int16_t kind, const SectionWork& work,
                                    double fy, const char* flangedEq, const char* flatEq) {
    const double tw = work.rec.tw;
    if (isFlanged(kind))
        return proportionText("h <= ", work.w.hw, 1.35 * tw * stiffnessRoot(st, fy), flangedEq,
                              st.decimalSep());
    if (isFlatKind(kind))
        return proportionText("h <= ", work.w.hw, 0.4 * tw * stiffnessRoot(st, fy), flatEq,
                              st.decimalSep());
    return std::nullopt;
}

// Flange outstand limit: 0.4 tf sqrt(E/fy).
std::optional<std::string> flangeCheck(const State& st, int16_t kind, const SectionWork& work,
                                       double fy, const char* equation) {
    if (!hasFlangeCheck(kind))
        return std::nullopt;
    const double tf = work.rec.tf;
    return proportionText("bf <= ", work.w.bf, 0.4 * tf * stiffnessRoot(st, fy), equation,
                          st.decimalSep());
}

SectionWork buildSection(const State& st, ProfileRecord& stored, const SectionProps& previous,
                         int16_t kind, IModel iModel, Notifier& nt) {
    if (kind < 0 || kind >= PK::Count)
        throw CalcFault("Unknown profile kind " + std::to_string(kind));
    SectionWork work;
    work.rec = currentDimensions(st.profiles, stored, kind, nt);
    work.tGovern = governingThickness(work.rec, kind);
    work.w = workingValues(work.rec, kind);
    work.props = sectionProps(work.rec, kind, work.w, previous, iModel);
    work.profileText = profileText(work.rec, kind, st.decimalSep());
    return work;
}

// The common path of both sections: build the section, look the yield strength up for its
// governing thickness, run the kind's proportion checks (which compute their texts into the
// caller's locals) and, when all of it has passed, write the section into the state.
template <class Checks>
void computeSection(State& st, Notifier& nt, int16_t kind, const SectionTarget& target,
                    Checks&& checks) {
    const SectionWork work = buildSection(st, target.rec, target.props, kind, target.iModel, nt);

    const float oldTGovern = st.res.tGovern;
    const float oldFy = target.fy;
    st.res.tGovern = work.tGovern;
    target.lookup(st);
    try {
        checks(work, static_cast<double>(target.fy));
    } catch (...) {
        st.res.tGovern = oldTGovern;
        target.fy = oldFy;
        throw;
    }

    target.rec.H = work.rec.H;
    target.rec.B = work.rec.B;
    target.rec.a = work.rec.a;
    target.rec.tw = work.rec.tw;
    target.rec.tf = work.rec.tf;
    target.rec.Ro = work.rec.Ro;
    target.props = work.props;
    target.profileText = work.profileText;
    target.sketch = sketchForKind(kind);
}

void assignIfSet(std::string& text, std::optional<std::string>& value) {
    if (value)
        text = std::move(*value);
}

} // namespace

void computeStiffenerSection(State& st, Notifier& nt, int16_t kind) {
    const SectionTarget target{st.dc.stiff,        st.res.stiffSection, st.res.stiffProfileText,
                               st.res.stiffSketch, st.dc.fys,           lookupFys,
                               IModel::MidHeight};
    std::optional<std::string> web;
    std::optional<std::string> flange;
    computeSection(st, nt, kind, target, [&](const SectionWork& work, double fy) {
        web = webCheck(st, kind, work, fy, "3.10.7", "3.10.6");
        flange = flangeCheck(st, kind, work, fy, "3.10.9");
    });
    assignIfSet(st.res.webCheckText, web);
    assignIfSet(st.res.flangeCheckText, flange);
}

void computeRingSection(State& st, Notifier& nt, int16_t kind) {
    const SectionTarget target{
        st.dc.ring, st.res.ringSection, st.res.ringProfileText, st.res.ringSketch,
        st.dc.fyr,  lookupFyr,          IModel::FromShellFlange};
    std::optional<std::string> web;
    std::optional<std::string> slenderness;
    std::optional<std::string> flange;
    std::optional<std::string> eccentricity;
    computeSection(st, nt, kind, target, [&](const SectionWork& work, double fy) {
        const char sep = st.decimalSep();
        const double hw = work.w.hw;
        const double tw = work.rec.tw;
        const double B = work.rec.B;
        const double tf = work.rec.tf;
        // Radius to the flange of a ring frame inside the shell.
        const double rf = static_cast<double>(st.dc.r) - fdiv(st.dc.t, 2) - work.rec.H;

        web = webCheck(st, kind, work, fy, "3.10.2", "3.10.1");
        if (isFlanged(kind)) {
            if (rf > 0) {
                const double limit =
                    fdiv(2, 3) * fsqrt(fdiv(rf * hw * tw * st.dc.E, hw * B * tf * fy));
                slenderness = proportionText("h/tw <= ", fdiv(hw, tw), limit, "3.10.4", sep);
            } else {
                nt.warn(" r > height of ringframe  ");
                nt.focus("icylr");
            }
        }
        flange = flangeCheck(st, kind, work, fy, "3.10.3");
        if (hasFlangeCheck(kind)) {
            const double limit = fdiv(fdiv(1, 3) * rf * hw * tw, hw * B * tf);
            eccentricity = proportionText("ef/tw <= ", fdiv(work.w.ef, tw), limit, "3.10.5", sep);
        }
    });
    assignIfSet(st.res.ringWebCheckText, web);
    assignIfSet(st.res.ringSlendernessCheckText, slenderness);
    assignIfSet(st.res.ringFlangeCheckText, flange);
    assignIfSet(st.res.ringEccentricityCheckText, eccentricity);
}

} // namespace velmora
