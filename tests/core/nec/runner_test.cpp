// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/runner.h"

#include "child_processes.h"
#include "core/nec/nec_fixture.h"
#include "nec/deck.h"
#include "nec/output.h"
#include "nec/segmentation.h"
#include "state/file_lock.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

using namespace tavora;
using tavora::test::Designed;
using tavora::test::Recorded;
namespace fs = std::filesystem;

namespace {

// A stand-in engine: a shell script in `dir`.
std::string FakeEngine(const TempDir& dir, const std::string& body)
{
    const std::string file = dir.File("fake-nec2c");
    WriteAll(file, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file;
}

// Runs in a private TMPDIR so the test can see that the run's folder is gone.
class RunnerTest : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("TMPDIR", tmp.Path().c_str(), 1); }
    void TearDown() override
    {
        ::unsetenv("TMPDIR");
        EXPECT_TRUE(std::filesystem::is_empty(tmp.Path())) << "the run's folder was left";
        EXPECT_EQ(ChildProcessCount(), 0) << "an engine process was left";
    }
    TempDir tmp;
    TempDir bin;
};

std::string Data(const std::string& name)
{
    return std::string(TAVORA_TEST_DATA) + "/nec/" + name;
}

std::string Message(const std::function<void()>& run)
{
    try {
        run();
    } catch (const Error& e) {
        return e.what();
    }
    return "<no error>";
}

} // namespace

TEST(FindEngine, LooksOnThePath)
{
    TempDir dir;
    const std::string fake = FakeEngine(dir, "exit 0");
    EXPECT_EQ(FindEngine("fake-nec2c", "/nonexistent:" + dir.Path().string()), fake);
    EXPECT_EQ(FindEngine("fake-nec2c", "/nonexistent"), "");
    EXPECT_EQ(FindEngine(fake, ""), fake);
    EXPECT_EQ(FindEngine("/nonexistent/nec2c", "/usr/bin"), "");
}

TEST_F(RunnerTest, MissingEngineIsNamed)
{
    RunControl c;
    c.engine = "/nonexistent/nec2c";
    EXPECT_EQ(Message([&] { RunDecks({"CE\nEN\n"}, c); }), kEngineMissing);
}

TEST_F(RunnerTest, CancelKillsEveryProcess)
{
    // A wrapper script that runs the engine as its child: the child goes too.
    RunControl c;
    const std::string pids = bin.File("pids");
    c.engine = FakeEngine(bin, "sleep 30 & echo $! >> " + pids + "; wait");
    std::atomic<bool> cancel{false};
    c.cancel = &cancel;
    std::thread canceller([&] {
        for (int i = 0; i < 500; ++i) {
            const std::string started = ReadAll(pids);
            if (std::count(started.begin(), started.end(), '\n') == 3)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        cancel = true;
    });
    EXPECT_THROW(RunDecks({"a", "b", "c"}, c), SimulationCancelled);
    canceller.join();
    EXPECT_TRUE(AllEnded(pids));
}

TEST_F(RunnerTest, WhatAWrapperLeftRunningGoesWhenItEnds)
{
    RunControl c;
    const std::string pids = bin.File("pids");
    c.engine = FakeEngine(bin, "sleep 30 & echo $! >> " + pids + "; cat " +
                                   Data("default_144.out") + " > \"$4\"");
    EXPECT_EQ(RunDecks({Recorded("default_144.nec")}, c).at(0).size(), 22u);
    EXPECT_TRUE(AllEnded(pids));
}

// An engine's output that lacks something, or holds what no engine prints,
// is refused, naming what is wrong.
struct OutputCase {
    const char* name;
    std::string engine; // the stand-in's script; $OUT is the recorded output
    std::string message;
};

class EngineOutput : public RunnerTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(EngineOutput, IsRefusedWithWhatHappened)
{
    RunControl c;
    std::string script = GetParam().engine;
    for (size_t at; (at = script.find("$OUT")) != std::string::npos;)
        script.replace(at, 4, Data("default_144.out"));
    c.engine = FakeEngine(bin, script);
    EXPECT_EQ(Message([&] { RunDecks({Recorded("default_144.nec")}, c); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineOutput,
    ::testing::Values(
        OutputCase{"CutAmongTheSweep", "head -c 150000 $OUT > \"$4\"",
                   "nec2c output incomplete: 6 of 22 frequencies missing"},
        OutputCase{"CutInThePattern", "head -c 60000 $OUT > \"$4\"",
                   "nec2c output incomplete: 22 of 22 frequencies missing"},
        OutputCase{"AbsurdGain", "sed 's/    14.01    14.01 / 1.0E+300 1.0E+300 /' $OUT > \"$4\"",
                   "nec2c output holds an impossible gain: 1.0E+300"},
        OutputCase{"AbsurdInputPower",
                   "sed 's/INPUT POWER   =  1.0419E-02/INPUT POWER   =  1.0E+300/' $OUT > \"$4\"",
                   "nec2c output holds an impossible input power: 1.0E+300"},
        OutputCase{"AbsurdFrequency",
                   "sed 's/FREQUENCY : 1.4122E+02/FREQUENCY : 1.0E+16/' $OUT > \"$4\"",
                   "nec2c output holds an impossible frequency: 1.0E+16"},
        OutputCase{"FrequencyNotAsked",
                   "sed 's/FREQUENCY : 1.4122E+02/FREQUENCY : 1.4500E+02/' $OUT > \"$4\"",
                   "nec2c output holds a frequency not asked for: 145 MHz"},
        OutputCase{"FailureWithoutAWord", "exit 3",
                   "nec2c stopped with exit status 3 and no output"},
        OutputCase{"FailureAfterACompleteOutput", "cat $OUT > \"$4\"; exit 3",
                   "nec2c stopped with exit status 3 after a complete output"},
        OutputCase{"CutBeforeTheFirstFrequency", "head -c 8000 $OUT > \"$4\"",
                   "nec2c output incomplete: 22 of 22 frequencies missing"},
        OutputCase{"NotTheEnginesOutput", "head -c 3000 /dev/zero | tr '\\0' '\\377' > \"$4\"",
                   "nec2c output is not NEC-2 output"},
        OutputCase{"Crash", "cat $OUT > \"$4\"; kill -SEGV $$",
                   "nec2c was killed by signal 11 (SIGSEGV)"},
        OutputCase{"HugeBinaryErrorText",
                   "printf '\\001\\002' >&2; head -c 5000000 /dev/zero | tr '\\0' x >&2",
                   "nec2c: ??" + std::string(298, 'x') + "..."}),
    [](const auto& info) { return std::string(info.param.name); });

// A run removes the folders that killed runs left behind, and only those: a
// folder whose run still holds it, and anything not named as a run's, stay.
TEST_F(RunnerTest, ARunRemovesTheFoldersKilledRunsLeft)
{
    for (const char* name : {"tavora-nec-Killed", "tavora-nec-Running", "other"})
        fs::create_directory(tmp.Path() / name);
    WriteAll(tmp.File("tavora-nec-Killed/job0.out"), "half");
    WriteAll(tmp.File("tavora-nec-file"), "a file");
    {
        const FolderLock running(tmp.File("tavora-nec-Running"));
        ASSERT_TRUE(running.Held());
        RunControl c;
        c.engine = FakeEngine(bin, "cat " + Data("default_144.out") + " > \"$4\"");
        RunDecks({Recorded("default_144.nec")}, c);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(tmp.Path()))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left,
                  (std::vector<std::string>{"other", "tavora-nec-Running", "tavora-nec-file"}));
    }
    for (const auto& entry : fs::directory_iterator(tmp.Path()))
        fs::remove_all(entry.path());
}

TEST_F(RunnerTest, AScriptWithoutInterpreterCannotRun)
{
    RunControl c;
    c.engine = bin.File("nec2c");
    WriteAll(c.engine, "echo hello\n");
    std::filesystem::permissions(c.engine, std::filesystem::perms::owner_all);
    EXPECT_EQ(Message([&] { RunDecks({"deck"}, c); }).rfind("Cannot run " + c.engine + ": ", 0),
              0u);
}

TEST(RunTimeout, GrowsWithTheModelAndItsFrequencies)
{
    const std::string small = "GW 1 21 0 0 0 0 0 1 0.002\nFR 0 21 0 0 144 0.1\n";
    std::string big;
    for (int w = 0; w < 100; ++w)
        big += "GW " + std::to_string(w + 1) + " 17 0 0 0 0 0 1 0.002\n";
    EXPECT_EQ(RunTimeout({small}), std::chrono::seconds(600));
    EXPECT_GT(RunTimeout({big + "FR 0 21 0 0 144 0.1\n"}),
              RunTimeout({big + "FR 0 1 0 0 144 0\n"}));
    EXPECT_GT(RunTimeout({big + "FR 0 21 0 0 144 0.1\n"}), std::chrono::seconds(900));
}

TEST_F(RunnerTest, TimeoutKillsEveryProcess)
{
    RunControl c;
    c.engine = FakeEngine(bin, "exec sleep 30");
    c.timeout = std::chrono::milliseconds(200);
    EXPECT_EQ(Message([&] { RunDecks({"a", "b"}, c); }), "nec2c did not finish within 1 s");
}

TEST_F(RunnerTest, EngineFailureGivesItsOwnText)
{
    RunControl c;
    c.engine = FakeEngine(
        bin, "printf 'DATA CARD No: 1 EX\\n\\n  NO SEGMENT HAS AN ITAG OF 5' > \"$4\"; exit 255");
    EXPECT_EQ(Message([&] { RunDecks({"deck"}, c); }),
              "nec2c: DATA CARD No: 1 EX\nNO SEGMENT HAS AN ITAG OF 5");
    // nec2c exits 0 when it cannot read its input, with a word on stderr.
    c.engine = FakeEngine(bin, "echo \"nec2c: $2: No such file or directory\" >&2; exit 0");
    EXPECT_NE(Message([&] { RunDecks({"deck"}, c); }).find("No such file or directory"),
              std::string::npos);
}

#ifdef TAVORA_NEC2C

TEST_F(RunnerTest, RealEngineReportsABadDeck)
{
    RunControl c;
    c.engine = TAVORA_NEC2C;
    const std::string deck =
        "CE\nGW 1 21 0 -0.5 0 0 0.5 0 0.002\nGE 0\nEX 0 5 30 0 1 0\nFR 0 1 0 0 144 0\nXQ\nEN\n";
    EXPECT_NE(Message([&] { RunDecks({deck}, c); }).find("NO SEGMENT HAS AN ITAG OF 5"),
              std::string::npos);
}

// The decks open and run for both dipoles, few and many directors and every shape.
// Each source's impedance is read, the two cards of a source at a junction in
// series: two equal dipoles side by side, each fed, see the same impedance,
// their coupling moves it from a lone dipole's, and the deck written as a half
// and its mirror image gives the same.
TEST(Sources, EachSourceGivesItsImpedance)
{
    NecModel m = test::TwoFedDipoles();
    NecModel lone = m;
    lone.wires.resize(1);
    lone.sources.resize(1);
    RunControl c;
    c.engine = TAVORA_NEC2C;
    const Sweep at{m.frequency, 0, 1};
    const auto out = RunDecks({NecDeck(m, false, {at}), NecDeck(lone, false, {at}),
                               NecDeck(m, false, {at}, DeckForm::Mirrored)},
                              c);
    const auto pair = SourceImpedances(m, out[0].at(0).impedances);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_NEAR(std::abs(pair[0] - pair[1]), 0, 0.01);
    EXPECT_GT(std::abs(pair[0] - SourceImpedances(lone, out[1].at(0).impedances)[0]), 5);
    const auto mirrored = SourceImpedances(m, out[2].at(0).impedances);
    for (size_t k = 0; k < 2; ++k)
        EXPECT_NEAR(std::abs(mirrored[k] - pair[k]), 0, 0.01 * std::abs(pair[k])) << k;
    EXPECT_THROW(SourceImpedances(m, {pair[0]}), Error);
    // Two dipoles either side of the plane, each the other's image: the
    // reflection carries the second one's source.
    NecModel beside = m;
    for (NecWire& w : beside.wires) {
        const double y = w.tag == 1 ? 0.2 : -0.2;
        w.x1 = w.x2 = 0.2;
        w.y1 += y;
        w.y2 += y;
    }
    SegmentModel(beside, kSegmentsPerHalfWave);
    ASSERT_TRUE(MirrorSymmetric(beside));
    const auto two = RunDecks(
        {NecDeck(beside, false, {at}), NecDeck(beside, false, {at}, DeckForm::Mirrored)}, c);
    const auto whole = SourceImpedances(beside, two[0].at(0).impedances);
    const auto half = SourceImpedances(beside, two[1].at(0).impedances);
    for (size_t k = 0; k < 2; ++k)
        EXPECT_NEAR(std::abs(half[k] - whole[k]), 0, 0.01 * std::abs(whole[k])) << k;
}

#endif
