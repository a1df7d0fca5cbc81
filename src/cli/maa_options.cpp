#include "commands.h"

#include <map>

namespace tavora::cli {

void AddMaaOptions(CLI::App* cmd, MaaOptions& o)
{
    const std::map<std::string, int> dipole{{"single", 0}, {"folded", 1}};
    cmd->add_option("--maa-name", o.name, "Name box: first line and file name")->capture_default_str();
    cmd->add_option("--dm1", o.dm1, "DM1 list text")->capture_default_str();
    cmd->add_option("--dm2", o.dm2, "DM2 list text")->capture_default_str();
    cmd->add_option("--sc", o.sc, "SC list text")->capture_default_str();
    cmd->add_option("--ec", o.ec, "EC list text")->capture_default_str();
    // Item indexes as the lists give them; -1 stands for a typed text that is no item.
    cmd->add_option("--ground", o.ground, "Ground item index (0 Free space, 1 Perfect, 2 Real)")
        ->check(CLI::Range(-1, static_cast<int>(kGroundItems.size()) - 1))
        ->capture_default_str();
    cmd->add_option("--height", o.height, "Height list text (metres)")->capture_default_str();
    cmd->add_option("--material", o.material, "Material item index (4 Al tube)")
        ->check(CLI::Range(-1, static_cast<int>(kMaterialItems.size()) - 1))
        ->capture_default_str();
    cmd->add_option("--dipole", o.dipole, "single|folded")
        ->transform(CLI::CheckedTransformer(dipole, CLI::ignore_case));
}

} // namespace tavora::cli
