// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/version.h"

#include <functional>
#include <string>

namespace tavora {
struct DesignState;
}

namespace tavora::shell {

inline constexpr const char* kProgramTitle = "Tavora";
inline constexpr const char* kNoDisplay =
    "tavora: no display; run it under X or Wayland, or use tavora-cli";

// Program-wide initialisation before any window exists: the design state has
// its defaults from its constructor; the program directory and the installed
// data folder are recorded here, and the text groups' start-up texts ("144.1")
// get the user's separator, so that the boxes show what the user would type.
void InitialiseProgram(DesignState& state, char decimalSep = '.');

// Whether a window system can be reached, judged from the environment alone so
// that the program can say so instead of aborting inside the toolkit.
using Environment = std::function<std::string(const char* name)>;
bool HasDisplay(const Environment& env);

} // namespace tavora::shell
