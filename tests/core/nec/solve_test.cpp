// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/solve.h"

#include "core/nec/nec_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

using namespace tavora;

#ifdef TAVORA_NEC2C

// Two dipoles side by side, each fed: every frequency asked for comes back
// with both feeds, the cuts only where asked, and a run in batches counts its
// decks on from where the caller's run stands.
TEST(Solve, GivesWhatEachJobAsksFor)
{
    const NecModel m = test::TwoFedDipoles();
    const std::vector<NecJob> jobs{{m, true, {}}, {m, false, {{430, 2, 3}}}};
    const struct {
        Batches batches;
        std::pair<int, int> lastProgress;
    } cases[] = {{{}, {4, 4}}, {{1, 3, 7}, {7, 7}}};
    for (const auto& c : cases) {
        RunControl control;
        control.engine = TAVORA_NEC2C;
        std::pair<int, int> last;
        control.progress = [&last](int done, int total) { last = {done, total}; };
        const auto solutions = Solve(jobs, control, c.batches);
        ASSERT_EQ(solutions.size(), 2u);
        EXPECT_TRUE(solutions[0].cuts);
        EXPECT_FALSE(solutions[1].cuts);
        ASSERT_EQ(solutions[1].frequencies.size(), 3u);
        EXPECT_EQ(solutions[1].frequencies[2].frequency, 434); // as asked, not as printed
        for (const Solution& s : solutions)
            for (const SolvedFrequency& f : s.frequencies) {
                ASSERT_EQ(f.feeds.size(), 2u);
                EXPECT_NEAR(std::abs(f.feeds[0] - f.feeds[1]), 0, 0.01);
                EXPECT_TRUE(std::isfinite(f.forwardGain) && std::isfinite(f.backwardGain));
            }
        EXPECT_EQ(last, c.lastProgress) << c.batches.size;
    }
}

#endif
