// Readers refuse files far beyond the size of their format before reading them whole, with a
// message naming the file, and leave the case, the database and the tables as they were.
#include "calc/CaseIo.h"
#include "calc/DatabaseRows.h"
#include "files/CaseFile.h"
#include "files/DataFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(FileSizeLimits, CaseFileOver64KilobytesIsRefused) {
    test::TempDir dir;
    State st = test::newTestState();
    st.dc.identification = "Kept";
    const std::string text = caseFileText(st.dc);
    // A real case file padded with blank lines up to the limit still reads.
    dir.write("padded.cys", text + std::string(64 * 1024 - text.size(), '\n'));
    EXPECT_EQ(readCaseFile(st, dir.str() + "/padded.cys"), "");
    // One byte more is refused unread.
    dir.write("big.cys", text + std::string(64 * 1024 - text.size() + 1, '\n'));
    st.dc.identification = "Current";
    const std::string error = readCaseFile(st, dir.str() + "/big.cys");
    EXPECT_NE(error.find("big.cys"), std::string::npos) << error;
    EXPECT_NE(error.find("far larger than a case file"), std::string::npos) << error;
    EXPECT_EQ(st.dc.identification, "Current");
}

TEST(FileSizeLimits, DatabaseOver4MegabytesIsRefused) {
    test::TempDir dir;
    State st = test::newTestState();
    ASSERT_TRUE(storeCaseInRow(st, 0));
    const int16_t rows = st.db.lastRow;
    dir.write("huge_in.csv", std::string(4 * 1024 * 1024 + 1, '%'));
    const std::string error = readDatabaseFile(st, dir.str() + "/huge_in.csv");
    EXPECT_NE(error.find("huge_in.csv"), std::string::npos) << error;
    EXPECT_NE(error.find("far larger"), std::string::npos) << error;
    EXPECT_EQ(st.db.lastRow, rows);
    EXPECT_FALSE(st.db.rows[0].isComment);
}

TEST(FileSizeLimits, TablesOver64KilobytesAreRefused) {
    test::TempDir dir;
    dir.write("DNVmat.dat", std::string(64 * 1024 + 1, ' '));
    dir.write("lprof.dat", std::string(64 * 1024 + 1, ' '));
    MaterialTable materials;
    const std::string error = loadMaterials(dir.str(), materials);
    EXPECT_EQ(error.rfind("DNVmat.dat: the file is far larger than a material table", 0), 0u)
        << error;
    ProfileTables tables;
    const std::vector<std::string> messages = loadProfileTables(dir.str(), tables);
    bool named = false;
    for (const std::string& m : messages)
        named = named || m.rfind("lprof.dat: the file is far larger than a profile table", 0) == 0;
    EXPECT_TRUE(named);
}

} // namespace
} // namespace velmora
