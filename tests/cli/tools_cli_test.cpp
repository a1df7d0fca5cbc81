// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_run.h"
#include "temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

TEST(ToolCommands, PrintWhatTheWindowShows)
{
    const struct {
        const char *args, *out, *err;
        int rc;
    } cases[] = {
        {"gain",
         "Gain is 11.4 dBd (referred to dipole)\nApproximate 3 dB beamwidth is 42.9 degrees\n"
         "(Assuming E-plane and H-plane are the same)\n",
         "", 0},
        // --boom, the old spelling of --boom-length, is still taken.
        {"gain --freq 432 --boom 2000 --method wa2phw",
         "Gain is 13.0 dBd (referred to dipole)\nApproximate 3 dB beamwidth is 35.6 degrees\n"
         "(Assuming E-plane and H-plane are the same)\n",
         "", 0},
        {"gain --boom-length 4000.5", "", nullptr, 2},
        {"stack",
         "Estimated gain of antenna:\t14.5 dBd\nVertical stacking distance:\t4022 mm\n"
         "Estimated horiz. stacking:\t4125 mm\nEstimated gain of array:\t17.3 dBd\n",
         "", 0},
        {"stack --freq 50 --beamwidth 45 --plane horizontal",
         "Estimated gain of antenna:\t10.9 dBd\nHorizontal stacking distance:\t7840 mm\n"
         "Estimated vertical stacking:\t7428 mm\nEstimated gain of array:\t13.8 dBd\n",
         "", 0},
        {"stack --freq 0", "", "--freq: Frequency in MHz box empty or zero!\n", 1},
        {"swr --reverse 4 --forward 100", "1.50\t1.50\t0.00\t   4.00\t 100.00\twatts\n", "", 0},
        {"swr --measure ohms --reverse 75 --forward 50",
         "1.50\t1.50\t0.00\t  75.00\t  50.00\tohms\n", "", 0},
        {"swr --reverse 10 --forward 5", "",
         "--reverse: Reverse reading is greater than forward reading\n", 1},
        {"impedance", "99.8\n", "", 0},
        {"impedance --section square", "162.0\n", "", 0},
        {"impedance --calculate cross-section", "9.5\n", "", 0},
        {"impedance --calculate spacing", "12.8\n", "", 0},
        {"impedance --calculate spacing --section square --impedance 300", "56.9\n", "", 0},
        // The range notice goes beside the result, as swr's loss notice does.
        {"impedance --calculate cross-section --impedance 200", "Out of range\n",
         "Calculated Impedance outside range of algorithms (45-175 ohms)\n", 0},
        {"quarterwave", "520.5\n100.0\n", "", 0},
        {"quarterwave --vf 0.66", "343.5\n100.0\n", "", 0},
        // Values whose result would overflow a double are out of the option's range.
        {"quarterwave --freq=1e-320", "", "--freq: Frequency (MHz) must be from 50 to 10500 MHz\n",
         1},
        {"quarterwave --vf=1e308", "", "--vf: Velocity factor must be from 0.1 to 1\n", 1},
        {"impedance --spacing=1e308", "",
         "--spacing: Spacing (mm) must be from 0.001 to 10000 mm\n", 1},
        {"impedance --cross-section=1e-320", "",
         "--cross-section: Cross section (mm) must be from 0.001 to 10000 mm\n", 1},
        // The windows' refusals of impossible values, with their texts, after the option.
        {"gain --freq -144.1", "", "--freq: Enter frequency in MHz cannot be negative\n", 1},
        {"gain --boom-length -1000 --method wa2phw", "",
         "--boom-length: Boom length mm cannot be negative\n", 1},
        {"gain --boom-length 1", "",
         "--boom-length: Boom length mm must be from 416 to 104000 mm at 144.1 MHz (0.2 to 50 "
         "wavelengths)\n",
         1},
        {"gain --freq 1e300", "", "--freq: Enter frequency in MHz must be from 50 to 10500 MHz\n",
         1},
        {"stack --beamwidth 180", "",
         "--beamwidth: Half power vertical beamwidth must be from 10 to 150 degrees\n", 1},
        {"swr --reverse -4 --forward 100", "", "--reverse: Reverse reading cannot be negative\n",
         1},
        {"swr --measure ohms --reverse 0 --forward 75", "",
         "--reverse: Low impedance box empty or zero!\n", 1},
        {"impedance --spacing 0", "", "--spacing: Spacing (mm) box empty or zero!\n", 1},
        {"impedance --cross-section 20 --spacing 12.8", "",
         "--spacing: Centre to centre (mm) must be above the Cross section (mm), 20.0 mm: closer, "
         "the rods overlap\n",
         1},
        {"quarterwave --vf 0", "", "--vf: Velocity factor box empty or zero!\n", 1},
        // Refused before anything is printed.
        {"quarterwave --zin -200 --zout -50", "",
         "--zin: Input impedance (ohms) cannot be negative\n", 1},
        {"gain --method yagi", "", nullptr, 2},
        {"stack --plane diagonal", "", nullptr, 2},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.out, c.out) << c.args;
        if (c.err) {
            EXPECT_EQ(r.err, c.err) << c.args;
        }
        EXPECT_EQ(r.code, c.rc) << c.args;
    }
}

// What a script reads on stderr when the command line is wrong: the option and what it allows.
TEST(CommandLine, UsageErrorsNameTheOptionAndWhatIsAllowed)
{
    const std::pair<const char*, const char*> cases[] = {
        {"design --freq abc", "--freq: 'abc' is not a number"},
        {"gain --boom-length 4000.5", "--boom-length: '4000.5' is not a whole number"},
        {"cutlist --units feet", "--units: 'feet' is not one of mm|inch"},
        {"cutlist --fraction 16", "--fraction: '16' is not one of 32|64"},
        {"design --freqency 432", "--freqency: did you mean --freq?"},
        {"simulate --tolernce", "--tolernce: did you mean --tolerance?"},
        {"gain --frobnicate=1", "--frobnicate: no such option; see tavora-cli gain --help"},
        {"impedance --cross-section abc", "--cross-section: 'abc' is not a number"},
        {"design --boom-type oval", "--boom-type: 'oval' is not one of round|square"},
        {"design --ground 3", "--ground: '3' is not one of Free space|Perfect|Real"},
        {"swr", "swr: the --reverse and --forward readings are missing"},
        {"swr --reverse 4", "swr: the --forward reading is missing"},
        {"desing --freq 432", "'desing' is not a command; did you mean 'design'?"},
        {"antenna", "'antenna' is not a command; see tavora-cli --help"},
        {"design --coax RG213",
         "--coax: 'RG213' is not an item of `tavora-cli coax`; did you mean 'RG-213 (PE) 50 ohm'?"},
        {"design --coax rg-58a", "--coax: 'rg-58a' is not an item of `tavora-cli coax`; did you "
                                 "mean 'RG-58A (PE) 53.5 ohm'?"},
    };
    for (const auto& [args, err] : cases) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), err) << args;
        EXPECT_EQ(r.code, 2) << args;
        EXPECT_EQ(r.out, "") << args;
    }
    // Words in any case, and the values earlier releases took, still work.
    EXPECT_EQ(Cli("design --boom-type SQUARE").out, Cli("design --boom-type 0").out);
}

TEST(CommandLine, HelpShowsTheWordsAUserTypes)
{
    for (const char* command :
         {"design", "yo", "simulate", "gain", "stack", "swr", "impedance", "cutlist"}) {
        const std::string help = Cli(std::string(command) + " --help").out;
        EXPECT_EQ(help.find("->"), std::string::npos) << command;
        // Every option says what it is for: its text starts at column 30, or
        // on the next line when the option is long.
        std::vector<std::string> lines;
        std::istringstream in(help);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind("  --", 0) != 0)
                continue;
            EXPECT_TRUE(lines[i].size() > 30 ||
                        (i + 1 < lines.size() && lines[i + 1].rfind(std::string(30, ' '), 0) == 0))
                << command << ": " << lines[i];
        }
    }
    EXPECT_NE(
        Cli("design --help").out.find("Dipole gap at feed point mm (band default) [above 0 mm]\n"),
        std::string::npos);
}

TEST(CommandLine, VersionAndCoaxList)
{
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.substr(0, version.out.find("This")),
              "tavora-cli 2.6.10\nLicence: GNU GPL version 3 or later (GPL-3.0-or-later)\n");

    const CliRun coax = Cli("coax");
    EXPECT_EQ(coax.code, 0);
    EXPECT_EQ(std::count(coax.out.begin(), coax.out.end(), '\n'), 46);
    EXPECT_NE(coax.out.find("\n37\t0.66\tRG-213 (PE) 50 ohm\n"), std::string::npos);
    EXPECT_NE(coax.out.find("\n45\t--velocity-factor\tUSER set velocity factor\n"),
              std::string::npos);
}

TEST(ToolCommands, SwrWithACable)
{
    TempDir dir;
    const std::filesystem::path file = dir.File("coax.dta");
    std::ofstream(file) << "# test\nTest cable     50MHZ=2 144MHZ=5\nHalf cable     144MHZ=1.5\n";
    const std::string args = "swr --reverse 4 --forward 100 --coax-file '" + file.string() +
                             "' --cable 'Test cable' --length 20 ";
    CliRun r = Cli(args + "--band '144 MHz'");
    EXPECT_EQ(r.out, "Coax lost= 3.28 dB\n1.50\t2.48\t3.28\t   4.00\t 100.00\twatts\n"
                     "100 watts at bottom of coax delivers 46.99 watts to antenna\n");
    r = Cli(args + "--band '432 MHz'");
    EXPECT_EQ(r.out, "Coax loss\n1.50\tN/A\tN/A\t   4.00\t 100.00\twatts\n");
    EXPECT_EQ(r.err, "No data for loss at this frequency - coax unsuitable?\n");
    r = Cli(args);
    EXPECT_EQ(r.err + std::to_string(r.code), "You must select frequency first\n1");
    // A fraction in the file is read whole under every locale (1 dB would give 0.66).
    r = Cli("swr --reverse 4 --forward 100 --coax-file '" + file.string() +
            "' --cable 'Half cable' --length 20 --band '144 MHz'");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Coax lost= 0.98 dB");
    std::filesystem::remove(file);
    r = Cli(std::string("swr --reverse 4 --forward 100 --coax-file '") + TAVORA_COAX_DTA +
            "' --cable 'LMR-400 50 ohm (Times)' --band '144 MHz' --length 30.48");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Coax lost= 1.5 dB");
}

TEST(ToolCommands, SwrTakesTheFoldersCablesElseTheInstalledOnes)
{
    // An installed tree: the program in usr/bin, the shipped files in usr/share/tavora.
    TempDir root;
    const auto bin = root.Path() / "usr/bin", share = root.Path() / "usr/share/tavora";
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    std::filesystem::create_directories(root.Path() / "home");
    std::filesystem::create_directories(root.Path() / "own");
    std::filesystem::copy_file(TAVORA_CLI, bin / "tavora-cli");
    std::filesystem::copy_file(TAVORA_COAX_DTA, share / "Coax.dta");
    WriteAll(root.File("own/Coax.dta"), "Own cable     144MHZ=5\n");
    const std::string program = (bin / "tavora-cli").string();
    const std::string args = "swr --reverse 4 --forward 100 --band '144 MHz' --length 30.48 ";

    CliRun r = Cli(args + "--cable 'LMR-400 50 ohm (Times)'", "", program, root.File("home"));
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')) + r.err, "Coax lost= 1.5 dB");
    r = Cli(args + "--cable 'Own cable'", "", program, root.File("own"));
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')) + r.err, "Coax lost= 5 dB");
    r = Cli(args + "--cable 'LMR-400 50 ohm (Times)'", "", program, root.File("own"));
    EXPECT_EQ(r.code, 2); // the folder's own file wins: the installed cables are not mixed in

    std::filesystem::remove(share / "Coax.dta");
    r = Cli(args + "--cable 'Own cable'", "", program, root.File("home"));
    EXPECT_EQ(r.err + std::to_string(r.code),
              "File called 'Coax.dta' does not exist, see help file\n1");
}

} // namespace
