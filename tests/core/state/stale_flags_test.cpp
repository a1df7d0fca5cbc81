// SPDX-License-Identifier: GPL-3.0-or-later
// Floating-point flags that earlier code left set (the window system, a
// plot) must not fail any calculation a window runs.

#include "arrays/gain.h"
#include "arrays/stacking.h"
#include "exchange/mounting.h"
#include "exchange/yo_details.h"
#include "feedline/impedance.h"
#include "feedline/swr.h"
#include "nec/model_builder.h"
#include "simulation/simulation.h"
#include "state/numbers.h"

#include "core/nec/nec_fixture.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <functional>

using namespace tavora;
using namespace tavora::test;

namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\n";
    return out;
}

YoDetails WorkedYo()
{
    YoDetails y{DesignState().YoEntry};
    for (const auto& [n, t] :
         std::initializer_list<std::pair<int, const char*>>{{yo::kDipoleLength, "980"},
                                                            {yo::kDipoleDiam, "6"},
                                                            {yo::kReflLength, "1030"},
                                                            {yo::kElementDiam, "6"},
                                                            {yo::kBoomDiam, "20"},
                                                            {yo::kFreqSource, "1"},
                                                            {yo::kMounting, "0"}})
        y.Text(n) = t;
    return y;
}

struct Path {
    const char* name;
    std::function<std::string()> run; // the path's visible result
};
void PrintTo(const Path& p, std::ostream* os)
{
    *os << p.name;
}

const Path kPaths[] = {
    {"design report",
     [] {
         DesignState s;
         YagiDoCalculate(FormDefaults(), s);
         std::string report;
         Yagidimensions(s, report);
         return report;
     }},
    {"gain",
     [] {
         DesignState s;
         return FindGain(s, "144.1", "4000", GainMethod::DJ9BV);
     }},
    {"stacking",
     [] {
         DesignState s;
         std::string memo;
         FindBeamGain(s, "144.1", "30", 1, memo);
         return memo;
     }},
    {"SWR",
     [] {
         SwrSession session;
         FindSWR(session, "10", "100", "");
         return session.memo;
     }},
    {"line impedance",
     [] {
         return CalculateRods(RodUnknown::Spacing, RodSection::Round, "9.5", "", "100").unknownText;
     }},
    {"quarter-wave line",
     [] {
         QuarterWaveResult r;
         CalculateQuarterWave("144.1", "50", "200", "0.66", r);
         return r.length + " " + r.impedance;
     }},
    {"YO estimate",
     [] {
         YoDetails y = WorkedYo();
         const auto refusal = CalcFfromRef(y);
         return (refusal ? refusal->text : std::string()) + y.Text(yo::kFrequency);
     }},
    {"mounting conversion",
     [] {
         YoEntryTexts e = WorkedYo().entries;
         e[yo::kFrequency - 1] = "144.1";
         DoTheConversion(e, Mounting::Insulated);
         return e[yo::kReflLength - 1];
     }},
    {"simulation figures",
     [] {
         const NecModel m = RecordedModel();
         const SimulationResult r =
             ResultFromSolutions(m, {}, SolutionsFromOutputs(m, {Recorded("default_144.out")}));
         return Joined(ResultLines(SimulationText(r)));
     }},
};

class StaleFlags : public testing::TestWithParam<Path> {};

TEST_P(StaleFlags, EveryFlagLeftSetChangesNothing)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    const std::string clean = GetParam().run();
    std::feraiseexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(GetParam().run(), clean);
}

INSTANTIATE_TEST_SUITE_P(WindowPaths, StaleFlags, testing::ValuesIn(kPaths),
                         [](const testing::TestParamInfo<Path>& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name))
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

TEST(StaleFlags, AFaultOfTheStepItselfIsStillReported)
{
    volatile double zero = 0;
    std::feraiseexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(Checked(2.5), 2.5);
    EXPECT_THROW(Checked(1 / zero), ArithmeticError);
    // A NaN that came in with an operand is passed on, as a "-" figure is.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(Checked(nan + zero)));
}

} // namespace
