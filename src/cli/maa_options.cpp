// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands.h"

namespace tavora::cli {

namespace {

// A list's items as the words an option takes, with their indexes.
std::vector<std::pair<std::string, int>> ItemWords(const std::vector<std::string_view>& items)
{
    std::vector<std::pair<std::string, int>> words;
    for (size_t i = 0; i < items.size(); ++i)
        words.emplace_back(std::string(items[i]), static_cast<int>(i));
    return words;
}

} // namespace

void AddMaaOptions(CLI::App* cmd, MaaOptions& o)
{
    cmd->add_option("--maa-name", o.name, "Name box: first line and file name")
        ->capture_default_str();
    cmd->add_option("--dm1", o.dm1, "DM1 list text")->capture_default_str();
    cmd->add_option("--dm2", o.dm2, "DM2 list text")->capture_default_str();
    cmd->add_option("--sc", o.sc, "SC list text")->capture_default_str();
    cmd->add_option("--ec", o.ec, "EC list text")->capture_default_str();
    AddWordOption(cmd->add_option("--ground", o.ground, "Ground of the .maa file"),
                  ItemWords(kGroundItems), o.ground);
    cmd->add_option("--height", o.height, "Height list text (metres)")->capture_default_str();
    AddWordOption(cmd->add_option("--material", o.material, "Element material of the .maa file"),
                  ItemWords(kMaterialItems), o.material);
    AddWords(cmd, "--dipole", o.dipole, {{"single", 0}, {"folded", 1}},
             "Radiator of the .maa file");
}

} // namespace tavora::cli
