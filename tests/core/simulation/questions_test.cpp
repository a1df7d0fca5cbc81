// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulation/array.h"
#include "simulation/tolerance.h"
#include "simulation/tune.h"

#include "core/nec/nec_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <utility>

using namespace tavora;

#ifdef TAVORA_NEC2C

namespace {

// What a question says its run will count, and the count its run reported last.
struct Counted {
    int size = 0;
    std::pair<int, int> last;
};

template <class Model, class Settings> Counted Count(const Model& model, const Settings& settings)
{
    Counted c{RunSize(settings, model), {0, 0}};
    RunControl control;
    control.engine = TAVORA_NEC2C;
    control.progress = [&c](int done, int total) { c.last = {done, total}; };
    (void)Run(model, settings, control);
    return c;
}

struct Question {
    const char* name;
    std::function<Counted(const DesignState&)> count;
};

NecModel Single(const DesignState& d)
{
    return ModelFromDesign(d, Feed::SingleDipole);
}

const Question kQuestions[] = {
    {"SweepOfThreePoints",
     [](const DesignState& d) { return Count(Single(d), SimulationSettings{.points = 3}); }},
    {"FoldedSweepOfFourPoints",
     [](const DesignState& d) {
         return Count(ModelFromDesign(d, Feed::FoldedDipole), SimulationSettings{.points = 4});
     }},
    {"TuneWithTheSweepBefore",
     [](const DesignState& d) {
         TuneSettings s;
         s.simulation.points = 3;
         return Count(TuneSubjectOf(d, Feed::SingleDipole), s);
     }},
    {"ToleranceOfTwoBuilds",
     [](const DesignState& d) { return Count(Single(d), ToleranceSettings{.builds = 2}); }},
    {"ArrayOverTwoSpacings",
     [](const DesignState& d) { return Count(Single(d), ArraySettings{.sweepPoints = 2}); }},
    {"ArraySweepFromTooClose",
     [](const DesignState& d) {
         return Count(Single(d), ArraySettings{.sweepFrom = 1, .sweepPoints = 2});
     }},
};

void PrintTo(const Question& q, std::ostream* os)
{
    *os << q.name;
}

class Questions : public testing::TestWithParam<Question> {};

} // namespace

TEST_P(Questions, RunSizeIsWhatTheRunCounts)
{
    const Counted c = GetParam().count(test::Designed([](DesignEntry& e) { e.Directors = "2"; }));
    EXPECT_EQ(c.last, std::make_pair(c.size, c.size));
}

INSTANTIATE_TEST_SUITE_P(EveryQuestion, Questions, testing::ValuesIn(kQuestions),
                         [](const auto& info) { return std::string(info.param.name); });

#endif
