#pragma once

#include <filesystem>
#include <fstream>

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
