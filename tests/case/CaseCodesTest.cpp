// The named codes of a design case and the groups of result columns that apply to it.

#include "case/Codes.h"
#include "case/DesignCase.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

TEST(StoredCodes, NumbersOutsideTheEnumerationStandForNothing) {
    EXPECT_EQ(CylinderType::Unstiffened, codeFromNumber<CylinderType>(0));
    EXPECT_EQ(CylinderType::Column, codeFromNumber<CylinderType>(3));
    EXPECT_FALSE(codeFromNumber<CylinderType>(-1));
    EXPECT_FALSE(codeFromNumber<CylinderType>(4));
    EXPECT_EQ(DesignFormat::WSD, codeFromNumber<DesignFormat>(1));
    EXPECT_FALSE(codeFromNumber<DesignFormat>(2));
    EXPECT_FALSE(codeFromNumber<DesignFormat>(-32768));
    EXPECT_EQ(3, lastCodeNumber<CylinderType>());
    EXPECT_EQ(1, lastCodeNumber<DesignFormat>());
}

// Which columns and result groups of the results file and the summary table a case has:
// stiffener ones for stringer-stiffened cylinders, ring-frame ones with the ring-frame check,
// stresses for all but columns and column data for columns.
TEST(AppliesTo, EachGroupForTheCasesThatHaveIt) {
    struct Expected {
        CylinderType type;
        int16_t ringControl;
        bool stringer, ring, notColumn, column;
    };
    const Expected cases[] = {
        {CylinderType::Unstiffened, 0, false, false, true, false},
        {CylinderType::RingStiffened, 0, false, false, true, false},
        {CylinderType::RingStiffened, 1, false, true, true, false},
        {CylinderType::StringerStiffened, 0, true, false, true, false},
        {CylinderType::StringerStiffened, 1, true, true, true, false},
        {CylinderType::Column, 0, false, false, false, true},
        // The ring-frame group follows the switch alone, as the files always showed it.
        {CylinderType::Column, 1, false, true, false, true},
    };
    for (const Expected& e : cases) {
        DesignCase dc;
        dc.cylinderType = e.type;
        dc.ringControl = e.ringControl;
        const int type = codeNumber(e.type);
        EXPECT_TRUE(applies(AppliesTo::Always, dc)) << type;
        EXPECT_EQ(e.stringer, applies(AppliesTo::Stringer, dc)) << type;
        EXPECT_EQ(e.ring, applies(AppliesTo::Ring, dc)) << type << " " << e.ringControl;
        EXPECT_EQ(e.notColumn, applies(AppliesTo::NotColumn, dc)) << type;
        EXPECT_EQ(e.column, applies(AppliesTo::Column, dc)) << type;
    }
}

} // namespace
