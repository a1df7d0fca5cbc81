// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/data_file.h"

#include "state/atomic_file.h"
#include "state/design_state.h"
#include "state/errors.h"
#include "state/program_dir.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sstream>

using namespace tavora;

namespace {

// Runs each test with the program directory in a fresh folder and puts the
// working directory back afterwards.
class DataFile : public testing::Test {
protected:
    DataFile() : saved_(std::filesystem::current_path()) { state.ProgramDir = dir.Path().string(); }
    ~DataFile() override { std::filesystem::current_path(saved_); }

    TempDir dir;
    DesignState state;
    std::string File() const { return dir.File(kDataFileName); }

private:
    std::filesystem::path saved_;
};

std::string FreshStartText()
{
    std::string t = "; This is the storage file for Tavora.exe, and it is created by the user\r\n"
                    "; when he/she accesses the SAVE DATA menu item under FILE.\r\n"
                    ";\r\n"
                    "; The first set of entries form the YO entry screen\r\n";
    for (int i = 0; i < 39; ++i)
        t += "0\r\n";
    t += "3\r\n2\r\n; this second set store the Design Yagi details\r\n"
         "144.1\r\n8\r\n7\r\n10\r\n25\r\n10\r\n50\r\n15\r\n2\r\n7\r\n2\r\n12001\r\n"
         "; this third set store the Gain Calculation details\r\n144.1\r\n4000\r\n"
         "; this last set store the Spacing details\r\n144.1\r\n30\r\n0";
    return t;
}

// The lines after the original 65: the cut list's units.
const std::string kUnitsLines = "\r\n; the cut list's units (0 mm, 1 inch)\r\n0";

} // namespace

TEST_F(DataFile, AFreshStartWritesThe65LinesThenTheCutListUnits)
{
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    WriteDataFile(state);
    const std::string text = ReadAll(File());
    EXPECT_EQ(text, FreshStartText() + kUnitsLines);
    size_t lines = 1;
    for (char c : text)
        lines += c == '\n';
    EXPECT_EQ(lines, 67u);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());
}

TEST_F(DataFile, ReadingTheFreshFileTurnsTheEmptyTextsIntoZeros)
{
    for (size_t i = 8; i < 12; ++i)
        state.DesignEntry[i].clear(); // as a data file of an earlier version holds them
    WriteDataFile(state);
    DesignState back;
    back.ProgramDir = state.ProgramDir;
    back.YoEntry.fill("x");
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    ASSERT_TRUE(ReadDataFile(back));
    EXPECT_EQ(back.YoEntry, state.YoEntry);
    EXPECT_EQ(back.DesignEntry,
              (DesignEntryTexts{"144.1", "8", "7", "10", "25", "10", "50", "15", "0", "0", "0", "0"}));
    EXPECT_EQ(back.GainValues, state.GainValues);
    EXPECT_EQ(back.StackingValues, state.StackingValues);
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());
}

TEST_F(DataFile, WriteThenReadRestoresTheGroups)
{
    for (size_t i = 0; i < state.YoEntry.size(); ++i)
        state.YoEntry[i] = std::to_string(i * 7) + ".5";
    state.DesignEntry = {"432", "20", "4", "", "20", "6", "30", "10", "2", "7", "2", "01020"};
    state.GainValues = {"1296", "2000.5"};
    state.StackingValues = {"50", "12", "1"};
    state.CutListUnits = "1";
    WriteDataFile(state);
    DesignState back;
    back.ProgramDir = state.ProgramDir;
    ASSERT_TRUE(ReadDataFile(back));
    EXPECT_EQ(back.YoEntry, state.YoEntry);
    state.DesignEntry[3] = "0"; // an empty text comes back as "0"
    EXPECT_EQ(back.DesignEntry, state.DesignEntry);
    EXPECT_EQ(back.GainValues, state.GainValues);
    EXPECT_EQ(back.StackingValues, state.StackingValues);
    EXPECT_EQ(back.CutListUnits, "1");
    // A file saved before the units were kept reads them as mm.
    std::istringstream older(FreshStartText());
    ReadDataValues(older, back);
    EXPECT_EQ(back.CutListUnits, "0");
    EXPECT_EQ(back.StackingValues[2], "0");
}

TEST_F(DataFile, ATextThatWouldShapeTheFileIsRefusedByItsBoxAndNothingIsWritten)
{
    const struct {
        std::string* value;
        const char* text;
        const char* message;
    } cases[] = {
        {&state.StackingValues[1], ";30",
         "A value beginning with ';' cannot be saved (Stacking: Half power beamwidth)"},
        {&state.DesignEntry[0], "144.1\r\n8",
         "A line break or other control character cannot be saved (Design Yagi: Frequency in MHz)"},
        {&state.GainValues[1], "4000\n",
         "A line break or other control character cannot be saved (Gain Calculations: Boom length mm)"},
        {&state.YoEntry[6], "9\t27",
         "A line break or other control character cannot be saved (Make YO file: Dir 2 Length)"},
        {&state.YoEntry[7], ";1",
         "A value beginning with ';' cannot be saved (Make YO file: Dir 2 Dist from reflector)"},
        {&state.YoEntry[39], "3\x7f", "A line break or other control character cannot be saved "
                                       "(Make YO file: Calculate frequency from)"},
        // Reading it back would refuse the file.
        {&state.DesignEntry[11], " ;",
         "A value that is not a number cannot be saved (Design Yagi: radio choices)"},
        {&state.YoEntry[0], "\xc3\xa9",
         "A value that is not a number cannot be saved (Make YO file: Dipole diameter)"},
    };
    WriteAll(File(), "old");
    for (const auto& c : cases) {
        const std::string kept = *c.value;
        *c.value = c.text;
        try {
            WriteDataFile(state);
            ADD_FAILURE() << "no refusal of " << c.message;
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        *c.value = kept;
    }
    EXPECT_EQ(ReadAll(File()), "old");
}

TEST_F(DataFile, ACutOffFileIsRefusedAndTheGroupsStay)
{
    const std::string full = FreshStartText();
    std::string first20; // as `head -20` leaves it
    for (size_t at = 0, n = 0; n < 20; ++n)
        first20 = full.substr(0, at = full.find('\n', at) + 1);
    const struct {
        const char* name;
        std::string text;
        int found;
    } cases[] = {
        {"header only", "; a\r\n; b\r\n;\r\n; c\r\n", 0},
        {"first 20 lines", first20, 16},
        {"the last value missing", full.substr(0, full.rfind('\n') + 1), 57},
    };
    for (const auto& c : cases) {
        DesignState s;
        s.YoEntry.fill("typed");
        std::istringstream in(c.text);
        try {
            ReadDataValues(in, s);
            ADD_FAILURE() << c.name;
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), "Tavora.cnf is incomplete: it holds " + std::to_string(c.found) +
                                    " of the 58 values; the entries were kept")
                << c.name;
        }
        EXPECT_EQ(s.YoEntry[0], "typed") << c.name;
        EXPECT_EQ(s.DesignEntry, DesignState().DesignEntry) << c.name;
    }
}

// A value that is no number (a file of junk) is refused by its line, and
// the entries stay as they were; a comma of an older version is a number.
TEST_F(DataFile, AValueThatIsNoNumberIsRefusedByItsLine)
{
    const std::string full = FreshStartText();
    const auto replaced = [&full](const std::string& from, const std::string& to) {
        std::string text = full;
        return text.replace(text.find(from), from.size(), to);
    };
    const struct {
        std::string text, error; // no error: read
    } cases[] = {
        {replaced("144.1", "QUJDRA=="), "line 47 holds \"QUJDRA==\""},
        {replaced("4000", "12 mm"), "line 61 holds \"12 mm\""},
        {replaced("30\r\n", std::string(50, 'x') + "\r\n"),
         "line 64 holds \"" + std::string(40, 'x') + "...\""},
        {replaced("144.1", "144,1"), ""},
    };
    for (const auto& c : cases) {
        DesignState s;
        s.YoEntry.fill("typed");
        std::istringstream in(c.text);
        try {
            ReadDataValues(in, s);
            EXPECT_EQ(c.error, "");
            EXPECT_EQ(s.DesignEntry[0], "144.1");
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), "Tavora.cnf " + c.error + ", not a number; the entries were kept");
            EXPECT_EQ(s.YoEntry[0], "typed");
        }
    }
}

TEST_F(DataFile, CommentsAnywhereOrNoneReadTheSameValues)
{
    std::string text = FreshStartText();
    text.insert(text.find("144.1"), ";extra\r\n;\r\n");
    std::string bare;
    for (std::istringstream in(FreshStartText()); const ValueLine& v : ReadValueLines(in))
        bare += v.text + "\n";
    for (const std::string& t : {text + "\r\nignored", bare}) {
        DesignState s;
        std::istringstream in(t);
        ReadDataValues(in, s);
        EXPECT_EQ(s.DesignEntry[0], "144.1");
        EXPECT_EQ(s.YoEntry[39], "3");
        EXPECT_EQ(s.StackingValues[2], "0");
    }
}

TEST_F(DataFile, NumbersAreStoredWithAPointAndShownWithTheUsersSeparator)
{
    const struct {
        const char* name;
        const char* stored; // line 47 of the file
        char sep;
        const char* shown;
    } cases[] = {
        {"a point under a comma locale", "144.1", ',', "144,1"},
        {"a point under a point locale", "144.1", '.', "144.1"},
        {"an older file's comma under a point locale", "144,1", '.', "144.1"},
        {"an older file's comma under a comma locale", "144,1", ',', "144,1"},
    };
    for (const auto& c : cases) {
        std::string text = FreshStartText();
        text.replace(text.find("144.1"), 5, c.stored);
        DesignState s;
        std::istringstream in(text);
        ReadDataValues(in, s, c.sep);
        EXPECT_EQ(s.DesignEntry[0], c.shown) << c.name;
        EXPECT_NE(DataFileText(s, c.sep).find("\r\n144.1\r\n8\r\n"), std::string::npos)
            << c.name;
    }
}

TEST_F(DataFile, AReadOnlyFileIsNotReplaced)
{
    WriteAll(File(), "old");
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read);
    try {
        WriteDataFile(state);
        FAIL() << "a read-only file was replaced";
    } catch (const FileError& e) {
        // The platform's text, in the user's language.
        EXPECT_EQ(e.what(), std::string("Cannot save to Tavora.cnf: ") + std::strerror(EACCES));
    }
    EXPECT_EQ(ReadAll(File()), "old");
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write);
    WriteDataFile(state);
    EXPECT_EQ(std::filesystem::status(File()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(DataFile, AMissingFileIsNotFoundAndTheGroupsStayAReadOnlyOneIsRead)
{
    DesignState back;
    back.ProgramDir = state.ProgramDir;
    back.YoEntry.fill("x");
    EXPECT_FALSE(ReadDataFile(back));
    EXPECT_EQ(back.YoEntry[0], "x");
    WriteDataFile(state);
    std::filesystem::permissions(File(), std::filesystem::perms::owner_read);
    EXPECT_TRUE(ReadDataFile(back));
    EXPECT_EQ(back.YoEntry, state.YoEntry);
}

TEST_F(DataFile, AFailedSaveLeavesTheOldFile)
{
    WriteAll(File(), "old");
    state.ProgramDir = dir.File("gone");
    EXPECT_THROW(WriteDataFile(state), FileError);
    if (::geteuid() != 0) { // root writes into any folder
        state.ProgramDir = dir.Path().string();
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::owner_exec);
        EXPECT_THROW(WriteDataFile(state), FileError);
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(ReadAll(File()), "old");
}
