#include "cli/cli_run.h"

#include <gtest/gtest.h>

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

TEST(DesignCli, ImpossibleSizesAreRefusedWithTheScreensTexts)
{
    const struct {
        const char *args, *err;
    } cases[] = {
        {"design --freq -5", "Frequency in MHz cannot be negative\n"},
        {"design --gap -1", "Dipole gap at feed point mm cannot be negative\n"},
        {"design --element-shape flat --element-thick -2",
         "Thickness of element (mm) of the directors/reflector cannot be negative\n"},
        {"design --freq 100000 --element-diam 7",
         "The elements are too thick for this frequency: their lengths come out zero or "
         "negative\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.code, 1) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_EQ(r.err, c.err) << c.args;
    }
}

TEST(DesignCli, ErrorsPrintThePartialReportAndTheTextAlone)
{
    CliRun r = Cli("design --element-diam 0");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Floating point division by zero\n");
    EXPECT_EQ(r.out.substr(0, 8), "TAVORA\n\n");
    EXPECT_EQ(r.out.find("REFLECTOR"), std::string::npos);

    r = Cli("design --bend 0");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.substr(r.out.size() - 27), "FOLDED DIPOLE CONSTRUCTION\n");

    r = Cli("design --freq 0");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Floating point division by zero\n");

    // A text that is no number is a usage error, before any report.
    r = Cli("design --boom wide");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "--boom: 'wide' is not a number\nRun with --help for more information.\n");

    r = Cli("design --directors 101");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Number of directors must be from 0 to 100\n");
}

TEST(DesignCli, UsageErrorsExitTwo)
{
    EXPECT_EQ(Cli("design --mounting glued").code, 2);
    EXPECT_EQ(Cli("design --coax 46").code, 2);
    EXPECT_EQ(Cli("nonsense").code, 2);
    EXPECT_EQ(Cli("").code, 2);
}

} // namespace
