#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliRun {
    std::string out, err;
    int rc = -1;
};

// Runs tavora-cli with `args` (already quoted for the shell).
CliRun Cli(const std::string& args)
{
    const std::filesystem::path errFile =
        std::filesystem::temp_directory_path() / ("tavora_cli_err_" + std::to_string(::getpid()));
    const std::string command =
        std::string("'") + TAVORA_CLI + "' " + args + " 2>'" + errFile.string() + "'";
    CliRun r;
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr)
        return r;
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = ::pclose(p);
    r.rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    std::stringstream ss;
    ss << err.rdbuf();
    r.err = ss.str();
    std::filesystem::remove(errFile);
    return r;
}

struct CliCase {
    const char* args;
    const char* out;
    const char* err;
    int rc;
};

void PrintTo(const CliCase& c, std::ostream* os)
{
    *os << c.args;
}

class ToolCommands : public testing::TestWithParam<CliCase> {};

TEST_P(ToolCommands, PrintWhatTheWindowShows)
{
    const CliCase& c = GetParam();
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.rc, c.rc);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ToolCommands,
    testing::Values(
        CliCase{"gain",
                "Gain is 11.4 dBd (referred to dipole)\n"
                "Approximate 3 dB beamwidth is 42.9 degrees\n"
                "(Assuming E-plane and H-plane are the same)\n",
                "", 0},
        CliCase{"gain --freq 432 --boom 2000 --method wa2phw",
                "Gain is 13.0 dBd (referred to dipole)\n"
                "Approximate 3 dB beamwidth is 35.6 degrees\n"
                "(Assuming E-plane and H-plane are the same)\n",
                "", 0},
        CliCase{"gain --boom 500 --method DJ9BV",
                "Gain is 4.3 dBd (referred to dipole)\n"
                "Approximate 3 dB beamwidth is 96.4 degrees\n"
                "(Assuming E-plane and H-plane are the same)\n",
                "", 0},
        CliCase{"gain --boom 4000.5", "", "'4000.5' is not a valid integer value\n", 1},
        CliCase{"gain --boom 0", "", "Floating point division by zero\n", 1},
        CliCase{"stack",
                "Estimated gain of antenna:\t14.5 dBd\n"
                "Vertical stacking distance:\t4022 mm\n"
                "Estimated horiz. stacking:\t4125 mm\n"
                "Estimated gain of array:\t17.3 dBd\n",
                "", 0},
        CliCase{"stack --freq 50 --beamwidth 45 --plane horizontal",
                "Estimated gain of antenna:\t10.9 dBd\n"
                "Horizontal stacking distance:\t7840 mm\n"
                "Estimated vertical stacking:\t7428 mm\n"
                "Estimated gain of array:\t13.8 dBd\n",
                "", 0},
        CliCase{"stack --freq 0", "Estimated gain of antenna:\t14.5 dBd\n",
                "Floating point division by zero\n", 1},
        CliCase{"swr --reverse 4 --forward 100", "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\n", "",
                0},
        CliCase{"swr --measure ohms --reverse 75 --forward 50",
                "1.50\t1.50\t0.00\t  75.00\t  50.00\tohms\n", "", 0},
        CliCase{"swr --reverse 10 --forward 5", "",
                "Reverse reading is greater than forward reading\n", 1},
        CliCase{"swr --reverse x --forward 5", "", "'x' is not a valid floating point value\n", 1},
        CliCase{"impedance", "99.8\n", "", 0},
        CliCase{"impedance --section square", "162.0\n", "", 0},
        CliCase{"impedance --calculate cross-section", "9.5\n", "", 0},
        CliCase{"impedance --calculate spacing", "12.8\n", "", 0},
        CliCase{"impedance --calculate cross-section --impedance 200",
                "Out of range\nCalculated Impedance outside range of algorithms (45-175 ohms)\n",
                "", 0},
        CliCase{"impedance --calculate spacing --section square --impedance 300", "56.9\n", "", 0},
        CliCase{"impedance --cross-section abc", "", "Error in one of the entry boxes\n", 1},
        CliCase{"quarterwave", "520.5\n100.0\n", "", 0},
        CliCase{"quarterwave --vf 0.66", "343.5\n100.0\n", "", 0},
        CliCase{"quarterwave --freq 0", "", "Floating point division by zero\n", 1}));

TEST(ToolCommands, UsageErrorsExitTwo)
{
    EXPECT_EQ(Cli("gain --method yagi").rc, 2);
    EXPECT_EQ(Cli("stack --plane diagonal").rc, 2);
    EXPECT_EQ(Cli("impedance --section oval").rc, 2);
    EXPECT_EQ(Cli("swr --measure amps --reverse 1 --forward 2").rc, 2);
}

class SwrCoaxCommand : public testing::Test {
  protected:
    void SetUp() override
    {
        file_ = std::filesystem::temp_directory_path() /
                ("tavora_cli_coax_" + std::to_string(::getpid()) + ".dta");
        std::ofstream(file_) << "# test\nTest cable     50MHZ=2 144MHZ=5\n";
    }
    void TearDown() override { std::filesystem::remove(file_); }
    std::string File() const { return "--coax-file '" + file_.string() + "' "; }
    std::filesystem::path file_;
};

TEST_F(SwrCoaxCommand, LossRowAndPowerLine)
{
    const CliRun r = Cli("swr --reverse 4 --forward 100 " + File() +
                         "--cable 'Test cable' --band '144 MHz' --length 20");
    EXPECT_EQ(r.out, "Coax lost= 3.28 dB\n"
                     "1.50\t2.48\t3.28\t   4.00\t 100.00\twatts\n"
                     "100 watts at bottom of coax delivers 46.99 watts to antenna\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.rc, 0);
}

TEST_F(SwrCoaxCommand, NoFigureForTheBand)
{
    const CliRun r = Cli("swr --reverse 4 --forward 100 " + File() +
                         "--cable 'Test cable' --band '432 MHz' --length 20");
    EXPECT_EQ(r.out, "Coax loss\n1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\n");
    EXPECT_EQ(r.err, "No data for loss at this frequency - coax unsuitable?\n");
    EXPECT_EQ(r.rc, 0);
}

TEST_F(SwrCoaxCommand, BandMissingOrCableUnknown)
{
    const CliRun r = Cli("swr --reverse 4 --forward 100 " + File() + "--cable 'Test cable'");
    EXPECT_EQ(r.err, "You must select frequency first\n");
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(Cli("swr --reverse 4 --forward 100 " + File() + "--cable 'None'").rc, 2);
}

TEST(SwrShippedCoax, LoadsACable)
{
    const CliRun r =
        Cli(std::string("swr --reverse 4 --forward 100 --coax-file '") + TAVORA_COAX_DTA +
            "' --cable 'LMR-400 50 ohm (Times)' --band '144 MHz' --length 30.48");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Coax lost= 1.5 dB");
    EXPECT_EQ(r.rc, 0);
}

} // namespace
