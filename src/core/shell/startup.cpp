// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/startup.h"

#include "state/design_state.h"
#include "state/program_dir.h"
#include "text/format.h"

#include <algorithm>

namespace tavora::shell {

void InitialiseProgram(DesignState& state, char decimalSep)
{
    // The YO screen's two start choices are already in the state's defaults.
    RecordProgramDir(state);
    state.DataDir = InstalledDataDir(RunningExecutable()).string();
    const auto localise = [decimalSep](auto& texts) {
        for (std::string& text : texts)
            text = WithDecimalSep(text, decimalSep);
    };
    localise(state.YoEntry);
    localise(state.DesignEntry);
    localise(state.GainValues);
    localise(state.StackingValues);
}

bool HasDisplay(const Environment& env)
{
    const std::string platform = env("QT_QPA_PLATFORM");
    const bool x11 = !env("DISPLAY").empty();
    const bool wayland = !env("WAYLAND_DISPLAY").empty();
    if (platform.empty())
        return x11 || wayland;
    // A platform list such as "wayland;xcb" is tried in order.
    bool needsWindowSystem = true;
    std::size_t start = 0;
    while (start <= platform.size()) {
        const std::size_t end = std::min(platform.find(';', start), platform.size());
        const std::string name = platform.substr(start, end - start);
        if (name.rfind("xcb", 0) == 0) {
            if (x11)
                return true;
        } else if (name.rfind("wayland", 0) == 0) {
            if (wayland)
                return true;
        } else if (!name.empty()) {
            needsWindowSystem = false; // offscreen, minimal, vnc, eglfs...
        }
        start = end + 1;
    }
    return !needsWindowSystem;
}

} // namespace tavora::shell
