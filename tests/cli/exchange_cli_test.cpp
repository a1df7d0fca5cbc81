// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/yo_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct Result {
    std::string out, err;
    int rc = -1;
};

// Runs tavora-cli in `dir` as a black box.
Result Cli(const TempDir& dir, const std::string& args)
{
    const std::string cmd =
        "cd '" + dir.Path().string() + "' && '" TAVORA_CLI "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    return {ReadAll(dir.File("out.txt")), ReadAll(dir.File("err.txt")),
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Entry n's line of --show.
std::string Shown(const Result& r, int n)
{
    const std::string key = "\n" + std::to_string(n) + "\t";
    const std::string out = "\n" + r.out;
    const size_t at = out.find(key);
    if (at == std::string::npos)
        return "<missing>";
    const size_t from = at + key.size();
    return out.substr(from, out.find('\n', from) - from);
}

const std::string kWorked = "--set 3=980 --set 1=6 --set 39=1030 --set 4=6 --set 38=20 ";

} // namespace

TEST(DesignCli, WritesTheYoAndMaaFilesOfTheDesign)
{
    TempDir dir;
    const Result r = Cli(dir, "design --yag a.yag --description 'Ten el' --maa a.maa");
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "File saved\n");
    const std::string yag = ReadAll(dir.File("a.yag"));
    EXPECT_EQ(yag.substr(0, yag.find("572")), "Ten el\r\n144.10 MHz\r\n10 Elements, millimeters\r\n"
                                              "\t7.0\t10.0\r\n0\t1016\r\n416\t\t980\r\n");
    EXPECT_NE(yag.find("4463\t875\r\n"), std::string::npos);
    const std::string maa = ReadAll(dir.File("a.maa"));
    const std::string head = "Yagi01\r\n*\r\n144.100\r\n***Wires***\r\n10\r\n0.0,  -";
    EXPECT_EQ(maa.substr(0, head.size()), head);
    EXPECT_NE(maa.find("\r\n400,   40,   2.0,   1\r\n"), std::string::npos);
    EXPECT_NE(maa.find("\r\n0,   15,   4,   50.0,   120,    60,    0.0\r\n"), std::string::npos);
}

TEST(DesignCli, TextsThatWouldShapeAFileAreRefusedAndNothingIsWritten)
{
    TempDir dir;
    const std::string control = "A line break or other control character cannot be saved (";
    const struct {
        const char *args, *err;
    } cases[] = {
        // sh is dash here, which knows no $'...'.
        {"--yag d.yag --description \"$(printf 'My yagi\\n432.00 MHz')\"", "Describe yagi)"},
        {"--maa d.maa --maa-name \"$(printf 'Yagi\\r\\n***Wires***')\"", "Filename)"},
        {"--maa d.maa --dm1 '400, 9'", nullptr},
    };
    for (const auto& c : cases) {
        const Result r = Cli(dir, std::string("design ") + c.args);
        EXPECT_EQ(r.rc, 1) << c.args;
        EXPECT_EQ(r.err, c.err ? control + c.err + "\n"
                               : "A ',' cannot be saved, it separates the file's fields (DM1)\n");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.yag")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.maa")));
}

TEST(DesignCli, MaaOptionsAndTheNotInsulatedWarning)
{
    TempDir dir;
    const Result r =
        Cli(dir, "design --mounting bonded --maa b.maa --maa-name Big --dm1 800 --ground 2 "
                 "--height 30 --material 1 --dipole folded");
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err,
              "The elements are not insulated from the boom. MMANA-GAL will give an incorrect "
              "assessment\n");
    const std::string maa = ReadAll(dir.File("b.maa"));
    const std::string head = "Big\r\n*\r\n144.100\r\n***Wires***\r\n15\r\n0.0,  -";
    EXPECT_EQ(maa.substr(0, head.size()), head);
    EXPECT_NE(maa.find("\r\n800,   40,   2.0,   1\r\n"), std::string::npos);
    EXPECT_NE(maa.find("\r\n2,   30,   1,   200.0,   120,    60,    0.0\r\n"), std::string::npos);
    EXPECT_EQ(Cli(dir, "design --maa c.maa --ground 3").rc, 2);
    // The .yag holds the same boom-corrected lengths: warned of, and still written.
    const Result yag = Cli(dir, "design --mounting insulated --yag b.yag");
    EXPECT_EQ(yag.err, std::string(tavora::kYoNotInsulated) + "\nFile saved\n");
    EXPECT_TRUE(std::filesystem::exists(dir.File("b.yag")));
}

TEST(YoCli, WorkedFrequencyEstimates)
{
    TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {"--set 40=1 --set 41=2", "145.0"}, {"--set 40=2 --set 41=2", "147.8"},
        {"--set 40=0 --set 41=2", "142.3"}, {"--set 40=0 --set 41=0", "143.0"},
        {"--set 40=0 --set 41=1", "142.7"},
    };
    for (const auto& [choice, frequency] : cases) {
        const Result r = Cli(dir, "yo " + kWorked + choice + " --estimate --show");
        EXPECT_EQ(r.rc, 0) << choice << r.err;
        EXPECT_EQ(Shown(r, 37), frequency) << choice;
    }
}

TEST(YoCli, ShowNamesEachEntry)
{
    TempDir dir;
    const Result r = Cli(dir, "yo --set 37=432.1 --show --names");
    EXPECT_EQ(Shown(r, 1), "Dipole diameter\t0");
    EXPECT_EQ(Shown(r, 37), "Frequency\t432.1");
    EXPECT_EQ(Shown(r, 41), "Elements\t2");
    EXPECT_EQ(Cli(dir, "yo --names").rc, 2); // only beside --show
}

TEST(YoCli, AFailedCheckGoesToStderrAndExits1)
{
    TempDir dir;
    Result r = Cli(dir, "yo --set 40=1 --estimate --show");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "--set 39: Reflector Length box empty or zero!\n");
    EXPECT_EQ(Shown(r, 37), "0");
    r = Cli(dir, "yo " + kWorked + "--set 40=1 --set 3=-980 --estimate");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "--set 3: Dipole length box empty or zero!\n");
    r = Cli(dir, "yo --convert-to nonmetal");
    EXPECT_EQ(r.err, "--set 39: Reflector length box empty or zero!\n");
    EXPECT_EQ(Cli(dir, "yo --set 42=1").rc, 2);
}

TEST(YoCli, WorkedConversions)
{
    TempDir dir;
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"0", "nonmetal", "1023"},
        {"0", "insulated", "1026"},
        {"2", "through", "1037"},
        {"2", "insulated", "1034"},
    };
    for (const auto& [from, to, result] : cases) {
        const Result r = Cli(dir, "yo " + kWorked + "--set 38=25 --set 37=144.1 --set 41=" + from +
                                      " --convert-to " + to + " --show");
        EXPECT_EQ(r.rc, 0) << r.err;
        EXPECT_EQ(Shown(r, 39), result) << from << " " << to;
        EXPECT_EQ(Shown(r, 5), "0");
    }
}

TEST(YoCli, YagRoundTripAndLoadMessages)
{
    TempDir dir;
    Result r =
        Cli(dir, "yo " + kWorked +
                     "--set 37=144.1 --set 2=416 --set 5=927 --set 6=572 --set 7=918 --set 8=947 "
                     "--set 11=909 --set 12=1394 --yag y.yag --description Mine");
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "YO file saved\n");
    EXPECT_EQ(ReadAll(dir.File("y.yag")),
              "Mine\r\n144.1 MHz\r\n5  elements,  millimeters\r\n\t6\t6\r\n"
              "0\t1030\r\n416\t\t980\r\n572\t927\r\n947\t918\r\n1394\t909\r\n");
    r = Cli(dir, "yo --load y.yag --show");
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "   y.yag loaded   \n");
    // Row 3 was left empty, so row 4 comes back as the third director.
    EXPECT_EQ(Shown(r, 9), "909");
    EXPECT_EQ(Shown(r, 10), "1394");
    EXPECT_EQ(Shown(r, 11), "0");
    EXPECT_EQ(Shown(r, 38), "0");
    r = Cli(dir, "yo --load none.yag");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "No yag file found\n");
    WriteAll(dir.File("junk.yag"), "junk\n");
    r = Cli(dir, "yo --load junk.yag");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "Not a YO file: it ends before its frequency line; nothing was loaded\n");
    std::string text = ReadAll(dir.File("y.yag"));
    for (int k = 4; k <= 20; ++k)
        text += std::to_string(1000 * k) + "\t900\r\n";
    WriteAll(dir.File("long.yag"), text);
    r = Cli(dir, "yo --load long.yag");
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.err, "   long.yag loaded   \n20 directors in the file; the screen holds 16: "
                     "directors 17 to 20 were not loaded\n");
    r = Cli(dir, "yo --yag z.yag --description ';no'");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "A value beginning with ';' cannot be saved (Describe yagi)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("z.yag")));
}

TEST(YoCli, MakeMmana)
{
    TempDir dir;
    const std::string dims = "yo " + kWorked +
                             "--set 37=144.1 --set 2=400 --set 5=927 --set 6=700 "
                             "--set 7=918 --set 8=1100 --set 9=909 --set 10=1600 ";
    Result r = Cli(dir, dims + "--maa m.maa");
    ASSERT_EQ(r.rc, 0) << r.err;
    const std::string maa = ReadAll(dir.File("m.maa"));
    EXPECT_NE(maa.find("***Wires***\r\n5\r\n"), std::string::npos);
    EXPECT_NE(maa.find("\r\n-0.4000,  -0.5150,  0.0,  -0.4000,  0.5150,  0.0,  0.0030,  -1\r\n"
                       "0.3000,  -0.4635,  0.0,  0.3000,  0.4635,  0.0,  0.0030,  -1\r\n"
                       "0.7000,  -0.4590,  0.0,  0.7000,  0.4590,  0.0,  0.0030,  -1\r\n"
                       "1.2000,  -0.4545,  0.0,  1.2000,  0.4545,  0.0,  0.0030,  -1\r\n"),
              std::string::npos);
    r = Cli(dir, dims + "--set 7=0 --set 8=0 --maa n.maa");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, "Director lengths and director spacing mismatch, check entries\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("n.maa")));
    r = Cli(dir, dims + "--set 9=x --maa n.maa");
    EXPECT_EQ(r.err, "--set 9: Dir 3 Length must be a number, not 'x'\n");
}

// The YO entries and the MMANA-GAL boxes are refused by option before a file is written.
TEST(ExchangeCli, ImpossibleEntriesAreRefusedNamingTheOptionAndNothingIsWritten)
{
    TempDir dir;
    const std::string yagi = "yo " + kWorked + "--set 2=400 --set 37=144.1 ";
    const struct {
        std::string args, err;
    } cases[] = {
        {yagi + "--set 9=abc --yag d.yag", "--set 9: Dir 3 Length must be a number, not 'abc'\n"},
        {yagi + "--set 37=1.64886E+305 --yag d.yag",
         "--set 37: Frequency must be from 50 to 10500 MHz\n"},
        {yagi + "--set 39=1e-300 --yag d.yag",
         "--set 39: Reflector length must be from 520 to 1560 mm at 144.1 MHz (0.25 to 0.75 "
         "wavelength)\n"},
        {"yo " + kWorked + "--set 39=1e-300 --set 40=0 --estimate",
         "--set 39: No frequency fits these dimensions, check entries\n"},
        {yagi + "--maa d.maa", ""},
        {"design --maa d.maa --height x", "--height: Height (metres) must be a number, not 'x'\n"},
        {"design --maa d.maa --height -5", "--height: Height (metres) cannot be negative\n"},
    };
    for (const auto& c : cases) {
        const Result r = Cli(dir, c.args);
        if (c.err.empty()) { // the same yagi is exported when nothing is wrong
            EXPECT_EQ(r.rc, 0) << c.args << r.err;
            std::filesystem::remove(dir.File("d.maa"));
            continue;
        }
        EXPECT_EQ(r.rc, 1) << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
        EXPECT_FALSE(std::filesystem::exists(dir.File("d.yag"))) << c.args;
        EXPECT_FALSE(std::filesystem::exists(dir.File("d.maa"))) << c.args;
    }
}
