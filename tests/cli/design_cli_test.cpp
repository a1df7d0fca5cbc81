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

    r = Cli("design --boom wide");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "'wide' is not a valid floating point value\n");

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
