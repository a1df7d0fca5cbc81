// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include <regex>
#include <string>
#include <vector>

namespace {

// Values no user means, in every number option of every command: each is
// refused by the option's name, or answered with figures (a simulation on one
// frequency of a Yagi without directors, so that the table stays quick).
TEST(EveryNumberOption, IsRefusedByNameOrAnsweredWithFigures)
{
    const std::vector<std::string> values{"nan", "inf", "1e309", "-1", "0", "99999999999999999999"};
    // The command with "{}" where each value goes, and the option it fills.
    std::vector<std::pair<std::string, std::string>> cases{
        {"simulate --directors 0 --points 1 --sweep {}", "--sweep"},
        {"simulate --directors 0 --points {}", "--points"},
        {"simulate --directors 0 --points 1 --z0 {}", "--z0"},
        {"simulate --directors 0 --points 1 --tune --vf {}", "--vf"},
        {"simulate --directors 0 --tolerance --builds {}", "--builds"},
        {"simulate --directors 0 --tolerance --builds 1 --length-tol {}", "--length-tol"},
        {"simulate --directors 0 --tolerance --builds 1 --position-tol {}", "--position-tol"},
        {"simulate --directors 0 --tolerance --builds 1 --seed {}", "--seed"},
        {"simulate-stack --directors 0 --sweep-spacing 0:0:2 --spacing {}", "--spacing"},
        {"simulate-stack --directors 0 --sweep-spacing {}:{}:{}", "--sweep-spacing"},
        {"simulate-stack --directors 0 --sweep-spacing 0:0:2 --side-lobe {}", "--side-lobe"},
        {"gain --freq {}", "--freq"},
        {"gain --boom-length {}", "--boom-length"},
        {"stack --freq {}", "--freq"},
        {"stack --beamwidth {}", "--beamwidth"},
        {"swr --forward 10 --reverse {}", "--reverse"},
        {"swr --reverse 1 --forward {}", "--forward"},
        {"swr --reverse 1 --forward 10 --length {}", "--length"},
        {"impedance --cross-section {}", "--cross-section"},
        {"impedance --spacing {}", "--spacing"},
        {"impedance --calculate spacing --impedance {}", "--impedance"},
        {"quarterwave --freq {}", "--freq"},
        {"quarterwave --zin {}", "--zin"},
        {"quarterwave --zout {}", "--zout"},
        {"quarterwave --vf {}", "--vf"},
    };
    for (const char* option : {"--dm1", "--dm2", "--sc", "--ec", "--height"}) {
        cases.emplace_back(std::string("design --directors 0 --maa - ") + option + " {}", option);
        cases.emplace_back(std::string("yo --load y.yag --maa - ") + option + " {}", option);
    }
    for (const char* entry : {"3", "6", "37", "38", "40", "41"})
        cases.emplace_back(std::string("yo --load y.yag --yag - --set ") + entry + "={}", "--set");
    // The design's options, in every command that designs; flat elements use
    // all three sizes, the user-defined coax its velocity factor.
    const std::vector<std::pair<std::string, std::string>> designs{
        {"design", ""},
        {"cutlist", ""},
        {"simulate", "--points 1"},
        {"simulate-stack", "--sweep-spacing 0:0:2"}};
    for (const auto& [command, base] : designs)
        for (const char* option :
             {"--freq", "--directors", "--boom", "--element-diam", "--element-width",
              "--element-thick", "--radiator-diam", "--radiator-width", "--radiator-thick",
              "--bend", "--gap", "--velocity-factor"}) {
            const std::string shapes =
                std::string(option).find("-width") != std::string::npos ||
                        std::string(option).find("-thick") != std::string::npos
                    ? " --element-shape flat --radiator-shape flat"
                    : "";
            cases.emplace_back(command + " " + base + shapes + " --coax 45 " +
                                   (std::string(option) == "--directors" ? "" : "--directors 0 ") +
                                   option + " {}",
                               option);
        }
    ASSERT_EQ(Cli("design --directors 2 --yag y.yag").code, 0);

    const std::regex noFigure("\\b(nan|inf)\\b", std::regex::icase);
    for (const auto& [args, option] : cases)
        for (const std::string& value : values) {
            const std::string line = std::regex_replace(args, std::regex("\\{\\}"), value);
            const CliRun r = Cli(line);
            if (r.code == 0) {
                EXPECT_FALSE(r.out.empty()) << line;
                EXPECT_FALSE(std::regex_search(r.out, noFigure)) << line << '\n' << r.out;
            } else {
                // After a note such as yo's "y.yag loaded".
                EXPECT_TRUE(std::regex_search(
                    r.err, std::regex("(^|\n)" + option + (option == "--set" ? " " : ":"))))
                    << line << '\n'
                    << r.err;
            }
        }
}

} // namespace
