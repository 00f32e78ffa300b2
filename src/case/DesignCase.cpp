#include "case/DesignCase.h"
#include "calc/State.h"

#include <array>

namespace velmora {

namespace {
constexpr std::array<const char*, ProfileKind::Count> kKindCaptions = {
    "L-table",          "L-built up", "T-table", "T-built up",     "Flatbar-table",
    "Flatbar-built up", "Bulb Flat",  "RHS",     "Trapez-profile", "I-built up"};

void setBuiltUpDefaults(ProfileRecord& p, float flatH, float flatTw) {
    p.savedSet(ProfileKind::LBuiltUp) = {200, 90, 0, 9, 12};
    p.savedSet(ProfileKind::TBuiltUp) = {200, 90, 0, 9, 12};
    p.savedSet(ProfileKind::IBuiltUp) = {200, 90, 0, 9, 12};
    p.savedSet(ProfileKind::FlatBuiltUp) = {flatH, 0, 0, flatTw, 0};
    p.savedSet(ProfileKind::RHS) = {200, 90, 0, 9, 0};
    p.savedSet(ProfileKind::Trapez) = {200, 90, 50, 9, 0};
}
} // namespace

const char* stiffKindCaption(int16_t kind) {
    if (kind < 0 || kind >= ProfileKind::Count)
        return "";
    return kKindCaptions[static_cast<size_t>(kind)];
}

const char* ringKindCaption(int16_t kind) {
    if (kind == ProfileKind::IBuiltUp)
        return "I-profile";
    return stiffKindCaption(kind);
}

ProfileRecord newStiffenerRecord() {
    ProfileRecord p;
    p.kind = ProfileKind::LTable;
    setBuiltUpDefaults(p, 100, 10);
    return p;
}

ProfileRecord newRingRecord() {
    ProfileRecord p;
    p.kind = ProfileKind::TTable;
    setBuiltUpDefaults(p, 200, 9);
    return p;
}

ProfileSketch sketchForKind(int kind) {
    switch (kind) {
    case ProfileKind::LTable:
    case ProfileKind::LBuiltUp:
        return ProfileSketch::L;
    case ProfileKind::TTable:
    case ProfileKind::TBuiltUp:
        return ProfileSketch::T;
    case ProfileKind::FlatTable:
    case ProfileKind::FlatBuiltUp:
        return ProfileSketch::Flat;
    case ProfileKind::BulbFlat:
        return ProfileSketch::Bulb;
    case ProfileKind::RHS:
        return ProfileSketch::RHS;
    case ProfileKind::Trapez:
        return ProfileSketch::Trapez;
    case ProfileKind::IBuiltUp:
        return ProfileSketch::I;
    default:
        return ProfileSketch::None;
    }
}

void resetPanelLabels(CaseResults& res) {
    auto fill = [](ResultPanel& p, int count, std::initializer_list<const char*> labels) {
        p = ResultPanel{};
        p.lineCount = count;
        size_t i = 0;
        for (const char* l : labels)
            p.label[i++] = l;
    };
    fill(res.shellPanel, 10,
         {"Shell Buckling: (Ch 3.3.2)", "fEa = ", "fEtau = ", "fEh = ", "SighSd = ", "SigjSd = ",
          "lamdas = ", "fks = ", "gm = ", "fksd = ", "UF = SigjSd/fksd = "});
    fill(res.stiffPanel, 13,
         {"Stiffener Buckling: (Ch 3.6.3)", "se =", "Isef =", "fEa =", "fEtau = ", "fEh = ",
          "fT = ", "SighSd = ", "SigjSd = ", "lamdas = ", "fks = ", "gm = ", "fksd = "});
    fill(res.ringPanel, 12,
         {"Panel Ring Buckling: (Ch 3.5.2)",
          "Area requirement:", "UF = Areq/A = ", "Moment of inertia requirement:", "le =", "fT = ",
          "Ix =", "Ixh =", "Ih =", "IR =", "I =", "UF = IR/I = "});
    fill(res.columnPanel, 14,
         {"Global Buckling: (Ch 3.8)",
          "fkcd1 = ", "lamda1 = ", "fkcd2 = ", "lamda2 = ", "fakd = ", "fE1 = ", "fE2 = ", "gm = ",
          "Siga0Sd = ", "M1Sd/M2Sd = ", "Sigm1Sd = ", "Sigm2Sd = ", "UF1 = ", "UF2 =  "});
}

void newCase(State& st) {
    const ProfileRecord oldRing = st.dc.ring;
    st.dc = DesignCase{};
    st.dc.stiff = newStiffenerRecord();
    st.dc.ring = newRingRecord();
    // The ring frame keeps its selected table rows; the stiffener's go back to row 0.
    st.dc.ring.rowL = oldRing.rowL;
    st.dc.ring.rowT = oldRing.rowT;
    st.dc.ring.rowFlat = oldRing.rowFlat;
    st.dc.ring.rowBulb = oldRing.rowBulb;
    resetPanelLabels(st.res);
    st.run.fileName = "New File";
    st.summaryGroups.fill(true);
}

} // namespace velmora
