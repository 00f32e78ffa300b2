// Stiffener and ring-frame sections. Both routines share one path: the working dimensions from
// a table row or the saved built-up set, the governing thickness, the web height, flange
// outstand and eccentricity, the section properties and the profile description. They differ
// only in the profile record, the material look-up and the proportion checks they run.

#include "sections/Sections.h"

#include "base/Fp.h"
#include "base/NumberText.h"
#include "case/Notifier.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace velmora {

namespace {

using F = ProfileSketch;

bool isL(F f) {
    return f == F::L;
}
bool isT(F f) {
    return f == F::T;
}
bool isFlat(F f) {
    return f == F::Flat;
}

// Profiles with a flange: their web is checked as a flanged web (L, T, bulb flat, I).
bool isFlanged(F f) {
    return isL(f) || isT(f) || f == F::Bulb || f == F::I;
}

// Profiles whose flange outstand is checked (the bulb's equivalent flange is not).
bool hasFlangeCheck(F f) {
    return isL(f) || isT(f) || f == F::I;
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

// The working dimensions of the kind, from its table row or its saved built-up set. A table
// row index the table does not have is corrected to 0 in the returned record.
ProfileRecord currentDimensions(const ProfileTables& tables, const ProfileRecord& stored,
                                const ProfileKindDesc& desc, Notifier& nt) {
    ProfileRecord rec = stored;
    if (desc.table) {
        const ProfileRow& row =
            tableRow(tables.of(*desc.table), rec.*tableRowMember(*desc.table), nt);
        if (desc.family == ProfileSketch::Bulb) {
            // The bulb is replaced by an equivalent L flange of the same total area.
            rec.H = row.H;
            rec.tw = row.tw;
            rec.a = row.c;
            rec.Ro = row.r;
            rec.B = toSingle(static_cast<double>(row.c) + row.tw - 0.45 * row.r);
            const double webArea = static_cast<double>(rec.H) * rec.tw;
            rec.tf = toSingle(fdiv(row.A - webArea, static_cast<double>(rec.B) - rec.tw));
        } else {
            for (size_t k = 0; k < desc.dimCount; ++k)
                rec.*dimMember<ProfileRecord>(desc.dims[k]) = rowDim(row, desc.dims[k]);
        }
        return rec;
    }
    const BuiltUpDims& saved = stored.savedSet(desc.kind);
    for (size_t k = 0; k < desc.dimCount; ++k)
        rec.*dimMember<ProfileRecord>(desc.dims[k]) = saved.*dimMember<BuiltUpDims>(desc.dims[k]);
    if (desc.tfIsTw)
        rec.tf = saved.tw;
    return rec;
}

// The thickness that selects the yield-strength band: the thicker of web and flange for
// flanged profiles, the plate thickness for flat bars, bulb flats, RHS and trapezoids.
float governingThickness(const ProfileRecord& p, F f) {
    if (isL(f) || isT(f) || f == F::I)
        return p.tf < p.tw ? p.tw : p.tf;
    return p.tw;
}

Working workingValues(const ProfileRecord& p, F f) {
    const double H = p.H;
    const double B = p.B;
    const double tw = p.tw;
    const double tf = p.tf;
    Working w;
    if (isL(f) || f == F::Bulb) {
        w.hw = H - tf;
        w.bf = B - tw;
        w.ef = fdiv(B, 2) - fdiv(tw, 2);
    } else if (isT(f)) {
        w.hw = H - tf;
        w.bf = fdiv(B - tw, 2);
    } else if (isFlat(f)) {
        w.hw = H;
    } else if (f == F::RHS) {
        w.hw = H - 2 * tw;
        w.bf = B - 2 * tw;
    } else if (f == F::Trapez) {
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
SectionProps sectionProps(const ProfileRecord& p, F f, const Working& w, SectionProps s,
                          IModel iModel) {
    const double H = p.H;
    const double B = p.B;
    const double tw = p.tw;
    const double tf = p.tf;
    const double hw = w.hw;
    s.hw = hw;

    if (isL(f) || isT(f) || f == F::Bulb) {
        s.Aw = tw * hw;
        s.Af = toSingle(B * tf);
        s.A = s.Aw + s.Af;
        s.zc = fdiv(B * tf * (H - fdiv(tf, 2)) + fdiv(tw * sq(hw), 2), s.A);
        s.Iy = fdiv(B * cube(tf) + tw * cube(hw), 12) + B * tf * sq(H - fdiv(tf, 2) - s.zc) +
               tw * hw * sq(fdiv(hw, 2) - s.zc);
        s.Iz = fdiv(s.Af * sq(B), 12) + fdiv(sq(w.ef) * s.Af, 1 + fdiv(s.Af, s.Aw));
    } else if (isFlat(f)) {
        s.Aw = tw * hw;
        s.Af = 0;
        s.A = s.Aw;
        s.zc = fdiv(hw, 2);
        s.Iy = fdiv(tw * cube(hw), 12);
        s.Iz = fdiv(hw * cube(tw), 12);
    } else if (f == F::RHS) {
        const double t = tw;
        s.A = H * B - (H - 2 * t) * (B - 2 * t);
        s.zc = fdiv(H, 2);
        s.Iy = fdiv(B * cube(H) - (B - 2 * t) * cube(H - 2 * t), 12);
    } else if (f == F::Trapez) {
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

// One-line description of the profile, as the main window shows it beside the profile list and
// a database row keeps it: the kind's code and its dimensions ("T 300x150x10.0x15.0").
std::string profileText(const ProfileRecord& p, const ProfileKindDesc& desc, char sep) {
    std::string text(desc.code);
    for (size_t k = 0; k < desc.dimCount; ++k) {
        text += k == 0 ? " " : "x";
        text += formatNumber(p.*dimMember<ProfileRecord>(desc.dims[k]),
                             designationPattern(desc.dims[k]), sep);
    }
    return text;
}

// A proportion limit as a whole number followed by its verdict; a value equal to the limit
// passes. Without texts only the verdict is kept.
ProportionCheck proportion(const char* lead, double value, double limit, const char* equation,
                           char sep, bool texts) {
    ProportionCheck check;
    check.ok = value <= limit;
    if (texts) {
        std::string& t = check.text;
        t.reserve(40);
        t += lead;
        t += formatNumber(limit, "0", sep);
        t += " (Eq ";
        t += equation;
        t += ") ==> ";
        t += check.ok ? "OK" : "NOK";
    }
    return check;
}

// sqrt(E / fy), the slenderness scale of the web and flange limits.
double stiffnessRoot(const DesignCase& dc, double fy) {
    return fsqrt(fdiv(dc.E, fy));
}

// The section before its yield look-up and proportion checks.
struct SectionWork {
    const ProfileKindDesc* desc = nullptr;
    ProfileRecord rec;
    Working w;
    SectionProps props;
    std::string profileText;
    float tGovern = 0;
};

// Web limit: 1.35 tw sqrt(E/fy) for a flanged web, 0.4 tw sqrt(E/fy) for a flat bar.
std::optional<ProportionCheck> webCheck(const SectionInputs& in, const SectionWork& work, double fy,
                                        const char* flangedEq, const char* flatEq) {
    const double tw = work.rec.tw;
    if (isFlanged(work.desc->family))
        return proportion("h <= ", work.w.hw, 1.35 * tw * stiffnessRoot(in.dc, fy), flangedEq,
                          in.decimalSep, in.texts);
    if (isFlat(work.desc->family))
        return proportion("h <= ", work.w.hw, 0.4 * tw * stiffnessRoot(in.dc, fy), flatEq,
                          in.decimalSep, in.texts);
    return std::nullopt;
}

// Flange outstand limit: 0.4 tf sqrt(E/fy).
std::optional<ProportionCheck> flangeCheck(const SectionInputs& in, const SectionWork& work,
                                           double fy, const char* equation) {
    if (!hasFlangeCheck(work.desc->family))
        return std::nullopt;
    const double tf = work.rec.tf;
    return proportion("bf <= ", work.w.bf, 0.4 * tf * stiffnessRoot(in.dc, fy), equation,
                      in.decimalSep, in.texts);
}

SectionWork buildSection(const SectionInputs& in, const ProfileRecord& stored,
                         const SectionProps& previous, int16_t kind, IModel iModel, Notifier& nt) {
    SectionWork work;
    work.desc = findProfileKind(kind);
    if (!work.desc)
        throw CalcFault("Unknown profile kind " + std::to_string(kind));
    const F family = work.desc->family;
    work.rec = currentDimensions(in.tables, stored, *work.desc, nt);
    work.tGovern = governingThickness(work.rec, family);
    work.w = workingValues(work.rec, family);
    work.props = sectionProps(work.rec, family, work.w, previous, iModel);
    if (in.texts)
        work.profileText = profileText(work.rec, *work.desc, in.decimalSep);
    return work;
}

// The section of one profile with its looked-up yield strength; the proportion checks are the
// caller's.
SectionResult sectionResult(SectionWork&& work, float fy) {
    SectionResult out;
    out.record = work.rec;
    out.props = work.props;
    out.profileText = std::move(work.profileText);
    out.sketch = work.desc->family;
    out.tGovern = work.tGovern;
    out.fy = fy;
    return out;
}

} // namespace

bool SectionResult::proportionsOk() const {
    return failingProportions() == 0;
}

unsigned SectionResult::failingProportions() const {
    unsigned failing = 0;
    const std::pair<const std::optional<ProportionCheck>*, unsigned> checks[] = {
        {&web, ProportionBit::Web},
        {&slenderness, ProportionBit::Slenderness},
        {&flange, ProportionBit::Flange},
        {&eccentricity, ProportionBit::Eccentricity}};
    for (const auto& [check, bit] : checks)
        if (*check && !(*check)->ok)
            failing |= bit;
    return failing;
}

float rowDim(const ProfileRow& row, Dim which) {
    switch (which) {
    case Dim::H:
        return row.H;
    case Dim::B:
        return row.B;
    case Dim::tw:
        return row.tw;
    case Dim::tf:
        return row.tf;
    case Dim::a:
        break;
    }
    return 0;
}

SectionResult stiffenerSection(const SectionInputs& in, int16_t kind, const SectionProps& previous,
                               Notifier& nt) {
    const DesignCase& dc = in.dc;
    SectionWork work = buildSection(in, dc.stiff, previous, kind, IModel::MidHeight, nt);
    const float fy = lookupYield(in.materials, dc.stiffMaterial, work.tGovern, dc.fys);
    auto web = webCheck(in, work, fy, "3.10.7", "3.10.6");
    auto flange = flangeCheck(in, work, fy, "3.10.9");
    SectionResult out = sectionResult(std::move(work), fy);
    out.web = std::move(web);
    out.flange = std::move(flange);
    return out;
}

SectionResult ringSection(const SectionInputs& in, int16_t kind, const SectionProps& previous,
                          Notifier& nt) {
    const DesignCase& dc = in.dc;
    SectionWork work = buildSection(in, dc.ring, previous, kind, IModel::FromShellFlange, nt);
    const float fy = lookupYield(in.materials, dc.ringMaterial, work.tGovern, dc.fyr);
    const double fyd = fy;
    const char sep = in.decimalSep;
    const double hw = work.w.hw;
    const double tw = work.rec.tw;
    const double B = work.rec.B;
    const double tf = work.rec.tf;
    // Radius to the flange of a ring frame inside the shell.
    const double rf = static_cast<double>(dc.r) - fdiv(dc.t, 2) - work.rec.H;
    const F family = work.desc->family;

    auto web = webCheck(in, work, fyd, "3.10.2", "3.10.1");
    std::optional<ProportionCheck> slenderness;
    if (isFlanged(family)) {
        if (rf > 0) {
            const double limit = fdiv(2, 3) * fsqrt(fdiv(rf * hw * tw * dc.E, hw * B * tf * fyd));
            slenderness = proportion("h/tw <= ", fdiv(hw, tw), limit, "3.10.4", sep, in.texts);
        } else {
            nt.warn(" r > height of ringframe  ");
            nt.focus("icylr");
        }
    }
    auto flange = flangeCheck(in, work, fyd, "3.10.3");
    std::optional<ProportionCheck> eccentricity;
    if (hasFlangeCheck(family)) {
        const double limit = fdiv(fdiv(1, 3) * rf * hw * tw, hw * B * tf);
        eccentricity = proportion("ef/tw <= ", fdiv(work.w.ef, tw), limit, "3.10.5", sep, in.texts);
    }
    SectionResult out = sectionResult(std::move(work), fy);
    out.web = std::move(web);
    out.slenderness = std::move(slenderness);
    out.flange = std::move(flange);
    out.eccentricity = std::move(eccentricity);
    return out;
}

float governingThickness(const ProfileRecord& p) {
    const ProfileKindDesc* desc = findProfileKind(p.kind);
    return desc ? governingThickness(p, desc->family) : p.tw;
}

} // namespace velmora
