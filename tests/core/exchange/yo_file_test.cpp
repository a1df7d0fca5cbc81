// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_file.h"

#include "design/report.h"
#include "state/atomic_file.h"
#include "state/errors.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

using namespace tavora;

namespace {

// The 144.1 MHz example: 8 directors, 7 mm elements, 10 mm radiator, non-metal boom.
DesignState Example144()
{
    DesignState s;
    s.DesignFreq = 144.1;
    s.DirCount = 8;
    s.ElementDiam = 7;
    s.RadiatorDiam = 10;
    s.BoomDiam = 25;
    s.BoomSize = 25;
    s.Mounting = 'N';
    s.BendDiam = 50;
    s.FeedGap = 15;
    std::string report;
    Yagidimensions(s, report);
    return s;
}

std::string& E(YoEntryTexts& e, int n) { return e[static_cast<size_t>(n - 1)]; }

// Rows 1..16 set as "distance:length" pairs, the rest left at "0".
YoEntryTexts WithRows(const std::vector<std::pair<std::string, std::string>>& rows)
{
    YoEntryTexts e = DesignState().YoEntry;
    for (size_t k = 1; k <= rows.size(); ++k) {
        E(e, static_cast<int>(4 + 2 * k)) = rows[k - 1].first;
        E(e, static_cast<int>(3 + 2 * k)) = rows[k - 1].second;
    }
    return e;
}

} // namespace

TEST(YagFromDesign, The144MHzExampleLineByLine)
{
    DesignState s = Example144();
    s.YagiDescription = "My 10 element";
    EXPECT_EQ(YagTextFromDesign(s), "My 10 element\r\n"
                                    "144.10 MHz\r\n"
                                    "10 Elements, millimeters\r\n"
                                    "\t7.0\t10.0\r\n"
                                    "0\t1016\r\n"
                                    "416\t\t980\r\n"
                                    "572\t927\r\n"
                                    "947\t918\r\n"
                                    "1394\t909\r\n"
                                    "1914\t901\r\n"
                                    "2497\t894\r\n"
                                    "3121\t887\r\n"
                                    "3776\t881\r\n"
                                    "4463\t875\r\n");
}

TEST(YagFromDesign, RoundsAsTheFixedFormatDoes)
{
    DesignState s;
    s.DesignFreq = 1296;
    s.ElementDiam = 150.6;
    s.RadiatorDiam = 12.34;
    s.ReflLength = 1012.5;
    const std::string text = YagTextFromDesign(s);
    EXPECT_NE(text.find("1296.00 MHz\r\n2 Elements, millimeters\r\n\t151.0\t12.3\r\n0\t1013\r\n"),
              std::string::npos);
}

TEST(YagFromDesign, TwentyDirectorsWriteTwentyLinesAndTheReaderKeepsSixteen)
{
    DesignState s;
    s.DirCount = 20;
    for (int i = 1; i <= 20; ++i) {
        s.DirBoomPos[static_cast<size_t>(i)] = 100.0 * i;
        s.DirLength[static_cast<size_t>(i)] = 900 - i;
    }
    const std::string text = YagTextFromDesign(s);
    EXPECT_NE(text.find("\r\n2000\t880\r\n"), std::string::npos);
    YoEntryTexts e = DesignState().YoEntry;
    std::istringstream in(text);
    EXPECT_EQ(ReadYagValues(in, e), 20);
    EXPECT_EQ(E(e, 36), "1600");
    EXPECT_EQ(E(e, 35), "884");
    EXPECT_EQ(DirectorsLeftOut(20),
              "20 directors in the file; the screen holds 16: directors 17 to 20 "
              "were not loaded");
    EXPECT_EQ(DirectorsLeftOut(17),
              "17 directors in the file; the screen holds 16: director 17 was "
              "not loaded");
    EXPECT_EQ(DirectorsLeftOut(16), "");
}

TEST(YagFromEntries, WritesTheRowsThatCountInScreenOrder)
{
    struct Case {
        const char* name;
        YoEntryTexts entries;
        std::string line3;
        std::string rows;
    };
    const Case cases[] = {
        {"rows 1 to 5 filled", WithRows({{"100", "900"}, {"200", "890"}, {"300", "880"}, {"400", "870"},
                                         {"500", "860"}}),
         "7  elements,  millimeters",
         "100\t900\r\n200\t890\r\n300\t880\r\n400\t870\r\n500\t860\r\n"},
        // Row 3 at "0" does not count and must not push row 4 out of the file.
        {"rows 1, 2 and 4 filled", WithRows({{"100", "900"}, {"200", "890"}, {"0", "0"}, {"400", "870"}}),
         "5  elements,  millimeters", "100\t900\r\n200\t890\r\n400\t870\r\n"},
        {"a 3-character row does not count", WithRows({{"5", "0"}, {"10", "0"}}),
         "3  elements,  millimeters", "10\t0\r\n"},
    };
    for (const Case& c : cases) {
        const std::string text = YagTextFromEntries(c.entries, "d");
        EXPECT_NE(text.find("\r\n" + c.line3 + "\r\n"), std::string::npos) << c.name;
        const std::string head = "d\r\n0 MHz\r\n" + c.line3 + "\r\n\t0\t0\r\n0\t0\r\n0\t\t0\r\n";
        EXPECT_EQ(text, head + c.rows) << c.name;
    }
}

TEST(YagFromEntries, WriteThenReadRestoresTheEntries)
{
    TempDir dir;
    DesignState s;
    YoEntryTexts& e = s.YoEntry;
    const char* values[] = {"10.0", "416", "980", "7.0"};
    for (int n = 1; n <= 4; ++n)
        E(e, n) = values[n - 1];
    for (int k = 1; k <= 9; ++k) {
        E(e, 3 + 2 * k) = std::to_string(930 - k);
        E(e, 4 + 2 * k) = std::to_string(500 * k) + ".5";
    }
    E(e, 37) = "144.10";
    E(e, 38) = "25";
    E(e, 39) = "1016";
    E(e, 40) = "0";
    E(e, 41) = "1";
    s.YagiDescription = "";
    GenerateYOfile(s, dir.File("a.yag"));

    YoEntryTexts back = DesignState().YoEntry;
    ASSERT_TRUE(ReadYagFile(back, dir.File("a.yag")));
    YoEntryTexts expected = e;
    E(expected, 38) = "0";
    E(expected, 40) = "3";
    E(expected, 41) = "2";
    EXPECT_EQ(back, expected);

    // Boxes typed with a comma write the same file, and read back as typed.
    const auto withComma = [](YoEntryTexts texts) {
        for (std::string& t : texts)
            std::replace(t.begin(), t.end(), '.', ',');
        return texts;
    };
    s.YoEntry = withComma(e);
    GenerateYOfile(s, dir.File("comma.yag"), ',');
    EXPECT_EQ(ReadAll(dir.File("comma.yag")), ReadAll(dir.File("a.yag")));
    back = DesignState().YoEntry;
    ASSERT_TRUE(ReadYagFile(back, dir.File("comma.yag"), ','));
    EXPECT_EQ(back, withComma(expected));
}

TEST(YagFiles, ATextThatWouldShapeTheFileIsRefusedByItsBoxAndNothingIsWritten)
{
    TempDir dir;
    WriteAll(dir.File("old.yag"), "old");
    const std::string semicolon = "A value beginning with ';' cannot be saved (";
    const std::string control = "A line break or other control character cannot be saved (";
    const struct {
        const char* description;
        int entry; // 0: none
        const char* text;
        std::string message;
    } cases[] = {
        {";first", 0, "", semicolon + "Describe yagi)"},
        {"My yagi\n432.00 MHz", 0, "", control + "Describe yagi)"},
        {"My yagi\r", 0, "", control + "Describe yagi)"},
        {"", 37, "144\r\n", control + "Frequency)"},
        {"", 37, ";144", semicolon + "Frequency)"},
        {"", 4, "7\t7", control + "Director/Reflector diameter)"},
        {"", 5, "927\n", control + "Dir 1 Length)"},
        {"", 6, ";572", semicolon + "Dir 1 Dist from reflector)"},
    };
    for (const auto& c : cases) {
        DesignState s;
        s.YagiDescription = c.description;
        if (c.entry != 0)
            E(s.YoEntry, c.entry) = c.text;
        E(s.YoEntry, 6) = E(s.YoEntry, 6) == "0" ? "572" : E(s.YoEntry, 6); // row 1 counts
        try {
            GenerateYOfile(s, dir.File("old.yag"));
            ADD_FAILURE() << "no refusal: " << c.message;
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
        if (c.entry == 0)
            EXPECT_THROW(WriteYagFromDesign(s, dir.File("old.yag")), FileError) << c.message;
    }
    EXPECT_EQ(ReadAll(dir.File("old.yag")), "old");
}

TEST(YagFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string name = dir.File("sub/x.yag");
    EXPECT_THROW(WriteYagFromDesign(DesignState(), name), FileError);
    std::filesystem::create_directory(dir.Path() / "ro");
    WriteAll(dir.File("ro/x.yag"), "old");
    std::filesystem::permissions(dir.Path() / "ro", std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_THROW(WriteYagFromDesign(DesignState(), dir.File("ro/x.yag")), FileError);
        EXPECT_EQ(ReadAll(dir.File("ro/x.yag")), "old");
    }
    std::filesystem::permissions(dir.Path() / "ro", std::filesystem::perms::owner_all);
    WriteYagFromDesign(DesignState(), dir.File("ro/x.yag"));
    EXPECT_EQ(ReadAll(dir.File("ro/x.yag")).substr(0, 11), "\r\n0.00 MHz\r");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "ro"),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(NumberRules, FirstAndLastNumber)
{
    struct Case {
        std::string line, first, last;
    };
    const Case cases[] = {
        {"144.10 MHz", "144.10", "0"},
        {"\t7.0\t10.0", "7.0", "10.0"},
        {"-5", "5", "5"},
        {"0\t1012", "0", "1012"},
        {"330\t920 ", "330", "0"},
        {"144,1 MHz", "144", "0"},
        {" MHz", "0", "0"},
        {"\t\t", "0", "0"},
        {"", "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstNumber(c.line), c.first) << c.line;
        EXPECT_EQ(LastNumber(c.line), c.last) << c.line;
    }
}

TEST(YagReader, ReadsTheExampleFileWithCommentsAnywhere)
{
    DesignState s = Example144();
    const std::string text = YagTextFromDesign(s);
    std::string commented = "; a comment\r\n" + text;
    commented.insert(commented.find("0\t1016"), ";between\r\n");
    for (const std::string& t : {text, commented}) {
        YoEntryTexts e = DesignState().YoEntry;
        std::istringstream in(t);
        ReadYagValues(in, e);
        EXPECT_EQ(E(e, 37), "144.10");
        EXPECT_EQ(E(e, 4), "7.0");
        EXPECT_EQ(E(e, 1), "10.0");
        EXPECT_EQ(E(e, 39), "1016");
        EXPECT_EQ(E(e, 2), "416");
        EXPECT_EQ(E(e, 3), "980");
        EXPECT_EQ(E(e, 6), "572");
        EXPECT_EQ(E(e, 5), "927");
        EXPECT_EQ(E(e, 20), "4463");
        EXPECT_EQ(E(e, 21), "0");
        EXPECT_EQ(E(e, 36), "0");
    }
}

TEST(YagReader, AFileThatIsNoYoFileOrHoldsAnUnreadableNumberChangesNothing)
{
    const std::string head = "d\r\n144.10 MHz\r\n10 Elements, millimeters\r\n\t7.0\t10.0\r\n";
    const std::string rest = "0\t1016\r\n416\t\t980\r\n572\t927\r\n";
    const std::string notYo = "Not a YO file: ";
    const std::string loadNothing = "; nothing was loaded";
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } cases[] = {
        {"empty", "", notYo + "it ends before its frequency line" + loadNothing},
        {"junk", "hello\nworld\n", notYo + "no frequency on line 2" + loadNothing},
        {"cut after the diameters", head,
         notYo + "it ends before its reflector line" + loadNothing},
        {"no frequency", "d\r\n MHz\r\n10 el\r\n\t7\t10\r\n" + rest,
         notYo + "no frequency on line 2" + loadNothing},
        {"description beginning with ;",
         ";d\r\n144.10 MHz\r\n10 Elements\r\n\t7.0\t10.0\r\n" + rest,
         notYo + "the element count on line 4 is not a whole number" + loadNothing},
        {"fractional element count", "x\r\n432.5 MHz\r\n10.0 Elements\r\n\t7\t8\r\n" + rest,
         notYo + "the element count on line 3 is not a whole number" + loadNothing},
        {"decimal comma", "d\r\n144,10 MHz\r\n10 el\r\n\t7\t10\r\n" + rest,
         "Line 2 \"144,10 MHz\": \"144,10\" is not a number with a decimal point and no sign or "
         "exponent" +
             loadNothing},
        {"sign", head + "0\t-1016\r\n416\t\t980\r\n",
         "Line 5 \"0\t-1016\": \"-1016\" is not a number with a decimal point and no sign or "
         "exponent" +
             loadNothing},
        {"exponent in a director", head + rest + "700\t1e300\r\n",
         "Line 8 \"700\t1e300\": \"1e300\" is not a number with a decimal point and no sign or "
         "exponent" +
             loadNothing},
    };
    for (const auto& c : cases) {
        YoEntryTexts e = DesignState().YoEntry;
        e.fill("typed");
        std::istringstream in(c.text);
        try {
            ReadYagValues(in, e);
            ADD_FAILURE() << c.name;
        } catch (const FileError& error) {
            EXPECT_EQ(error.what(), c.message) << c.name;
        }
        EXPECT_EQ(E(e, 37), "typed") << c.name;
    }
    // Lines the screen's writer makes for empty boxes are no refusal.
    YoEntryTexts e = DesignState().YoEntry;
    std::istringstream in("d\r\n0 MHz\r\n3  elements\r\n\t\t\r\n0\t\r\n\t\t\r\n\t\r\n");
    EXPECT_EQ(ReadYagValues(in, e), 0);
    EXPECT_EQ(E(e, 4), "0");
}

TEST(YagReader, AMissingFileIsNotReadAReadOnlyOneIs)
{
    TempDir dir;
    YoEntryTexts e = DesignState().YoEntry;
    EXPECT_FALSE(ReadYagFile(e, dir.File("none.yag")));
    EXPECT_FALSE(ReadYagFile(e, ""));
    EXPECT_EQ(e, DesignState().YoEntry);
    WriteAll(dir.File("ro.yag"), "d\r\n50 MHz\r\n2  elements,  millimeters\r\n\t6\t25\r\n"
                                 "0\t3100\r\n1000\t\t2900\r\n");
    std::filesystem::permissions(dir.File("ro.yag"), std::filesystem::perms::owner_read);
    EXPECT_TRUE(ReadYagFile(e, dir.File("ro.yag")));
}
