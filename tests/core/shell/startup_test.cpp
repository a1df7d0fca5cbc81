// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/startup.h"

#include "state/design_state.h"
#include "state/program_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace tavora::shell {
namespace {

struct DisplayCase {
    const char* name;
    std::map<std::string, std::string> env;
    bool expected;
};
void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class Display : public testing::TestWithParam<DisplayCase> {};

TEST_P(Display, IsJudgedFromTheEnvironment)
{
    const auto& env = GetParam().env;
    const Environment lookup = [&env](const char* name) {
        const auto it = env.find(name);
        return it == env.end() ? std::string() : it->second;
    };
    EXPECT_EQ(HasDisplay(lookup), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Display,
    testing::Values(
        DisplayCase{"NothingSetHasNoDisplay", {}, false},
        DisplayCase{"X11Display", {{"DISPLAY", ":0"}}, true},
        DisplayCase{"WaylandDisplay", {{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        DisplayCase{"OffscreenNeedsNone", {{"QT_QPA_PLATFORM", "offscreen"}}, true},
        DisplayCase{"XcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}}, false},
        DisplayCase{"XcbWithDisplay", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":1"}}, true},
        DisplayCase{
            "WaylandPlatformWithOnlyX", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":1"}}, false},
        DisplayCase{
            "FallbackListFindsX", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, true},
        DisplayCase{"EmptyDisplayCountsAsNone", {{"DISPLAY", ""}}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InitialiseProgram, RecordsTheWorkingDirectoryAndYoChoices)
{
    DesignState state;
    InitialiseProgram(state);
    EXPECT_EQ(state.ProgramDir, std::filesystem::current_path().string());
    // Found from this test program's own file, which the system names.
    EXPECT_EQ(state.DataDir, InstalledDataDir(RunningExecutable()).string());
    EXPECT_EQ(RunningExecutable().filename(), "tavora_shell_tests");
    EXPECT_EQ(state.YoEntry[39], "3");
    EXPECT_EQ(state.YoEntry[40], "2");
    EXPECT_EQ(state.DesignEntry[0], "144.1");
}

TEST(InitialiseProgram, StartUpTextsTakeTheUsersSeparator)
{
    DesignState state;
    InitialiseProgram(state, ',');
    EXPECT_EQ(state.DesignEntry, (DesignEntryTexts{"144,1", "8", "7", "10", "25", "10", "50", "15",
                                                   "2", "7", "2", "12001"}));
    EXPECT_EQ(state.GainValues, (GainTexts{"144,1", "4000"}));
    EXPECT_EQ(state.StackingValues, (StackingTexts{"144,1", "30", "0"}));
    EXPECT_EQ(state.YoEntry[36], "0");
}

} // namespace
} // namespace tavora::shell
