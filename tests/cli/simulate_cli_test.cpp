// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_processes.h"
#include "cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <regex>
#include <spawn.h>
#include <sstream>

namespace {

// The number after `caption` in the printed figures.
double Figure(const std::string& out, const std::string& caption)
{
    const size_t at = out.find(caption);
    if (at == std::string::npos)
        return NAN;
    // from_chars: the suite also runs under a comma locale, where stod stops at the point.
    double v = NAN;
    std::from_chars(out.data() + at + caption.size(), out.data() + out.size(), v);
    return v;
}

int CountLines(const std::string& text, const std::string& prefix)
{
    std::istringstream in(text);
    int n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

// Published NEC-4 figures for DL6WU Yagis at 432 MHz with 4 mm elements, single
// dipole, no boom correction: 12, 19 and 26 elements.
struct Nec4Case {
    int directors;
    double gainDbi;
};

class Nec4Gain : public ::testing::TestWithParam<Nec4Case> {};

TEST_P(Nec4Gain, SimulatedGainIsWithinAThirdOfADecibel)
{
    const Nec4Case c = GetParam();
    const CliRun r = Cli("simulate --freq 432 --directors " + std::to_string(c.directors) +
                         " --element-diam 4 --radiator-diam 4 --points 1");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NEAR(Figure(r.out, "Forward gain:\t"), c.gainDbi, 0.3) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Published, Nec4Gain,
                         ::testing::Values(Nec4Case{10, 14.73}, Nec4Case{17, 17.21},
                                           Nec4Case{24, 18.59}),
                         [](const auto& info) {
                             return std::to_string(info.param.directors + 2) + "Elements";
                         });

// Every amateur band a DL6WU Yagi is built for, from 6 m to 3 cm, with only
// the frequency typed: its sizes design and simulate, elements through a
// square metal boom and a folded dipole, the hardest case for them.
class BandDefaults : public ::testing::TestWithParam<const char*> {};

TEST_P(BandDefaults, DesignAndSimulate)
{
    const std::string mhz = GetParam();
    const CliRun r = Cli("simulate --freq " + mhz +
                         " --points 1 --dipole folded --mounting bonded --boom-type square");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\nFrequency:\t" + mhz + ".000 MHz\n"), std::string::npos) << r.out;
    EXPECT_GT(Figure(r.out, "Forward gain:\t"), 12) << r.out;
}

INSTANTIATE_TEST_SUITE_P(Bands, BandDefaults,
                         ::testing::Values("50", "70", "144", "222", "432", "902", "1296", "2320",
                                           "3400", "5760", "10368"),
                         [](const auto& info) { return std::string(info.param) + "MHz"; });

TEST(SimulateCli, PrintsFiguresAndSweepAndWritesCsv)
{
    TempDir dir;
    const std::string csv = dir.File("sim.csv");
    const CliRun r =
        Cli("simulate --directors 3 --dipole folded --sweep 1.0 --points 5 --csv " + csv);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Simulated with nec2c (NEC-2) in free space, aluminium elements\n", 0),
              0u);
    EXPECT_NE(r.out.find("\nSWR (200 ohm):\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n\nMHz\tR (ohm)\tX (ohm)\tSWR\tGain (dBi)\tF/B (dB)\n142.659\t"),
              std::string::npos);
    EXPECT_NE(r.out.find("\n145.541\t"), std::string::npos);
    const std::string sweep = ReadAll(dir.File("sim-sweep.csv"));
    EXPECT_EQ(std::count(sweep.begin(), sweep.end(), '\n'), 6); // heading and 5 rows
    EXPECT_EQ(CountLines(ReadAll(dir.File("sim-pattern.csv")), "angle_deg,"), 1);
    EXPECT_EQ(CountLines(ReadAll(dir.File("sim-figures.csv")), "gain_dbi,"), 1);
    EXPECT_NE(r.out.find(" dBi \u00b1"), std::string::npos);
}

TEST(SimulateCli, CsvToStandardOutputFollowsThePrintedFigures)
{
    TempDir dir;
    const CliRun r =
        Cli("simulate --directors 3 --points 1 --csv /dev/stdout > " + dir.File("out.txt"));
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string out = ReadAll(dir.File("out.txt"));
    EXPECT_EQ(out.rfind("Simulated with nec2c", 0), 0u);
    EXPECT_NE(out.find("\nfrequency_mhz,r_ohm,"), std::string::npos);
}

TEST(SimulateCli, ThroughBoomDesignSaysItIsModelledWithoutTheBoom)
{
    const CliRun r = Cli("simulate --directors 2 --mounting bonded --points 1 --z0 75");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\nModelled without the boom: element lengths for a non-metal boom "
                         "(no boom correction)\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\nSWR (75 ohm):\t"), std::string::npos);
}

TEST(SimulateCli, MissingEngineIsNamed)
{
    const CliRun r = Cli("simulate", "PATH=/nonexistent ");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "NEC-2 engine nec2c not found: install the nec2c package\n");
}

// A run of minutes says so before it starts (a small one says nothing: above).
TEST(SimulateCli, LongRunSaysItsEstimatedTimeFirst)
{
    const CliRun r = Cli("simulate --directors 100 --points 1001", "PATH=/nonexistent ");
    EXPECT_TRUE(std::regex_search(
        r.err, std::regex("^Estimated run time: about [0-9]+ (h [0-9]+ )?min \\(1004 frequencies "
                          "of [0-9]+ segments, .* of CPU on [0-9]+ cores?\\)\n")))
        << r.err;
}

TEST(SimulateCli, UsageErrors)
{
    EXPECT_EQ(Cli("simulate --dipole triple").code, 2);
    EXPECT_EQ(Cli("simulate --points 0").code, 2);
    const CliRun bad = Cli("simulate --freq 0");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "--freq: Frequency in MHz box empty or zero!\n");
}

// An SWR reference the figures would answer with nonsense is refused before the engine runs.
TEST(SimulateCli, ReferenceImpedanceOutsideTheRangeIsRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"-50", "--z0: SWR reference (ohm, 0 by dipole) cannot be negative\n"},
        {"1e300", "--z0: SWR reference (ohm, 0 by dipole) must be 0, or from 10 to 1000 ohm\n"},
        {"0.000001", "--z0: SWR reference (ohm, 0 by dipole) must be 0, or from 10 to 1000 ohm\n"},
    };
    for (const auto& [z0, err] : cases) {
        const CliRun r = Cli(std::string("simulate --z0 ") + z0);
        EXPECT_EQ(r.code, 1) << z0;
        EXPECT_EQ(r.out, "") << z0;
        EXPECT_EQ(r.err, err) << z0;
    }
}

TEST(DesignCli, NecDeckForEitherDipole)
{
    TempDir dir;
    struct Case {
        const char* dipole;
        int wires;
    };
    for (const Case& c : {Case{"single", 10}, Case{"folded", 23}}) {
        const std::string deck = dir.File(std::string(c.dipole) + ".nec");
        const CliRun r = Cli(std::string("design --dipole ") + c.dipole + " --nec " + deck);
        ASSERT_EQ(r.code, 0) << r.err;
        const std::string text = ReadAll(deck);
        EXPECT_EQ(CountLines(text, "GW "), c.wires) << c.dipole;
        EXPECT_EQ(CountLines(text, "FR "), 2);
        EXPECT_EQ(text.rfind("CM Tavora: DL6WU Yagi, 10 elements, 144.1 MHz, ", 0), 0u);
        EXPECT_EQ(text.substr(text.size() - 3), "EN\n");
    }
}

namespace {

// tavora-cli simulate with a stand-in engine `script` (its pids go to
// DIR/pids) and a TMPDIR of its own, DIR/tmp; returns once an engine has
// started, 0 when none did.
pid_t StartSimulate(const TempDir& dir, const std::string& script)
{
    std::filesystem::create_directories(dir.Path() / "bin");
    std::filesystem::create_directories(dir.Path() / "tmp");
    const std::string engine = dir.File("bin/nec2c"), pids = dir.File("pids");
    WriteAll(engine, "#!/bin/sh\n" + script + "\n");
    std::filesystem::permissions(engine, std::filesystem::perms::owner_all);
    const std::string path = "PATH=" + dir.File("bin") + ":/usr/bin:/bin";
    const std::string tmp = "TMPDIR=" + dir.File("tmp");
    const std::string pidsVar = "PIDS=" + pids;
    char* env[] = {const_cast<char*>(path.c_str()), const_cast<char*>(tmp.c_str()),
                   const_cast<char*>(pidsVar.c_str()), nullptr};
    char* argv[] = {const_cast<char*>(TAVORA_CLI), const_cast<char*>("simulate"), nullptr};
    pid_t cli = 0;
    if (::posix_spawn(&cli, TAVORA_CLI, nullptr, nullptr, argv, env) != 0)
        return 0;
    for (int i = 0; i < 500 && ReadAll(pids).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!ReadAll(pids).empty())
        return cli;
    ::kill(cli, SIGKILL);
    ::waitpid(cli, nullptr, 0);
    return 0;
}

} // namespace

// Ctrl-C, a kill and a closed terminal during a run leave no engine (nor what
// a wrapper script started) and no temporary folder, and the program ends by
// that signal.
class SimulateSignal : public ::testing::TestWithParam<int> {};

TEST_P(SimulateSignal, LeavesNothingBehind)
{
    TempDir dir;
    const pid_t cli = StartSimulate(dir, "sleep 300 &\necho $! >> \"$PIDS\"\nwait");
    ASSERT_NE(cli, 0) << "no engine started";
    ::kill(cli, GetParam());
    int status = 0;
    ASSERT_EQ(::waitpid(cli, &status, 0), cli);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    EXPECT_TRUE(AllEnded(dir.File("pids")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "tmp"));
}

// Killed outright, the program can clean nothing up: its engine ends with it
// all the same, within 2 s, what a wrapper script started included, and the
// next run removes the folder it left.
TEST(SimulateKill, TheEngineEndsWithTheProgramAndTheNextRunRemovesItsFolder)
{
    TempDir dir;
    const pid_t cli =
        StartSimulate(dir, "sleep 300 &\necho $! >> \"$PIDS\"\necho $$ >> \"$PIDS\"\nwait");
    ASSERT_NE(cli, 0) << "no engine started";
    const auto killed = std::chrono::steady_clock::now();
    ::kill(cli, SIGKILL);
    ASSERT_EQ(::waitpid(cli, nullptr, 0), cli);
    EXPECT_TRUE(AllEnded(dir.File("pids")));
    EXPECT_LT(std::chrono::steady_clock::now() - killed, std::chrono::seconds(2));
    EXPECT_FALSE(std::filesystem::is_empty(dir.Path() / "tmp"));
    WriteAll(dir.File("bin/nec2c"), "#!/bin/sh\nexit 3\n");
    const CliRun next = Cli("simulate", "PATH=" + dir.File("bin") +
                                            ":/usr/bin:/bin TMPDIR=" + dir.File("tmp") + " ");
    EXPECT_EQ(next.code, 1) << next.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "tmp"));
}

INSTANTIATE_TEST_SUITE_P(Signals, SimulateSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });
