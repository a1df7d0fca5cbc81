// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

// Children of this process still there (running or not yet reaped), so that a
// test can see that no engine process outlived a run.
inline int ChildProcessCount()
{
    int n = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (int pid; in >> pid;)
            ++n;
    }
    return n;
}

// Whether every process whose id is in `pidFile` (one a line) has ended,
// within a few seconds: a kill takes a moment to land. A zombie has ended; it
// waits for whoever inherited it.
inline bool AllEnded(const std::string& pidFile)
{
    const auto running = [&pidFile] {
        std::ifstream pids(pidFile);
        for (int pid; pids >> pid;) {
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string id, name, state;
            if (stat >> id >> name >> state && state != "Z")
                return true;
        }
        return false;
    };
    for (int i = 0; i < 500 && running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !running();
}
