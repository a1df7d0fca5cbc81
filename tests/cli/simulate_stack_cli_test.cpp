// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include <gtest/gtest.h>

#include <regex>

// The first figure line as builders' scripts read it, and each Yagi's feed.
TEST(SimulateStackCli, FirstFigureLineGivesTheStackedGain)
{
    const CliRun r = Cli("simulate-stack --directors 3 --arrangement horizontal "
                         "--sweep-spacing 0:0:2");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string first = r.out.substr(r.out.find('\n') + 1);
    EXPECT_TRUE(std::regex_search(
        first, std::regex("^Stacked gain:\t[0-9]+\\.[0-9]{2} dBi\t-?[0-9]+\\.[0-9]{2} dB over "
                          "one Yagi\n")))
        << r.out;
    EXPECT_NE(r.out.find("Feed impedance, Yagi 2:\t"), std::string::npos);
    EXPECT_EQ(r.out.find("Feed impedance, Yagi 3:\t"), std::string::npos);
}

struct Refused {
    const char* args;
    const char* message;
};

class SimulateStackRefuses : public ::testing::TestWithParam<Refused> {};

TEST_P(SimulateStackRefuses, BeforeTheEngineRuns)
{
    const CliRun r = Cli(std::string("simulate-stack ") + GetParam().args, "PATH=/nonexistent ");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, SimulateStackRefuses,
    ::testing::Values(Refused{"--sweep-spacing 400:1600", "FROM:TO:POINTS"},
                      Refused{"--sweep-spacing 400:1600:1", "Sweep points must be from 2 to 101"},
                      Refused{"--sweep-spacing 1600:400:5", "larger spacing than it starts"},
                      Refused{"--side-lobe 3", "Side lobe level in dB must be from -100 to -1 dB"},
                      Refused{"--spacing 31300", "--spacing: Spacing in mm must be from 0 to "
                                                 "31200 mm at 144.1 MHz (0 to 15 wavelengths)"},
                      Refused{"--sweep-spacing 1000:31300:5", "--sweep-spacing: Sweep spacings"}));
