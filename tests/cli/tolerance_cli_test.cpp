// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ToleranceCli, PrintsTheSpreadAndWritesEveryBuild)
{
    TempDir dir;
    const std::string csv = dir.File("builds.csv");
    const CliRun r = Cli("simulate --tolerance --directors 3 --builds 4 --distribution normal "
                         "--seed 9 --position-tol 0.5 --csv " +
                         csv);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Tolerance at 144.100 MHz: 4 builds, lengths +/- 6.2 mm, positions "
                          "+/- 0.50 mm, normal, seed 9\n",
                          0),
              0u);
    for (const char* line : {"\nGain (dBi)\t", "\nSWR (50 ohm)\t", "\nAll long by 6.2 mm\t-",
                             "\nAll short by 6.2 mm\t", "\nReflector\t", "\nDirector 3\t"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    const std::string builds = ReadAll(dir.File("builds-builds.csv"));
    EXPECT_EQ(std::count(builds.begin(), builds.end(), '\n'), 6); // heading, nominal, 4 builds
    EXPECT_EQ(builds.rfind("build,reflector_length_error_mm,", 0), 0u);
    EXPECT_NE(ReadAll(dir.File("builds-systematic.csv")).find("\nlong,6.2"), std::string::npos);
}

TEST(ToleranceCli, RefusesWhatNoBuildCouldBe)
{
    const std::pair<const char*, const char*> cases[] = {
        {"--tolerance --builds 0", "--builds: Builds box empty or zero!\n"},
        {"--tolerance --builds 20000", "--builds: Builds must be from 1 to 10000 builds\n"},
        {"--tolerance --length-tol -1", "--length-tol: Length tolerance (mm) cannot be negative\n"},
        {"--tolerance --position-tol 200",
         "--position-tol: Position tolerance (mm) cannot be above 104\n"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = Cli(std::string("simulate ") + args);
        EXPECT_EQ(r.code, 1) << args;
        EXPECT_EQ(r.err, err) << args;
    }
    for (const char* args : {"--builds 3", "--tolerance --s1p x.s1p", "--tolerance --seed x",
                             "--tolerance --distribution even"})
        EXPECT_EQ(Cli(std::string("simulate ") + args).code, 2) << args;
}
