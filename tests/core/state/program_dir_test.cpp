// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/design_state.h"
#include "state/errors.h"
#include "state/program_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace tavora;
namespace fs = std::filesystem;

namespace {

fs::path TempDir()
{
    const fs::path dir = fs::temp_directory_path() /
                         ("tavora-state-" + std::to_string(::getpid()) + "-" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    return dir;
}

} // namespace

TEST(DesignState, StartsAsAtProgramStart)
{
    const DesignState s;
    EXPECT_EQ(s.DesignFreq, 0);
    EXPECT_EQ(s.Mounting, '\0');
    EXPECT_EQ(s.VelocityFactor, 0);
    EXPECT_TRUE(s.CoaxName.empty());
    EXPECT_FALSE(s.BoomSquare);
    EXPECT_EQ(s.YoEntry[0], "0");
    EXPECT_EQ(s.YoEntry[38], "0");
    EXPECT_EQ(s.YoEntry[39], "3");
    EXPECT_EQ(s.YoEntry[40], "2");
    EXPECT_EQ(s.DesignEntry, (DesignEntryTexts{"144.1", "8", "7", "10", "25", "10", "50", "15",
                                                "2", "7", "2", "12001"}));
    EXPECT_EQ(s.GainValues, (GainTexts{"144.1", "4000"}));
    EXPECT_EQ(s.StackingValues, (StackingTexts{"144.1", "30", "0"}));
}

TEST(FileFound, OnlyFilesThatOpenForReading)
{
    const fs::path dir = TempDir();
    const fs::path plain = dir / "plain.txt";
    std::ofstream(plain) << "7\n";
    const fs::path readOnly = dir / "readonly.txt";
    std::ofstream(readOnly) << "7\n";
    fs::permissions(readOnly,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_FALSE(FileFound(""));
    EXPECT_FALSE(FileFound((dir / "missing.txt").string()));
    EXPECT_TRUE(FileFound(readOnly.string()));
    EXPECT_FALSE(FileFound(dir.string()));
    EXPECT_TRUE(FileFound(plain.string()));
    std::ifstream in(plain);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "7\n");
    fs::remove_all(dir);
}

TEST(TemporaryFolder, TmpdirWhenItIsAFolderElseTmp)
{
    const fs::path dir = TempDir();
    const std::string file = (dir / "file").string(), folder = dir.string();
    std::ofstream(file) << "x";
    const char* saved = std::getenv("TMPDIR");
    const std::string kept = saved ? saved : "";
    const struct {
        const char* tmpdir; // nullptr: unset
        fs::path folder;
    } cases[] = {{nullptr, "/tmp"}, {"", "/tmp"}, {"/nonexistent/tmp", "/tmp"},
                 {file.c_str(), "/tmp"}, {folder.c_str(), dir}};
    for (const auto& c : cases) {
        if (c.tmpdir)
            ::setenv("TMPDIR", c.tmpdir, 1);
        else
            ::unsetenv("TMPDIR");
        EXPECT_EQ(TemporaryFolder(), c.folder) << (c.tmpdir ? c.tmpdir : "unset");
    }
    if (saved)
        ::setenv("TMPDIR", kept.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

TEST(ReadNextValue, SkipsCommentsAndGivesZeroForEmptyLinesAndTheEnd)
{
    std::istringstream in(";comment\n\n7\n");
    EXPECT_EQ(ReadNextValue(in), "0");
    EXPECT_EQ(ReadNextValue(in), "7");
    EXPECT_EQ(ReadNextValue(in), "0");
    EXPECT_EQ(ReadNextValue(in), "0");

    std::istringstream blanks(" ;not a comment \r\n;a\n;b\n  12.5\r\n");
    EXPECT_EQ(ReadNextValue(blanks), " ;not a comment ");
    EXPECT_EQ(ReadNextValue(blanks), "  12.5");
}

TEST(ProgramDir, BackToProgramDirRestoresTheStartDirectory)
{
    const fs::path start = fs::current_path();
    DesignState s;
    RecordProgramDir(s);
    EXPECT_EQ(s.ProgramDir, start.string());
    const fs::path dir = TempDir();
    fs::current_path(dir);
    BackToProgramDir(s);
    EXPECT_EQ(fs::current_path(), start);

    s.ProgramDir = (dir / "gone").string();
    EXPECT_THROW(BackToProgramDir(s), FileError);
    fs::remove_all(dir);
}

TEST(InstalledDataDir, LiesBesideTheProgramsFolder)
{
    EXPECT_EQ(InstalledDataDir("/usr/bin/tavora"), fs::path("/usr/share/tavora"));
    // A package unpacked into a throwaway root works from there.
    EXPECT_EQ(InstalledDataDir("/tmp/root/usr/bin/tavora-cli"),
              fs::path("/tmp/root/usr/share/tavora"));
    EXPECT_EQ(InstalledDataDir(""), fs::path());
}

TEST(ProgramFile, TheProgramDirectoryWinsThenTheInstalledCopy)
{
    const fs::path dir = TempDir();
    fs::create_directories(dir / "own");
    fs::create_directories(dir / "installed");
    std::ofstream(dir / "own" / "both.dta") << "own\n";
    std::ofstream(dir / "own" / "own.dta") << "own\n";
    std::ofstream(dir / "installed" / "both.dta") << "installed\n";
    std::ofstream(dir / "installed" / "installed.dta") << "installed\n";
    DesignState s;
    s.ProgramDir = (dir / "own").string();
    s.DataDir = (dir / "installed").string();

    const struct {
        const char* name;
        const char* folder;
    } cases[] = {{"both.dta", "own"},
                 {"own.dta", "own"},
                 {"installed.dta", "installed"},
                 {"neither.dta", "own"}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFile(s, c.name), (dir / c.folder / c.name).string()) << c.name;

    s.DataDir.clear(); // not installed: only the program directory counts
    EXPECT_EQ(ProgramFile(s, "installed.dta"), (dir / "own" / "installed.dta").string());
    fs::remove_all(dir);
}
