#include "sections/Materials.h"
#include "calc/Steps.h"
#include "files/DataFiles.h"

#include "calc/State.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;

// A grade with distinct yields in each of its seven bands: limits 10, 20, ..., 60 mm.
const std::string kGradeRow = "\"Test grade\",300,10,290,20,280,30,270,40,260,50,250,60,240";
const std::string kUserRow = "\"User defined\",355,16,355,40,355,63,355,80,355,100,355,150,355";

MaterialTable parseOk(const std::string& text) {
    std::string error;
    std::optional<MaterialTable> t = parseMaterials(text, "DNVmat.dat", error);
    EXPECT_TRUE(t.has_value()) << error;
    EXPECT_EQ(error, "");
    return t ? *t : MaterialTable{};
}

std::string parseFails(const std::string& text) {
    std::string error;
    std::optional<MaterialTable> t = parseMaterials(text, "DNVmat.dat", error);
    EXPECT_FALSE(t.has_value());
    return error;
}

std::string rows(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += kGradeRow + "\r\n";
    return text;
}

using test::TempDir;

TEST(MaterialsTest, BandLimitsBelongToTheLowerBand) {
    const MaterialTable t = parseOk(kGradeRow + "\r\n" + kUserRow + "\r\n");
    ASSERT_EQ(t.materialCount(), 1);
    EXPECT_EQ(lookupYield(t, 0, 0.5f, -1), 300);
    EXPECT_EQ(lookupYield(t, 0, 10.0f, -1), 300);
    EXPECT_EQ(lookupYield(t, 0, 10.1f, -1), 290);
    EXPECT_EQ(lookupYield(t, 0, 20.0f, -1), 290);
    EXPECT_EQ(lookupYield(t, 0, 20.1f, -1), 280);
    EXPECT_EQ(lookupYield(t, 0, 30.0f, -1), 280);
    EXPECT_EQ(lookupYield(t, 0, 40.0f, -1), 270);
    EXPECT_EQ(lookupYield(t, 0, 50.0f, -1), 260);
    EXPECT_EQ(lookupYield(t, 0, 60.0f, -1), 250);
    EXPECT_EQ(lookupYield(t, 0, 60.1f, -1), 240);
    EXPECT_EQ(lookupYield(t, 0, 500.0f, -1), 240);
}

TEST(MaterialsTest, UserDefinedAndOutsideRowsKeepTheCurrentValue) {
    const MaterialTable t = parseOk(rows(4) + kUserRow + "\n");
    EXPECT_EQ(t.materialCount(), 4); // five rows: the last index is the user-defined one
    EXPECT_EQ(lookupYield(t, 3, 15.0f, 123.5f), 290);
    EXPECT_EQ(lookupYield(t, 4, 15.0f, 123.5f), 123.5f);
    EXPECT_EQ(lookupYield(t, 5, 15.0f, 123.5f), 123.5f);
    EXPECT_EQ(lookupYield(t, 21, 15.0f, 123.5f), 123.5f);
    EXPECT_EQ(lookupYield(t, -1, 15.0f, 123.5f), 123.5f);
    EXPECT_EQ(lookupYield(MaterialTable{}, 0, 15.0f, 77.0f), 77.0f);
}

TEST(MaterialsTest, LookupsUseTheirPartsThicknessAndRow) {
    State st;
    st.materials = parseOk(kGradeRow + "\n" + kGradeRow + "\n" + kUserRow + "\n");
    st.dc.t = 25;
    st.res.tGovern = 45;
    st.dc.plateMaterial = 0;
    st.dc.stiffMaterial = 1;
    st.dc.ringMaterial = 2; // user-defined: stays as typed
    st.dc.fyr = 321;
    lookupFyp(st);
    lookupFys(st);
    lookupFyr(st);
    EXPECT_EQ(st.dc.fyp, 280); // 20 < 25 <= 30
    EXPECT_EQ(st.dc.fys, 260); // 40 < 45 <= 50
    EXPECT_EQ(st.dc.fyr, 321);

    st.dc.ringMaterial = 0;
    st.res.tGovern = 8;
    lookupFyr(st);
    EXPECT_EQ(st.dc.fyr, 300);
    EXPECT_EQ(st.dc.fys, 260); // unchanged until looked up again
}

TEST(MaterialsTest, NamesQuotedOrPlainAndLineEnds) {
    const MaterialTable t = parseOk("\"S355, normalised\",355,16,345,40,335,63,325,80,315,100,295,"
                                    "150,285\n"
                                    "  Plain name  , 235 ,16,225,40,215,63,215,80,215,100,195,150,"
                                    "185\r\n"
                                    "Stahl \xC4"
                                    ",1,1,2,2,3,3,4,4,5,5,6,6,7\r\n"
                                    "\r\n  \n");
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0].name, "S355, normalised");
    EXPECT_EQ(t.rows[0].v[1], 16);
    EXPECT_EQ(t.rows[0].v[12], 285);
    EXPECT_EQ(t.rows[1].name, "Plain name");
    EXPECT_EQ(t.rows[1].v[0], 235);
    EXPECT_EQ(t.rows[2].name, "Stahl \xC3\x84"); // Windows-1252 A umlaut as UTF-8
    EXPECT_EQ(t.rows[2].v[12], 7);

    // Decimal numbers and no final line end.
    const MaterialTable d = parseOk("X,355.5,12.5,345,40,335,63,325,80,315,100,295,150,285");
    EXPECT_EQ(d.rows[0].v[0], 355.5f);
    EXPECT_EQ(d.rows[0].v[1], 12.5f);
}

TEST(MaterialsTest, MalformedRowsNameFileAndLine) {
    const std::string good = kGradeRow + "\n" + kGradeRow + "\n";
    struct Case {
        std::string row;
        const char* what;
    };
    const Case cases[] = {
        {"A,300,10,290,20,280,30,270,40,260,50,250,60", "12 numbers"},
        {"A,300,10,290,20,280,30,270,40,260,50,250,60,240,230", "14 numbers"},
        {"A,300,10,290,20,280,30,270,40,260,50,250,60,240,", "trailing comma"},
        {"A,300,10,290,20,abc,30,270,40,260,50,250,60,240", "not a number"},
        {"A,300,10,290,20,280,30,270,40,260,50,250,60,2,40", "comma as decimal separator"},
        {"A,300,10,290,20,280,20,270,40,260,50,250,60,240", "equal limits"},
        {"A,300,10,290,20,280,30,270,25,260,50,250,60,240", "descending limit"},
        {"A,300,0,290,20,280,30,270,40,260,50,250,60,240", "zero first limit"},
        {"A,300,10,290,20,280,30,0,40,260,50,250,60,240", "zero yield"},
        {"A,300,10,290,20,280,30,270,40,260,50,250,60,-240", "negative yield"},
        {"\"A,300,10,290,20,280,30,270,40,260,50,250,60,240", "open quote"},
        {"\"A\" 300,10,290,20,280,30,270,40,260,50,250,60,240", "no comma after quote"},
        {",300,10,290,20,280,30,270,40,260,50,250,60,240", "empty name"},
        {"Only a name", "no numbers"},
        {"", "empty line between rows"},
    };
    for (const Case& c : cases) {
        const std::string error = parseFails(good + c.row + "\n" + kUserRow + "\n");
        EXPECT_EQ(error.rfind("DNVmat.dat, line 3: ", 0), 0u) << c.what << ": " << error;
    }
}

TEST(MaterialsTest, TableSizeLimits) {
    EXPECT_EQ(parseOk(rows(21)).materialCount(), 20);
    const std::string error = parseFails(rows(22));
    EXPECT_EQ(error.rfind("DNVmat.dat, line 22: ", 0), 0u) << error;
    EXPECT_NE(parseFails("").find("DNVmat.dat"), std::string::npos);
    EXPECT_NE(parseFails("\r\n\r\n").find("DNVmat.dat"), std::string::npos);
}

TEST(MaterialsTest, LoadLeavesNoPartialTable) {
    MaterialTable table = parseOk(rows(3));
    TempDir dir;

    // Missing file.
    std::string msg = loadMaterials(dir.str(), table);
    EXPECT_NE(msg.find("DNVmat.dat"), std::string::npos) << msg;
    EXPECT_TRUE(table.rows.empty());
    EXPECT_EQ(table.materialCount(), -1);

    // A bad fourth row: the three good rows before it are not kept.
    table = parseOk(rows(3));
    dir.write("DNVmat.dat", rows(3) + "A,1,2,3\r\n" + kUserRow + "\r\n");
    msg = loadMaterials(dir.str(), table);
    EXPECT_EQ(msg.rfind("DNVmat.dat, line 4: ", 0), 0u) << msg;
    EXPECT_TRUE(table.rows.empty());

    dir.write("DNVmat.dat", rows(3) + kUserRow + "\r\n");
    msg = loadMaterials(dir.str(), table);
    EXPECT_EQ(msg, "");
    EXPECT_EQ(table.materialCount(), 3);
    EXPECT_EQ(table.rows[3].name, "User defined");
}

TEST(MaterialsTest, DeliveredTableLoads) {
    MaterialTable table;
    const std::string msg = loadMaterials(VELMORA_DATA_DIR, table);
    ASSERT_EQ(msg, "");
    EXPECT_GE(table.materialCount(), 3); // a new case looks up row 2
    EXPECT_LE(table.rows.size(), static_cast<size_t>(MaterialTable::maxRows));
    EXPECT_EQ(table.rows.back().name, "User defined");
    // The new case: plate 20 mm of row 2, a 355 MPa steel.
    EXPECT_EQ(lookupYield(table, 2, 20.0f, 0), 355);

    State st;
    st.materials = table;
    lookupFyp(st);
    EXPECT_EQ(st.dc.fyp, 355);
}

} // namespace
} // namespace velmora
