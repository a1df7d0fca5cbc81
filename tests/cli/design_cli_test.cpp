// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sys/stat.h>

namespace {

TEST(DesignCli, PrintsTheReportWithLfLineEnds)
{
    const CliRun r = Cli("design --gap 10 --coax 'RG-213 (PE) 50 ohm'");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, ReadFile(TAVORA_TEST_DATA "/report_144_rg213.txt"));
    EXPECT_EQ(Cli("design --gap 10 --coax 37").out, r.out);
}

TEST(DesignCli, SmallTolerancesKeepADecimal)
{
    const std::pair<const char*, const char*> cases[] = {
        {"144.1", "+/- 6 mm"}, {"1296.2", "+/- 0.7 mm"}, {"2320.1", "+/- 0.4 mm"}};
    for (const auto& [freq, tolerance] : cases)
        EXPECT_NE(
            Cli(std::string("design --freq ") + freq)
                .out.find(std::string("Tolerance for element lengths is ") + tolerance + "\n"),
            std::string::npos)
            << freq;
}

TEST(DesignCli, EveryReportEndsWithALineEnd)
{
    // 432 MHz: the folded dipole is outside the flat-plane range, whose
    // sentence ends the report box's text without one.
    const std::pair<const char*, const char*> cases[] = {{"144", "K is 0.951\n"},
                                                         {"432", "range of 10:1\n"}};
    for (const auto& [freq, end] : cases) {
        const std::string out = Cli(std::string("design --freq ") + freq).out;
        ASSERT_GT(out.size(), std::strlen(end));
        EXPECT_EQ(out.substr(out.size() - std::strlen(end)), end) << freq;
    }
}

TEST(DesignCli, OptionsReachTheReport)
{
    const CliRun r = Cli("design --freq 432 --directors 20 --element-diam 6 --radiator-diam 6 "
                         "--mounting insulated --dipole-mounting same --boom-type square "
                         "--element-shape flat --element-width 10 --element-thick 2");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("Yagi design frequency =432.00 MHz\n"), std::string::npos);
    EXPECT_NE(r.out.find("insulated through a square section metal boom 25 mm"), std::string::npos);
    EXPECT_NE(r.out.find("Director/reflector strip =10 mm by 2 mm\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n20\t"), std::string::npos);

    const CliRun user = Cli("design --coax 45 --velocity-factor 0.82");
    EXPECT_NE(user.out.find("uses 0.82 velocity factor coax and is"), std::string::npos);
}

TEST(DesignCli, TheFrequencyBringsItsBandsSizesUnlessGiven)
{
    const CliRun band = Cli("design --freq 432 --directors 20");
    EXPECT_EQ(band.code, 0);
    EXPECT_NE(band.out.find("Director/reflector diam =6 mm\n"), std::string::npos);
    EXPECT_NE(band.out.find("Radiator diam =6 mm\n"), std::string::npos);
    EXPECT_NE(band.out.find("Gap at HG=10mm\n"), std::string::npos);
    EXPECT_NE(band.out.find("Bend diameter BI=DF=35mm\n"), std::string::npos);
    EXPECT_EQ(Cli("design --freq 432 --directors 20 --element-diam 6 --radiator-diam 6 "
                  "--radiator-width 6 --element-width 6 --boom 25 --bend 35 --gap 10")
                  .out,
              band.out);

    const CliRun given = Cli("design --freq 1296 --element-diam 5 --gap 7");
    EXPECT_NE(given.out.find("Director/reflector diam =5 mm\n"), std::string::npos);
    EXPECT_NE(given.out.find("Radiator diam =4 mm\n"), std::string::npos);
    EXPECT_NE(given.out.find("Gap at HG=7mm\n"), std::string::npos);
    EXPECT_NE(given.out.find("boom"), std::string::npos);
}

// Every impossible question is refused before anything is printed or written,
// naming the option and saying what is allowed.
TEST(DesignCli, ImpossibleDesignsAreRefusedNamingTheOption)
{
    const std::string nonmetal = "design --mounting nonmetal ";
    const std::string elements = "Diameter of element (mm) of the directors/reflector must be "
                                 "from 0.416 to 83.2 mm at 144.1 MHz (0.0002 to 0.04 wavelength)\n";
    const std::string belowElement = "--boom: Cross-section of boom mm must be below 875 mm, the "
                                     "length of the shortest element\n";
    const struct {
        std::string args, err;
    } cases[] = {
        {"design --freq -5", "--freq: Frequency in MHz cannot be negative\n"},
        {"design --gap -1", "--gap: Dipole gap at feed point mm cannot be negative\n"},
        {"design --element-shape flat --element-thick -2",
         "--element-thick: Thickness of element (mm) of the directors/reflector cannot be "
         "negative\n"},
        {nonmetal + "--boom 5000", belowElement},
        {nonmetal + "--boom 1e300", belowElement},
        {"design --element-diam 1e-300", "--element-diam: " + elements},
        {"design --element-diam 300", "--element-diam: " + elements},
        {"design --bend 2000",
         "--bend: Diameter of dipole bend mm must be below 985 mm, to leave a straight on the "
         "folded dipole of 1000 mm\n"},
        {"design --gap 3000",
         "--gap: Dipole gap at feed point mm must be below 950 mm, to leave a straight on the "
         "folded dipole of 1000 mm\n"},
        {"design --gap 0", "--gap: Dipole gap at feed point mm box empty or zero!\n"},
        {"design --element-shape flat --element-thick 0",
         "--element-thick: Thickness of element (mm) of the directors/reflector box empty or "
         "zero!\n"},
        {"design --freq 1e-300", "--freq: Frequency in MHz must be from 50 to 10500 MHz\n"},
        {"design --freq 0", "--freq: Frequency in MHz box empty or zero!\n"},
        {"design --bend 0", "--bend: Diameter of dipole bend mm box empty or zero!\n"},
        {"design --element-diam 0",
         "--element-diam: Diameter of element (mm) of the directors/reflector box empty or "
         "zero!\n"},
        {"design --mounting bonded --boom-type round --boom 500",
         "--boom: Cross-section of boom mm must be from 0 to 208 mm at 144.1 MHz (0 to 0.1 "
         "wavelength)\n"},
        {"design --freq 30000", "--freq: Frequency in MHz must be from 50 to 10500 MHz\n"},
        {"design --directors 101", "--directors: Number of directors must be from 0 to 100\n"},
        {"design --freq 10368 --element-shape square",
         "--element-width: Width of element (mm) of the directors/reflector must be from 0.0049 "
         "to 0.98 mm at 10368 MHz (0.0002 to 0.04 wavelength); 1 mm is the band's size for "
         "10368 MHz: give --element-width a size that fits\n"},
        // Bends and strips the formulas would overflow or turn negative.
        {"design --bend 1e-320",
         "--bend: Diameter of dipole bend mm must be at least 20 mm, twice the diameter of the "
         "dipole's rod\n"},
        {"design --element-shape flat --element-width 10 --element-thick 12",
         "--element-thick: Thickness of element (mm) of the directors/reflector cannot be above "
         "10\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, 1) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
}

TEST(DesignCli, TextThatIsNoNumberIsAUsageErrorBeforeAnyReport)
{
    const CliRun r = Cli("design --boom wide");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "--boom: 'wide' is not a number\nRun with --help for more information.\n");
}

TEST(DesignCli, UsageErrorsExitTwo)
{
    EXPECT_EQ(Cli("design --mounting glued").code, 2);
    EXPECT_EQ(Cli("design --coax 46").code, 2);
    EXPECT_EQ(Cli("nonsense").code, 2);
    EXPECT_EQ(Cli("").code, 2);
}

TEST(DesignCli, SavingToStandardOutputKeepsTheReport)
{
    // Through a pipe (popen's) and into a redirected file alike: the file
    // comes first (it is written before the report is printed), then the report.
    const std::string report = Cli("design").out;
    const CliRun piped = Cli("design --yag /dev/stdout");
    EXPECT_EQ(piped.code, 0) << piped.err;
    ASSERT_GT(piped.out.size(), report.size());
    EXPECT_EQ(piped.out.substr(piped.out.size() - report.size()), report);
    TempDir dir;
    EXPECT_EQ(Cli("design --yag /dev/stdout > " + dir.File("out.txt")).code, 0);
    EXPECT_EQ(ReadFile(dir.File("out.txt")), piped.out);
}

// A file that cannot be written is named with its option, a FIFO that
// nothing reads is refused within a second, and standard output that cannot
// be written fails the run.
TEST(DesignCli, AFileThatCannotBeWrittenIsNamedWithItsOption)
{
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string command, option, file, error;
    } cases[] = {
        {"design", "--yag", dir.File("gone/a.yag"), std::strerror(ENOENT)},
        {"design", "--yag", fifo, "nothing reads from it"},
        {"design", "--maa", fifo, "nothing reads from it"},
        {"design", "--nec", "/dev/full", std::strerror(ENOSPC)},
        {"cutlist", "--csv", fifo, "nothing reads from it"},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        const CliRun r = Cli(c.command + " " + c.option + " " + c.file);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.file;
        EXPECT_EQ(r.code, 1) << c.file;
        const std::string error = c.option + ": Cannot save to " + c.file + ": " + c.error + "\n";
        EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), error.size())), error);
    }
    const CliRun full = Cli("design > /dev/full");
    EXPECT_EQ(full.code, 1);
    EXPECT_EQ(full.err.rfind("Cannot write to standard output", 0), 0u) << full.err;
    // The file on standard output is the whole answer: no "File saved" beside it.
    const CliRun yag = Cli("design --yag -");
    EXPECT_EQ(yag.code, 0);
    EXPECT_EQ(yag.err, "");
}

} // namespace
