#include "feedline/balun.h"
#include "state/design_state.h"

#include <gtest/gtest.h>

namespace tavora {
namespace {

DesignState BalunDesign()
{
    DesignState s;
    s.DesignFreq = 144.1;
    s.VelocityFactor = 0.66;
    s.BalunLength = 299792 / 144.1 * 0.66 / 2; // 686.6 mm
    s.CoaxName = "RG-58";
    return s;
}

TEST(Balun, LabelsAndTitle)
{
    DesignState s = BalunDesign();
    EXPECT_EQ(BalunLengthLabel(s), "687 mm");
    EXPECT_EQ(FixCoaxName(s), "RG-58");
    EXPECT_EQ(BalunPrintTitle(s), "Balun for 144.1 MHz using 687 mm loop of RG-58");
    EXPECT_EQ(BalunPrintTitle(s, ','), "Balun for 144,1 MHz using 687 mm loop of RG-58");
}

TEST(Balun, ReportStandInBecomesUserDefinedCoaxAndStays)
{
    DesignState s = BalunDesign();
    s.CoaxName = "coax";
    EXPECT_EQ(FixCoaxName(s), "User defined coax");
    EXPECT_EQ(s.CoaxName, "User defined coax");
    EXPECT_EQ(FixCoaxName(s), "User defined coax");
    EXPECT_EQ(BalunPrintTitle(s), "Balun for 144.1 MHz using 687 mm loop of User defined coax");
    s.CoaxName = "Coax"; // whole text, case-sensitive
    EXPECT_EQ(FixCoaxName(s), "Coax");
}

TEST(Balun, SheetGeometryForAQuarterOf1200)
{
    const BalunSheetLayout g = BalunSheetGeometry(4800, BalunDesign());
    EXPECT_EQ(g.q, 1200);
    EXPECT_EQ(g.title.x, 1200);
    EXPECT_EQ(g.title.y, 960);
    EXPECT_EQ(g.pictureTopLeft.x, 1200);
    EXPECT_EQ(g.pictureTopLeft.y, 1200);
    EXPECT_EQ(g.pictureBottomRight.x, 3600);
    EXPECT_EQ(g.pictureBottomRight.y, 2400);
    EXPECT_EQ(g.length.x, 2400);
    EXPECT_EQ(g.length.y, 1560);
    EXPECT_EQ(g.lengthText, "687mm");
}

TEST(Balun, SheetGeometryRoundsTowardZeroThenHalvesToEven)
{
    const BalunSheetLayout g = BalunSheetGeometry(23, BalunDesign()); // q = 5
    EXPECT_EQ(g.q, 5);
    EXPECT_EQ(g.title.y, 4);
    EXPECT_EQ(g.length.y, 6); // 6.5
}

} // namespace
} // namespace tavora
