// The data files delivered beside the program, checked against the published section and steel
// standards they come from and against the proportion rules that make a profile usable. An
// engineer signs with what these files say, so the expectations below are worked out from the
// standards and the rule formulas, never read back from the program.

#include "calc/DatabaseRows.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "files/DataFiles.h"
#include "files/DatabaseFile.h"
#include "sections/Materials.h"
#include "sections/ProfileTables.h"
#include "support/RecordingNotifier.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace velmora {
namespace {

ProfileTables deliveredTables() {
    ProfileTables tables;
    for (const std::string& m : loadProfileTables(VELMORA_DATA_DIR, tables))
        ADD_FAILURE() << m;
    return tables;
}

MaterialTable deliveredMaterials() {
    MaterialTable table;
    const std::string msg = loadMaterials(VELMORA_DATA_DIR, table);
    EXPECT_EQ(msg, "");
    return table;
}

// sqrt(E/fy) for E = 210000 MPa and a 355 MPa steel: the proportion limits below are multiples
// of it (24.32).
const double kRoot355 = std::sqrt(210000.0 / 355.0);

// ---------------------------------------------------------------------------------------------
// Bulb flats

// Classification rules replace a bulb flat of height h and web tw by an angle with the same
// height: flange thickness tf' = h/9.2 - 2, overall flange width bf' = alpha*(tw + h/6.7 - 2)
// with alpha = 1.1 + (120 - h)^2/3000 up to h = 120 and 1 above. The web of that angle runs from
// the toe up to the underside of the flange, h - tf' long, and the flange spans the whole width
// bf' (the web thickness included), so its area is (h - tf')*tw + bf'*tf'.
double equivalentAngleArea(double h, double tw) {
    const double tf = h / 9.2 - 2;
    const double alpha = h <= 120 ? 1.1 + (120 - h) * (120 - h) / 3000 : 1.0;
    const double bf = alpha * (tw + h / 6.7 - 2);
    return (h - tf) * tw + bf * tf;
}

TEST(DeliveredBulbFlats, AreasAgreeWithTheEquivalentAngle) {
    // Hand check of the estimate for HP 200x10: tf' = 19.739, bf' = 37.851,
    // A' = 180.261*10 + 37.851*19.739 = 2550 mm2, the published area of that bulb flat.
    EXPECT_NEAR(equivalentAngleArea(200, 10), 2550, 1);
    const ProfileTables tables = deliveredTables();
    ASSERT_FALSE(tables.bulb.rows.empty());
    for (const ProfileRow& row : tables.bulb.rows) {
        SCOPED_TRACE("HP " + std::to_string(row.H) + "x" + std::to_string(row.tw));
        const double estimate = equivalentAngleArea(row.H, row.tw);
        EXPECT_LE(std::abs(row.A - estimate), 0.07 * estimate) << "A = " << row.A;
        EXPECT_GT(row.c, 0);
        EXPECT_GT(row.r, 0);
        EXPECT_LT(row.r, row.c); // the bulb's corner radius lies within its width
    }
}

TEST(DeliveredBulbFlats, SeriesHoldsTheEuropeanHpSizes) {
    const ProfileTables tables = deliveredTables();
    auto find = [&](float H, float tw) -> const ProfileRow* {
        for (const ProfileRow& r : tables.bulb.rows)
            if (r.H == H && r.tw == tw)
                return &r;
        return nullptr;
    };
    // The largest size of the series, and the bulb dimensions c and r of HP 200 and HP 430.
    const ProfileRow* hp430x20 = find(430, 20);
    ASSERT_NE(hp430x20, nullptr);
    EXPECT_EQ(hp430x20->c, 62.5f);
    EXPECT_EQ(hp430x20->r, 19.5f);
    const ProfileRow* hp200x10 = find(200, 10);
    ASSERT_NE(hp200x10, nullptr);
    EXPECT_EQ(hp200x10->c, 28.0f);
    EXPECT_EQ(hp200x10->r, 8.0f);
    EXPECT_NEAR(hp200x10->A, 2550, 0.01 * 2550);
    // One row per size, within the 61-row limit of the bulb-flat table.
    EXPECT_LE(tables.bulb.rows.size(), 61u);
    std::set<std::pair<float, float>> sizes;
    for (const ProfileRow& r : tables.bulb.rows)
        sizes.insert({r.H, r.tw});
    EXPECT_EQ(sizes.size(), tables.bulb.rows.size());
}

// The program replaces the bulb by an L flange of width B = c + tw - 0.45*r and of the thickness
// that gives the table area. A real bulb is squat: that flange must be thinner than it is wide,
// and the profile built from it must have the table's area.
TEST(DeliveredBulbFlats, EquivalentFlangeIsThinnerThanItIsWide) {
    State st = test::newTestState();
    st.profiles = deliveredTables();
    RecordingNotifier nt;
    for (size_t i = 0; i < st.profiles.bulb.rows.size(); ++i) {
        const ProfileRow& row = st.profiles.bulb.rows[i];
        SCOPED_TRACE(st.profiles.bulb.rowText(static_cast<int>(i)));
        const double B = row.c + row.tw - 0.45 * row.r;
        const double tf = (row.A - row.H * row.tw) / (row.c - 0.45 * row.r);
        EXPECT_GT(tf, 0);
        EXPECT_LT(tf, B);

        st.dc.stiff.kind = ProfileKind::BulbFlat;
        st.dc.stiff.rowBulb = static_cast<int16_t>(i);
        computeStiffenerSection(st, nt, ProfileKind::BulbFlat);
        EXPECT_NEAR(st.dc.stiff.B, B, 1e-4 * B);
        EXPECT_NEAR(st.dc.stiff.tf, tf, 1e-4 * tf);
        EXPECT_NEAR(st.res.stiffSection.A, row.A, 1e-4 * row.A);
    }
    EXPECT_TRUE(nt.warnings().empty());
}

// ---------------------------------------------------------------------------------------------
// Flat bars, T and L profiles

TEST(DeliveredProfiles, FlatBarsAreUsableAndIncludeStockyBars) {
    const ProfileTables tables = deliveredTables();
    ASSERT_FALSE(tables.flat.rows.empty());
    for (const ProfileRow& r : tables.flat.rows)
        EXPECT_LE(r.H / r.tw, 20.0f) << "Fb " << r.H << "x" << r.tw;

    // Bars that pass the flat-bar web check h <= 0.4*tw*sqrt(E/fy) at 355 MPa, that is
    // h <= 9.73*tw: 100x12 (limit 116.7), 150x16 (155.7) and 200x25 (243.2).
    auto passes355 = [](const ProfileRow& r) { return r.H <= 0.4 * r.tw * kRoot355; };
    for (std::pair<float, float> bar :
         {std::pair{100.0f, 12.0f}, {150.0f, 16.0f}, {200.0f, 25.0f}}) {
        bool found = false;
        for (const ProfileRow& r : tables.flat.rows)
            if (r.H == bar.first && r.tw == bar.second) {
                found = true;
                EXPECT_TRUE(passes355(r)) << "Fb " << r.H << "x" << r.tw;
            }
        EXPECT_TRUE(found) << "Fb " << bar.first << "x" << bar.second;
    }
    // Fb 200x20 (h/t = 10) just fails at 355 MPa: the limit is 194.6 mm.
    EXPECT_FALSE(passes355({200, 0, 20}));
}

TEST(DeliveredProfiles, EveryTFlangeHasAWebThatPassesAt355) {
    const ProfileTables tables = deliveredTables();
    ASSERT_FALSE(tables.T.rows.empty());
    // Web of a flanged profile: hw = H - tf <= 1.35*tw*sqrt(E/fy); T 350x100x10x15 has
    // hw = 335 > 328.3 and fails, T 350x100x12x15 (limit 394.0) passes.
    auto webPasses = [](const ProfileRow& r) { return r.H - r.tf <= 1.35 * r.tw * kRoot355; };
    EXPECT_FALSE(webPasses({350, 100, 10, 15}));
    EXPECT_TRUE(webPasses({350, 100, 12, 15}));
    for (const ProfileRow& thin : tables.T.rows) {
        // Flange outstand (B - tw)/2 <= 0.4*tf*sqrt(E/fy) holds for every row.
        EXPECT_LE((thin.B - thin.tw) / 2, 0.4 * thin.tf * kRoot355)
            << "T " << thin.H << "x" << thin.B;
        if (webPasses(thin))
            continue;
        bool thickerPasses = false;
        for (const ProfileRow& r : tables.T.rows)
            thickerPasses =
                thickerPasses || (r.H == thin.H && r.B == thin.B && r.tw > thin.tw && webPasses(r));
        EXPECT_TRUE(thickerPasses) << "T " << thin.H << "x" << thin.B << "x" << thin.tw << "x"
                                   << thin.tf << " has no thicker web that passes at 355 MPa";
    }
}

TEST(DeliveredProfiles, TablesStaySortedWithinTheirRowLimits) {
    const ProfileTables tables = deliveredTables();
    for (TableKind k : {TableKind::L, TableKind::T, TableKind::Flat, TableKind::Bulb}) {
        const ProfileTable& t = tables.of(k);
        SCOPED_TRACE(tableFileName(k));
        EXPECT_LE(t.rows.size(), static_cast<size_t>(tableMaxRows(k)));
        for (size_t i = 1; i < t.rows.size(); ++i) {
            const ProfileRow& a = t.rows[i - 1];
            const ProfileRow& b = t.rows[i];
            EXPECT_LT(std::tie(a.H, a.B, a.tw, a.tf), std::tie(b.H, b.B, b.tw, b.tf))
                << t.rowText(static_cast<int>(i));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Materials

// Case files store the material row, so every grade keeps its place.
TEST(DeliveredMaterials, GradesKeepTheirRows) {
    const MaterialTable table = deliveredMaterials();
    const std::array<const char*, 16> names = {
        "NV-NS", "NV-32", "NV-36", "NV-40", "NV-420", "NV-460", "S235",  "S275",
        "S355",  "S420N", "S460N", "S420M", "S460M",  "S460Q",  "S690Q", "User defined"};
    ASSERT_EQ(table.rows.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(table.rows[i].name, names[i]) << "row " << i;
    for (size_t i = 0; i + 1 < table.rows.size(); ++i) {
        const auto& v = table.rows[i].v;
        for (size_t k = 1; k + 2 < v.size(); k += 2)
            EXPECT_LT(v[k], v[k + 2]) << table.rows[i].name << ": limits ascend";
        for (size_t k = 0; k + 2 < v.size(); k += 2)
            EXPECT_GE(v[k], v[k + 2]) << table.rows[i].name << ": strength does not rise";
    }
}

// A band of a steel standard: the minimum yield strength for thicknesses up to `upTo` (mm).
struct Band {
    float upTo;
    float fy;
};

struct GradeSource {
    int row;
    // The grade's own standard, up to the thickness to which the table takes it exactly.
    std::vector<Band> exact;
    // Lower figures the table may use above that thickness: the standard's further bands or
    // those of a related standard for the same or a lower strength class.
    std::vector<Band> above;
};

float bandValue(const std::vector<Band>& bands, float T) {
    for (const Band& b : bands)
        if (T <= b.upTo)
            return b.fy;
    return bands.empty() ? 0 : bands.back().fy;
}

// Minimum yield strengths ReH of the published standards:
// EN 10025-2 (S235, S275, S355; the bands above 250 mm are those of J2 and K2),
// EN 10025-3 (S420N, S460N), EN 10025-4 (S420M, S460M), EN 10025-6 (S460Q, S690Q),
// IACS UR W11 for normal and higher strength hull steel (235, 315, 355, 390 MPa to 100 mm) and
// UR W16 for the extra high strength grades (420 and 460 MPa).
const std::vector<Band> kS235 = {{16, 235},  {40, 225},  {100, 215}, {150, 195},
                                 {200, 185}, {250, 175}, {400, 165}};
const std::vector<Band> kS275 = {{16, 275},  {40, 265},  {63, 255},  {80, 245}, {100, 235},
                                 {150, 225}, {200, 215}, {250, 205}, {400, 195}};
const std::vector<Band> kS355 = {{16, 355},  {40, 345},  {63, 335},  {80, 325}, {100, 315},
                                 {150, 295}, {200, 285}, {250, 275}, {400, 265}};
const std::vector<Band> kS420N = {{16, 420},  {40, 400},  {63, 390},  {80, 370},
                                  {100, 360}, {150, 340}, {200, 330}, {250, 320}};
const std::vector<Band> kS460N = {{16, 460},  {40, 440},  {63, 430}, {80, 410},
                                  {100, 400}, {150, 380}, {200, 370}};

std::vector<Band> tail(const std::vector<Band>& bands, float from) {
    std::vector<Band> out;
    for (const Band& b : bands)
        if (b.upTo > from)
            out.push_back(b);
    return out;
}

TEST(DeliveredMaterials, StrengthsAreThoseOfTheStandards) {
    const MaterialTable table = deliveredMaterials();
    const std::vector<GradeSource> sources = {
        {0, {{100, 235}}, tail(kS235, 100)},
        {1, {{100, 315}}, tail(kS275, 100)},
        {2, {{100, 355}}, tail(kS355, 100)},
        {3, {{100, 390}}, tail(kS355, 100)},
        {4, {{50, 420}, {100, 390}, {150, 365}}, tail(kS420N, 150)},
        {5, {{50, 460}, {100, 430}, {150, 390}}, tail(kS460N, 150)},
        {6, kS235, {}},
        {7, {kS275.begin(), kS275.begin() + 6}, tail(kS275, 150)},
        {8, {kS355.begin(), kS355.begin() + 6}, tail(kS355, 150)},
        {9, {kS420N.begin(), kS420N.begin() + 6}, tail(kS420N, 150)},
        {10, kS460N, {}},
        {11,
         {{16, 420}, {40, 400}, {63, 390}, {80, 380}, {100, 370}, {120, 365}},
         tail(kS420N, 120)},
        {12,
         {{16, 460}, {40, 440}, {63, 430}, {80, 410}, {100, 400}, {120, 385}},
         tail(kS460N, 120)},
        {13, {{50, 460}, {100, 440}, {150, 400}}, tail(kS460N, 150)},
        {14, {{50, 690}, {100, 650}, {150, 630}}, {}},
    };
    // Thicknesses on, just above and between the band limits of all the standards.
    std::vector<float> thicknesses;
    for (float limit :
         {16.0f, 40.0f, 50.0f, 63.0f, 80.0f, 100.0f, 120.0f, 150.0f, 200.0f, 250.0f, 400.0f})
        for (float dT : {-1.0f, 0.0f, 0.1f})
            thicknesses.push_back(limit + dT);
    thicknesses.push_back(5);

    for (const GradeSource& g : sources) {
        const std::string& name = table.rows[static_cast<size_t>(g.row)].name;
        const float exactTo = g.exact.back().upTo;
        for (float T : thicknesses) {
            const float fy = lookupYield(table, g.row, T, -1);
            if (T <= exactTo) {
                EXPECT_EQ(fy, bandValue(g.exact, T)) << name << " at " << T << " mm";
            } else if (!g.above.empty() && T <= g.above.back().upTo) {
                // Above the exact range the table may merge bands, but never exceeds the
                // standard's figure for that thickness.
                EXPECT_LE(fy, bandValue(g.above, T)) << name << " at " << T << " mm";
                EXPECT_GE(fy, g.above.back().fy) << name << " at " << T << " mm";
            } else {
                // Beyond every standard the last figure repeats.
                EXPECT_EQ(fy, lookupYield(table, g.row, 1000, -1)) << name << " at " << T;
            }
        }
    }
    // The figures quoted for the thickest plates of EN 10025-2.
    EXPECT_EQ(lookupYield(table, 6, 220, -1), 175);
    EXPECT_EQ(lookupYield(table, 8, 220, -1), 265); // 275 to 250 mm, 265 above: the lower one
    EXPECT_EQ(lookupYield(table, 7, 220, -1), 195); // 205 to 250 mm, 195 above: the lower one
}

// ---------------------------------------------------------------------------------------------
// The start-up database

struct CaseVerdict {
    std::string identification;
    bool fails = false;
};

// A check fails when its usage factor is above the permitted one (the red lines of the panels).
bool anyUsageFactorFails(const State& st) {
    const CaseResults& r = st.res;
    bool fails = r.shellUF > r.UFallow;
    if (st.dc.cylinderType == CylinderType::StringerStiffened && !r.slenderNote)
        fails = fails || r.stiffUF > r.stiffUFallow;
    if (st.dc.ringControl != 0)
        fails = fails || r.ringAreaUF > st.dc.UF || r.ringInertiaUF > st.dc.UF;
    if (st.dc.cylinderType == CylinderType::Column)
        fails = fails || r.UF1 > r.UFallow || r.UF2 > r.UFallow;
    return fails;
}

TEST(DeliveredDatabase, EveryCaseCalculatesAndOnlyTheNamedOneFails) {
    State st = test::newTestState();
    ASSERT_EQ(loadMaterials(VELMORA_DATA_DIR, st.materials), "");
    st.profiles = deliveredTables();
    ASSERT_EQ(readDatabaseFile(st, std::string(VELMORA_DATA_DIR) + "/Velmora_Dnv_in.csv"), "");

    std::vector<CaseVerdict> verdicts;
    std::set<int> types, stiffKinds, ringKinds;
    for (int i = 0; i <= st.db.lastRow; ++i) {
        const DatabaseRow& row = st.db.rows[static_cast<size_t>(i)];
        if (row.isComment)
            continue;
        SCOPED_TRACE(row.identification);
        // The program adds the hoop stress p*r/t of the pressure itself: a global Sigy of the
        // same size would count it twice.
        if (row.pd != 0) {
            const double hoop = static_cast<double>(row.pd) * row.r / row.t;
            EXPECT_LE(std::abs(row.Sigy), 0.25 * std::abs(hoop)) << "Sigy " << row.Sigy;
        }
        // A bulb flat is found by height and thickness; one that is not in the table would
        // silently become row 0.
        for (const ProfileEntry* e : {&row.stiff, &row.ring})
            if (e->kind == ProfileKind::BulbFlat) {
                const ProfileRow& b = st.profiles.bulb.rows[static_cast<size_t>(e->bulbRow)];
                EXPECT_EQ(b.H, e->dims[0]) << e->designation;
                EXPECT_EQ(b.tw, e->dims[1]) << e->designation;
            }
        types.insert(codeNumber(row.cylinderType));
        if (row.cylinderType == CylinderType::StringerStiffened)
            stiffKinds.insert(row.stiff.kind);
        if (row.ringFrameControl != 0 || row.cylinderType == CylinderType::RingStiffened)
            ringKinds.insert(row.ring.kind);

        RecordingNotifier nt;
        ASSERT_TRUE(loadRowIntoCase(st, nt, i)) << st.run.calcMessage;
        EXPECT_TRUE(st.run.calcMessage.empty()) << st.run.calcMessage;
        verdicts.push_back({row.identification, anyUsageFactorFails(st)});
    }
    EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3}));
    // Stiffeners: L, T, flat bar, bulb flat, RHS, trapezoid; ring frames: L, T, flat bar, bulb
    // flat and I.
    EXPECT_EQ(stiffKinds, (std::set<int>{1, 3, 5, 6, 7, 8}));
    EXPECT_EQ(ringKinds, (std::set<int>{1, 3, 5, 6, 9}));

    int failing = 0;
    for (const CaseVerdict& v : verdicts) {
        const bool named = v.identification.find("FAILS") != std::string::npos;
        EXPECT_EQ(v.fails, named) << v.identification;
        failing += named ? 1 : 0;
    }
    EXPECT_EQ(failing, 1);
}

} // namespace
} // namespace velmora
