#include "case/DesignCase.h"

#include "case/CaseResults.h"

namespace velmora {

namespace {
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
    const ProfileKindDesc* k = findProfileKind(kind);
    return k ? k->stiffCaption : "";
}

const char* ringKindCaption(int16_t kind) {
    const ProfileKindDesc* k = findProfileKind(kind);
    return k ? k->ringCaption : "";
}

bool isTableKind(int16_t kind) {
    const ProfileKindDesc* k = findProfileKind(kind);
    return k && k->table.has_value();
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
    if (kind < INT16_MIN || kind > INT16_MAX)
        return ProfileSketch::None;
    const ProfileKindDesc* k = findProfileKind(static_cast<int16_t>(kind));
    return k ? k->family : ProfileSketch::None;
}

void resetPanelLabels(CaseResults& res) {
    auto fill = [](ResultPanel& p, int count, std::initializer_list<const char*> labels) {
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

bool applies(AppliesTo a, const DesignCase& dc) {
    switch (a) {
    case AppliesTo::Always:
        return true;
    case AppliesTo::Stringer:
        return dc.cylinderType == CylinderType::StringerStiffened;
    case AppliesTo::Ring:
        return dc.ringControl == 1;
    case AppliesTo::NotColumn:
        return dc.cylinderType != CylinderType::Column;
    case AppliesTo::Column:
        return dc.cylinderType == CylinderType::Column;
    }
    return true;
}

} // namespace velmora
