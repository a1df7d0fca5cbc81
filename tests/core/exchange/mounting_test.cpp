// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/mounting.h"

#include "state/errors.h"

#include <gtest/gtest.h>

using namespace tavora;

namespace {

YoEntryTexts Group(const std::string& reflector, const std::string& from, const std::string& freq = "144.1",
                   const std::string& boom = "25")
{
    YoEntryTexts e = DesignState().YoEntry;
    e[38] = reflector;
    e[40] = from;
    e[36] = freq;
    e[37] = boom;
    return e;
}

} // namespace

TEST(BoomCorrection, WorkedValues)
{
    EXPECT_NEAR(BoomCorrection(144.1, 25), 7.355, 0.0005);
    EXPECT_NEAR(BoomCorrection(1296, 40), 26.64, 1e-9); // the 0.666 a limit
}

TEST(MountingConversion, WorkedReflectorOf1030)
{
    struct Case {
        Mounting from, to;
        const char* result;
    };
    const Case cases[] = {
        {Mounting::Bonded, Mounting::NonMetal, "1023"},
        {Mounting::Bonded, Mounting::Insulated, "1026"},
        {Mounting::NonMetal, Mounting::Bonded, "1037"},
        {Mounting::NonMetal, Mounting::Insulated, "1034"},
    };
    for (const Case& c : cases) {
        YoEntryTexts e = Group("1030", std::to_string(static_cast<int>(c.from)));
        DoTheConversion(e, c.to);
        EXPECT_EQ(e[38], c.result);
        EXPECT_EQ(e[40], std::to_string(static_cast<int>(c.to)));
    }
}

TEST(MountingConversion, RoundTripsAndLeavesEmptyRowsAndOtherEntries)
{
    YoEntryTexts e = Group("1030", "2");
    e[4] = "927.5"; // director 1
    e[5] = "572";   // its distance
    DoTheConversion(e, Mounting::Bonded);
    EXPECT_EQ(e[38], "1037");
    EXPECT_EQ(e[4], "935"); // 934.855 rounded
    EXPECT_EQ(e[6], "0");   // director 2 left at "0"
    EXPECT_EQ(e[5], "572");
    DoTheConversion(e, Mounting::NonMetal);
    EXPECT_EQ(e[38], "1030"); // 1029.645
}

TEST(MountingConversion, ShiftTable)
{
    EXPECT_EQ(MountingShift(2, 0, 1), 1);
    EXPECT_EQ(MountingShift(1, 2, 3), -1.5);
    EXPECT_EQ(MountingShift(-1, 2, 3), 0);
    EXPECT_EQ(MountingShift(3, 0, 3), 0);
}

TEST(MountingConversion, WithNoShiftOnlyReformats)
{
    for (const char* from : {"2", "-1"}) {
        YoEntryTexts e = Group("1012.50", from);
        e[4] = "-3.0";
        DoTheConversion(e, Mounting::NonMetal);
        EXPECT_EQ(e[38], "1012.5") << from;
        EXPECT_EQ(e[4], "-3") << from;
        EXPECT_EQ(e[40], "2");
    }
}

TEST(MountingConversion, ANonNumberChangesNothing)
{
    YoEntryTexts e = Group("1030", "0");
    e[20] = "";
    const YoEntryTexts before = e;
    EXPECT_THROW(DoTheConversion(e, Mounting::NonMetal), ConversionError);
    EXPECT_EQ(e, before);
}
