// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedline/balun.h"

#include <gtest/gtest.h>

namespace tavora {
namespace {

DesignState BalunDesign(const char* coax)
{
    DesignState s;
    s.DesignFreq = 144.1;
    s.BalunLength = 299792 / 144.1 * 0.66 / 2; // 686.6 mm
    s.CoaxName = coax;
    return s;
}

TEST(Balun, LabelsTitleAndTheUserDefinedCoax)
{
    DesignState s = BalunDesign("RG-58");
    EXPECT_EQ(BalunLengthLabel(s), "687 mm");
    EXPECT_EQ(FixCoaxName(s), "RG-58");
    EXPECT_EQ(BalunPrintTitle(s, ','), "Balun for 144,1 MHz using 687 mm loop of RG-58");
    s.CoaxName = "coax"; // the report's stand-in
    EXPECT_EQ(FixCoaxName(s), "User defined coax");
    EXPECT_EQ(FixCoaxName(s), "User defined coax");
    EXPECT_EQ(BalunPrintTitle(s), "Balun for 144.1 MHz using 687 mm loop of User defined coax");
    s.CoaxName = "Coax"; // whole text, case-sensitive
    EXPECT_EQ(FixCoaxName(s), "Coax");
}

TEST(Balun, SheetGeometry)
{
    const BalunSheetLayout g = BalunSheetGeometry(4800, BalunDesign("RG-58"));
    EXPECT_EQ(g.q, 1200);
    EXPECT_EQ(std::make_pair(g.title.x, g.title.y), std::make_pair(1200LL, 960LL));
    EXPECT_EQ(std::make_pair(g.pictureTopLeft.x, g.pictureTopLeft.y),
              std::make_pair(1200LL, 1200LL));
    EXPECT_EQ(std::make_pair(g.pictureBottomRight.x, g.pictureBottomRight.y),
              std::make_pair(3600LL, 2400LL));
    EXPECT_EQ(std::make_pair(g.length.x, g.length.y), std::make_pair(2400LL, 1560LL));
    EXPECT_EQ(g.lengthText, "687mm");
    // q = 23 / 4 = 5 toward zero; 1.3 q = 6.5 goes to the even 6.
    EXPECT_EQ(BalunSheetGeometry(23, BalunDesign("x")).length.y, 6);
}

} // namespace
} // namespace tavora
