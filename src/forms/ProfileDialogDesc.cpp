#include "forms/ProfileDialogDesc.h"

#include "base/Fp.h"
#include "base/NumberText.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "case/Notifier.h"
#include "sections/Sections.h"

#include <algorithm>

namespace velmora {

namespace {

namespace PK = ProfileKind;
using M = ProfileMember;

bool isStiffener(M m) {
    return m == M::Stiffener;
}

// ---- boxes of the built-up dialogs ---------------------------------------------------------

// Stiffener dialogs keep a height or width below 5 as typed; ring-frame dialogs raise it to 5.
DimensionBox heightBox(M m) {
    DimensionBox b;
    b.name = "isth";
    b.label = "H =";
    b.dim = Dim::H;
    b.format = "##0";
    b.okFormat = "##0";
    b.leave = {5, " H >= 5 "};
    b.leaveCorrects = !isStiffener(m);
    b.ok = DimensionLimit{5, " H >= 5 "};
    b.checkedOnClose = true;
    return b;
}

DimensionBox widthBox(M m) {
    DimensionBox b;
    b.name = "istb";
    b.label = "B =";
    b.dim = Dim::B;
    b.format = "##0";
    b.okFormat = "##0.0";
    b.leave = {5, " B >= 5 "};
    b.leaveCorrects = !isStiffener(m);
    b.ok = DimensionLimit{5, " B >= 5 "};
    b.checkedOnClose = true;
    return b;
}

// The trapezoid's a may not be negative; a negative value is warned about and kept.
DimensionBox trapezABox(bool checkedOnClose) {
    DimensionBox b;
    b.name = "ista";
    b.label = "a =";
    b.dim = Dim::a;
    b.format = "##0";
    b.okFormat = "##0.0";
    b.leave = {0, " a >= 0 "};
    b.leaveCorrects = false;
    b.checkedOnClose = checkedOnClose;
    return b;
}

// Web thickness, or the plate thickness t of flat bar, RHS and trapezoid: raised to 0.1 on
// leaving; a re-checking OK button asks for at least 1.
DimensionBox webBox(const char* label) {
    DimensionBox b;
    b.name = "isttw";
    b.label = label;
    b.dim = Dim::tw;
    b.format = "##0.0";
    b.okFormat = "##0.0";
    b.leave = {0.1f, " tw >= 0.1 "};
    b.leaveCorrects = true;
    b.ok = DimensionLimit{1, " tw >= 1 "};
    return b;
}

DimensionBox flangeBox() {
    DimensionBox b;
    b.name = "isttf";
    b.label = "tf =";
    b.dim = Dim::tf;
    b.format = "##0.0";
    b.okFormat = "##0.0";
    b.leave = {0.1f, " tf >= 0.1 "};
    b.leaveCorrects = true;
    b.ok = DimensionLimit{1, " tf >= 1 "};
    return b;
}

std::vector<DimensionBox> builtUpBoxes(M m, int16_t kind) {
    switch (kind) {
    case PK::FlatBuiltUp:
        return {heightBox(m), webBox("tw =")};
    case PK::RHS:
        return {heightBox(m), widthBox(m), webBox("t =")};
    case PK::Trapez:
        // Only the ring-frame trapezoid re-checks a when it closes.
        return {heightBox(m), widthBox(m), trapezABox(!isStiffener(m)), webBox("t =")};
    default: // L, T and I built up
        return {heightBox(m), widthBox(m), webBox("tw ="), flangeBox()};
    }
}

// ---- labels ---------------------------------------------------------------------------------

bool isFlatKind(int16_t k) {
    return k == PK::FlatTable || k == PK::FlatBuiltUp;
}

// Kinds whose lateral moment of inertia Iz the section routine computes and the dialog shows.
// Flat-bar dialogs show no Iz; RHS, trapezoid and the stiffener's I get none from the routine.
bool showsIz(M m, int16_t k) {
    if (isFlatKind(k) || k == PK::RHS || k == PK::Trapez)
        return false;
    return k != PK::IBuiltUp || !isStiffener(m);
}

std::vector<SummaryLabel> propertyLabels(M m, int16_t kind) {
    std::vector<SummaryLabel> out;
    if (isTableKind(kind)) {
        const bool bulb = kind == PK::BulbFlat;
        out.push_back({"sth", "H =", Quantity::H, "##0", " mm"});
        if (!isFlatKind(kind))
            out.push_back({"stb", "B =", Quantity::B, bulb ? "##0.0" : "##0", " mm"});
        out.push_back({"sttw", "tw =", Quantity::tw, "##0.0", " mm"});
        if (!isFlatKind(kind))
            out.push_back({"sttf", "tf =", Quantity::tf, "##0.0", " mm"});
        if (bulb) {
            out.push_back({"stc", "c =", Quantity::c, "##0.0", " mm"});
            out.push_back({"strr", "r =", Quantity::r, "##0.0", " mm"});
        }
    }
    out.push_back({"sta", "Ax =", Quantity::A, "##0", " mm2"});
    out.push_back({"stg", "g =", Quantity::g, "##0.0", " kg/m"});
    out.push_back({"stiy", "Iy =", Quantity::Iy, "0.000E+0", " mm4"});
    if (showsIz(m, kind))
        out.push_back({"stiz", "Iz =", Quantity::Iz, "0.000E+0", " mm4"});
    return out;
}

// Only the proportion texts that the kind's section routine writes are shown; a text the
// routine leaves alone still belongs to an earlier profile.
std::vector<CheckLabel> checkLabels(M m, int16_t k) {
    const bool flanged = !isFlatKind(k) && k != PK::RHS && k != PK::Trapez;
    const bool flangeChecked = flanged && k != PK::BulbFlat;
    const bool webChecked = k != PK::RHS && k != PK::Trapez;
    std::vector<CheckLabel> out;
    if (isStiffener(m)) {
        if (webChecked)
            out.push_back({"webclass", CheckText::Web});
        if (flangeChecked)
            out.push_back({"flangeclass", CheckText::Flange});
    } else {
        if (webChecked)
            out.push_back({"webclass1", CheckText::RingWeb});
        if (flanged)
            out.push_back({"webclass2", CheckText::RingSlenderness});
        if (flangeChecked) {
            out.push_back({"flangeclass1", CheckText::RingFlange});
            out.push_back({"flangeclass2", CheckText::RingEccentricity});
        }
    }
    return out;
}

// ---- the family -----------------------------------------------------------------------------

ProfileDialogDesc picker(const char* name, const char* caption, M m, int16_t kind, TableKind table,
                         OkAction ok = OkAction::CloseAndRecalculate) {
    ProfileDialogDesc d;
    d.name = name;
    d.caption = caption;
    d.member = m;
    d.kind = kind;
    d.sketch = sketchForKind(kind);
    d.table = table;
    // Choosing a T-table stiffener recomputes its section before the run.
    d.recomputeSectionOnRow = isStiffener(m) && kind == PK::TTable;
    d.profileFrameCaption = isStiffener(m) ? "Stiffener" : "Profile";
    d.labels = propertyLabels(m, kind);
    d.checks = checkLabels(m, kind);
    d.ok = ok;
    return d;
}

ProfileDialogDesc builtUp(const char* name, const char* caption, M m, int16_t kind, OkAction ok) {
    ProfileDialogDesc d;
    d.name = name;
    d.caption = caption;
    d.member = m;
    d.kind = kind;
    d.sketch = sketchForKind(kind);
    d.boxes = builtUpBoxes(m, kind);
    d.labels = propertyLabels(m, kind);
    d.checks = checkLabels(m, kind);
    d.ok = ok;
    return d;
}

std::vector<ProfileDialogDesc> makeFamily() {
    const auto S = M::Stiffener;
    const auto R = M::Ring;
    const auto recheck = OkAction::RecheckAndClose;
    const auto close = OkAction::Close;
    const auto recalc = OkAction::CloseAndRecalculate;
    return {
        picker("stiffl", "Stiffener:  L-table", S, PK::LTable, TableKind::L),
        picker("stifft", "Stiffener: T-table", S, PK::TTable, TableKind::T),
        picker("stifff", "Stiffener:  Flatbar-table", S, PK::FlatTable, TableKind::Flat),
        picker("stiffhp", "Stiffener: Bulb Flat", S, PK::BulbFlat, TableKind::Bulb),
        picker("girdl", "Ringframe:  L-table", R, PK::LTable, TableKind::L, close),
        picker("girdt", "Ringframe: T-table", R, PK::TTable, TableKind::T),
        picker("girdf", "Ringframe: Flatbar-table", R, PK::FlatTable, TableKind::Flat),
        picker("girdhp", "Ringframe: Bulb Flat", R, PK::BulbFlat, TableKind::Bulb),
        builtUp("stifflb", "Stiffener: L-built-up", S, PK::LBuiltUp, recheck),
        builtUp("stifftb", "Stiffener: T-built-up", S, PK::TBuiltUp, recheck),
        builtUp("stifffb", "Stiffener: Flatbar-built-up", S, PK::FlatBuiltUp, recheck),
        builtUp("stiffrhs", "Stiffener:  RHS", S, PK::RHS, recheck),
        builtUp("stiffusp", "Stiffener: Trapez-profile", S, PK::Trapez, recheck),
        builtUp("stiffib", "Stiffener: I-built-up", S, PK::IBuiltUp, recheck),
        builtUp("girdlb", "Ringframe: L-built-up", R, PK::LBuiltUp, close),
        builtUp("girdtb", "Ringframe: T-built-up", R, PK::TBuiltUp, close),
        builtUp("girdfb", "Ringframe: Flatbar-built-up", R, PK::FlatBuiltUp, recalc),
        builtUp("girdrhs", "Ringframe: RHS", R, PK::RHS, recalc),
        builtUp("girdusp", "Ringframe: Trapez-profile", R, PK::Trapez, recalc),
        builtUp("girdib", "Ringframe: I-built-up", R, PK::IBuiltUp, close),
    };
}

const BuiltUpDims& savedSetOf(const State& st, const ProfileDialogDesc& desc) {
    return memberRecord(st.dc, desc.member).savedSet(desc.kind);
}

float dimensionValue(const BuiltUpDims& set, Dim dim) {
    return set.*dimMember<BuiltUpDims>(dim);
}

double quantityValue(const State& st, const ProfileDialogDesc& desc, Quantity q) {
    const ProfileRecord& rec = memberRecord(st.dc, desc.member);
    const SectionProps& sec = isStiffener(desc.member) ? st.res.stiffSection : st.res.ringSection;
    switch (q) {
    case Quantity::H:
        return rec.H;
    case Quantity::B:
        return rec.B;
    case Quantity::tw:
        return rec.tw;
    case Quantity::tf:
        return rec.tf;
    case Quantity::c:
        return rec.a;
    case Quantity::r:
        return rec.Ro;
    case Quantity::A:
        return sec.A;
    case Quantity::g:
        return sec.g;
    case Quantity::Iy:
        return sec.Iy;
    case Quantity::Iz:
        return sec.Iz;
    }
    return 0;
}

const std::string& checkText(const State& st, CheckText t) {
    switch (t) {
    case CheckText::Web:
        return st.res.webCheckText;
    case CheckText::Flange:
        return st.res.flangeCheckText;
    case CheckText::RingWeb:
        return st.res.ringWebCheckText;
    case CheckText::RingSlenderness:
        return st.res.ringSlendernessCheckText;
    case CheckText::RingFlange:
        return st.res.ringFlangeCheckText;
    case CheckText::RingEccentricity:
        break;
    }
    return st.res.ringEccentricityCheckText;
}

} // namespace

const DimensionBox* ProfileDialogDesc::box(std::string_view boxName) const {
    for (const auto& b : boxes)
        if (boxName == b.name)
            return &b;
    return nullptr;
}

const DimensionBox* ProfileDialogDesc::nextBox(std::string_view boxName) const {
    for (size_t i = 0; i < boxes.size(); ++i)
        if (boxName == boxes[i].name)
            return &boxes[(i + 1) % boxes.size()];
    return nullptr;
}

const std::vector<ProfileDialogDesc>& profileDialogDescs() {
    static const std::vector<ProfileDialogDesc> family = makeFamily();
    return family;
}

const ProfileDialogDesc* findProfileDialog(std::string_view name) {
    for (const auto& d : profileDialogDescs())
        if (name == d.name)
            return &d;
    return nullptr;
}

const ProfileDialogDesc* profileDialogFor(ProfileMember member, int kind) {
    for (const auto& d : profileDialogDescs())
        if (d.member == member && d.kind == kind)
            return &d;
    return nullptr;
}

ProfileRecord& memberRecord(DesignCase& dc, ProfileMember member) {
    return isStiffener(member) ? dc.stiff : dc.ring;
}

const ProfileRecord& memberRecord(const DesignCase& dc, ProfileMember member) {
    return isStiffener(member) ? dc.stiff : dc.ring;
}

const char* kindCaption(ProfileMember member, int kind) {
    const auto k = static_cast<int16_t>(kind);
    return isStiffener(member) ? stiffKindCaption(k) : ringKindCaption(k);
}

bool runComputesSection(const DesignCase& dc, ProfileMember member) {
    if (isStiffener(member))
        return dc.cylinderType == CylinderType::StringerStiffened;
    return dc.cylinderType == CylinderType::RingStiffened || dc.ringControl == 1;
}

void activateKind(State& st, const ProfileDialogDesc& desc) {
    memberRecord(st.dc, desc.member).kind = desc.kind;
}

namespace {

// The designation of the member's profile in `dc` taken as `kind`; empty when its section
// cannot be computed.
std::string designationIn(const State& st, const DesignCase& dc, ProfileMember member,
                          int16_t kind) {
    QuietNotifier quiet;
    const SectionInputs in{dc, st.profiles, st.materials, st.decimalSep()};
    try {
        return isStiffener(member)
                   ? stiffenerSection(in, kind, st.res.stiffSection, quiet).profileText
                   : ringSection(in, kind, st.res.ringSection, quiet).profileText;
    } catch (const CalcFault&) {
        return {};
    }
}

} // namespace

std::optional<State> profilePreview(const State& st, const ProfileDialogDesc& desc,
                                    std::optional<int> row) {
    // The parts a section reads and a summary shows; the database is not needed.
    State preview;
    preview.dc = st.dc;
    preview.res = st.res;
    preview.run = st.run;
    preview.materials = st.materials;
    preview.profiles = st.profiles;
    activateKind(preview, desc);
    if (row && !chooseTableRow(preview, desc, *row))
        return std::nullopt;
    QuietNotifier quiet;
    try {
        if (isStiffener(desc.member))
            computeStiffenerSection(preview, quiet, desc.kind);
        else
            computeRingSection(preview, quiet, desc.kind);
    } catch (const CalcFault&) {
        return std::nullopt;
    }
    return preview;
}

std::string currentDesignation(const State& st, ProfileMember member) {
    return designationIn(st, st.dc, member, memberRecord(st.dc, member).kind);
}

std::optional<int> rowMatchingProfile(const State& st, const ProfileDialogDesc& desc) {
    if (!desc.table)
        return std::nullopt;
    // The stored row of the dialog's own kind is the current profile itself.
    const ProfileRecord& own = memberRecord(st.dc, desc.member);
    if (own.kind == desc.kind)
        return selectedTableRow(st, desc);
    const std::string current = currentDesignation(st, desc.member);
    if (current.empty())
        return std::nullopt;
    DesignCase dc = st.dc;
    ProfileRecord& rec = memberRecord(dc, desc.member);
    const ProfileTable& table = st.profiles.of(*desc.table);
    for (int i = 0; i <= table.lastRow(); ++i) {
        rec.*tableRowMember(*desc.table) = static_cast<int16_t>(i);
        if (designationIn(st, dc, desc.member, desc.kind) == current)
            return i;
    }
    return std::nullopt;
}

std::string boxText(const State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
                    bool okPattern) {
    const float v = dimensionValue(savedSetOf(st, desc), box.dim);
    return formatNumber(v, okPattern ? box.okFormat : box.format, st.decimalSep());
}

std::vector<LabelText> profileSummary(const State& st, const ProfileDialogDesc& desc) {
    std::vector<LabelText> out;
    for (const auto& b : desc.boxes)
        out.push_back({b.name, boxText(st, desc, b)});
    for (const auto& l : desc.labels)
        out.push_back(
            {l.name, formatNumber(quantityValue(st, desc, l.quantity), l.format, st.decimalSep()) +
                         l.unit});
    for (const auto& c : desc.checks)
        out.push_back({c.name, checkText(st, c.text)});
    return out;
}

bool storeBox(State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
              std::string_view text) {
    const ParsedNumber n = parseNumber(text, st.run.decimalPointLocale, st.run.thousandsSep);
    // A text without a number in it is refused in either locale, never taken as 0.
    if (!n.ok || !n.found)
        return false;
    memberRecord(st.dc, desc.member).savedSet(desc.kind).*dimMember<BuiltUpDims>(box.dim) = n.value;
    return true;
}

BoxOutcome leaveBox(State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
                    std::string_view text) {
    BoxOutcome out;
    if (!storeBox(st, desc, box, text)) {
        out.parsed = false;
        out.warning = std::string(kInputMismatch);
        return out;
    }
    float& v =
        memberRecord(st.dc, desc.member).savedSet(desc.kind).*dimMember<BuiltUpDims>(box.dim);
    if (v < box.leave.minimum) {
        out.warning = box.leave.warning;
        if (box.leaveCorrects)
            v = box.leave.minimum;
    }
    return out;
}

std::vector<std::string> okWarnings(const State& st, const ProfileDialogDesc& desc) {
    std::vector<std::string> out;
    if (desc.ok != OkAction::RecheckAndClose)
        return out;
    const BuiltUpDims& set = savedSetOf(st, desc);
    for (const auto& b : desc.boxes)
        if (b.ok && dimensionValue(set, b.dim) < b.ok->minimum)
            out.emplace_back(b.ok->warning);
    return out;
}

std::vector<std::string> closingWarnings(const State& st, const ProfileDialogDesc& desc) {
    std::vector<std::string> out;
    const BuiltUpDims& set = savedSetOf(st, desc);
    for (const auto& b : desc.boxes)
        if (b.checkedOnClose && dimensionValue(set, b.dim) < b.leave.minimum)
            out.emplace_back(b.leave.warning);
    return out;
}

std::vector<std::string> tableListTexts(const State& st, const ProfileDialogDesc& desc) {
    std::vector<std::string> out;
    if (!desc.table)
        return out;
    const ProfileTable& table = st.profiles.of(*desc.table);
    for (int i = 0; i <= table.lastRow(); ++i)
        out.push_back(table.rowText(i, st.decimalSep()));
    return out;
}

std::optional<int> selectedTableRow(const State& st, const ProfileDialogDesc& desc) {
    if (!desc.table)
        return std::nullopt;
    ProfileRecord rec = memberRecord(st.dc, desc.member);
    const int row = rec.*tableRowMember(*desc.table);
    if (row < 0 || row > st.profiles.of(*desc.table).lastRow())
        return std::nullopt;
    return row;
}

bool chooseTableRow(State& st, const ProfileDialogDesc& desc, int row) {
    if (!desc.table || row < 0 || row > st.profiles.of(*desc.table).lastRow())
        return false;
    memberRecord(st.dc, desc.member).*tableRowMember(*desc.table) = static_cast<int16_t>(row);
    return true;
}

} // namespace velmora
