// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/resize_kit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavora::shell {
namespace {

constexpr DesignFrame kGain{1050, 770, 96, 96};

TEST(ResizeKit, DesignSizeAt96DpiKeepsEveryControl)
{
    const Factors f = ResizeFactors(1050, 770, kGain, 96, 96);
    EXPECT_DOUBLE_EQ(f.x, 1.0);
    EXPECT_DOUBLE_EQ(f.y, 1.0);
    const Bounds b{17, 333, 121, 21};
    EXPECT_EQ(ScaleBounds(b, f), b);
    EXPECT_EQ(ScaleControlFont(15, f), 15);
    EXPECT_EQ(ScaleWindowFont(11, f), 11);
    EXPECT_EQ(LoadBounds(b, DensityFactors(kGain, 96, 96)), b);
}

TEST(ResizeKit, DoublingDoublesBoundsAndFontsByTruncation)
{
    const Factors f = ResizeFactors(2100, 1540, kGain, 96, 96);
    EXPECT_EQ(ScaleBounds({17, 333, 121, 21}, f), (Bounds{34, 666, 242, 42}));
    EXPECT_EQ(ScaleControlFont(15, f), 30);
    // A factor just under two: fonts truncate, bounds round.
    const Factors g = ResizeFactors(2099, 1539, kGain, 96, 96);
    EXPECT_EQ(ScaleControlFont(15, g), 29);
    EXPECT_EQ(ScaleBounds({17, 333, 121, 21}, g), (Bounds{34, 666, 242, 42}));
    EXPECT_EQ(ScaleWindowFont(15, g), 30);
}

TEST(ResizeKit, TheSmallerFactorScalesFonts)
{
    const Factors f = ResizeFactors(2100, 770, kGain, 96, 96);
    EXPECT_DOUBLE_EQ(f.font, 1.0);
    EXPECT_EQ(ScaleBounds({10, 10, 10, 10}, f), (Bounds{20, 10, 20, 10}));
}

TEST(ResizeKit, NothingShrinksBelowOnePixel)
{
    const Factors f = ResizeFactors(20, 10, kGain, 96, 96);
    EXPECT_EQ(ScaleBounds({0, 0, 40, 30}, f), (Bounds{1, 1, 1, 1}));
    EXPECT_EQ(ScaleControlFont(8, f), 1);
}

TEST(ResizeKit, RoundingTakesHalvesUp)
{
    EXPECT_EQ(RoundHalfUp(2.5), 3);
    EXPECT_EQ(RoundHalfUp(2.49), 2);
    // 5 * 0.5 = 2.5 rounds to 3; 3 * 0.5 = 1.5 to 2.
    const Factors half{0.5, 0.5, 0.5};
    EXPECT_EQ(ScaleBounds({5, 3, 7, 9}, half), (Bounds{3, 2, 4, 5}));
    EXPECT_EQ(ScaleControlFont(9, half), 4);
    EXPECT_EQ(ScaleWindowFont(9, half), 5);
}

TEST(ResizeKit, RoundingClampsWhatAnIntCannotHold)
{
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    EXPECT_EQ(RoundHalfUp(1e300), kMax);
    EXPECT_EQ(RoundHalfUp(INFINITY), kMax);
    EXPECT_EQ(RoundHalfUp(-1e300), kMin);
    EXPECT_EQ(RoundHalfUp(NAN), 0);
    // A window resized to nothing and back: infinite and NaN factors.
    const Factors inf{INFINITY, INFINITY, INFINITY};
    EXPECT_EQ(ScaleBounds({5, 3, 7, 9}, inf), (Bounds{kMax, kMax, kMax, kMax}));
    EXPECT_EQ(ScaleControlFont(9, inf), kMax);
    EXPECT_EQ(ScaleControlFont(0, inf), 1); // 0 x inf is NaN
}

TEST(ResizeKit, HighDensityScreenEnlargesAtLoad)
{
    const Factors d = DensityFactors(kGain, 192, 144);
    EXPECT_DOUBLE_EQ(d.x, 0.5);
    EXPECT_DOUBLE_EQ(d.y, 96.0 / 144);
    EXPECT_EQ(LoadBounds({10, 10, 100, 21}, d), (Bounds{20, 15, 200, 32}));
    EXPECT_EQ(LoadFontSize(11, d), 22);
    // The design client size at that density gives factor 1 in design units.
    const Factors f = ResizeFactors(2100, 1155, kGain, 192, 144);
    EXPECT_DOUBLE_EQ(f.x, 1.0);
    EXPECT_DOUBLE_EQ(f.y, 1.0);
}

TEST(ResizeKit, AddedControlsAreNamedInTurn)
{
    EXPECT_EQ(AddedControlName(1), "RKitAdd0001");
    EXPECT_EQ(AddedControlName(2), "RKitAdd0002");
    EXPECT_EQ(AddedControlName(12345), "RKitAdd12345");
}

TEST(ResizeKit, AddedControlTakesDesignBoundsFromTheLastFactors)
{
    EXPECT_EQ(DesignBoundsOf({40, 30, 81, 21}, {0.8, 0.75, 0.75}), (Bounds{50, 40, 101, 28}));
}

TEST(ResizeKit, FourFifthsRoundsToTheNearest)
{
    EXPECT_EQ(FourFifths(1096), 877); // 876.8
    EXPECT_EQ(FourFifths(835), 668);
    EXPECT_EQ(FourFifths(11), 9); // 8.8
    EXPECT_EQ(FourFifths(21), 17);
    EXPECT_EQ(FourFifths(0), 0);
    EXPECT_EQ(FourFifths(-10), -8);
}

struct PlaceCase {
    const char* name;
    FormPos pos;
    Bounds expected;
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class FirstShow : public testing::TestWithParam<PlaceCase> {};

TEST_P(FirstShow, PlacesInsideTheUsableArea)
{
    const Bounds work{0, 0, 1280, 984}; // a task bar of 40 at the bottom
    const Bounds placed = FirstShowBounds({300, 900, 799, 599}, 0, 0, work, GetParam().pos, false);
    EXPECT_EQ(placed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, FirstShow,
    testing::Values(PlaceCase{"TopLeftGoesToTheCorner", FormPos::rpTopLeft, {0, 0, 800, 600}},
                    PlaceCase{"MiddleCenterCentres", FormPos::rpMiddleCenter, {240, 192, 800, 600}},
                    PlaceCase{"BottomRightAligns", FormPos::rpBottomRight, {480, 384, 800, 600}},
                    PlaceCase{"TopCenter", FormPos::rpTopCenter, {240, 0, 800, 600}},
                    PlaceCase{
                        "DefaultMovesBackOntoTheScreen", FormPos::rpDefault, {300, 384, 800, 600}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirstShowSize, LimitedToTheUsableAreaAndNeverNegative)
{
    const Bounds work{0, 0, 1024, 728};
    EXPECT_EQ(FirstShowBounds({0, 0, 1200, 900}, 0, 0, work, FormPos::rpMiddleCenter, false),
              (Bounds{0, 0, 1024, 728}));
    EXPECT_EQ(FirstShowBounds({-50, -20, 400, 300}, 0, 0, work, FormPos::rpDefault, false),
              (Bounds{0, 0, 401, 301}));
    EXPECT_EQ(FirstShowBounds({0, 0, 400, 300}, 500, 350, work, FormPos::rpTopLeft, false),
              (Bounds{0, 0, 500, 350}));
    const Bounds maximised{0, 0, 1024, 728};
    EXPECT_EQ(FirstShowBounds(maximised, 0, 0, work, FormPos::rpMiddleCenter, true), maximised);
}

} // namespace
} // namespace tavora::shell
