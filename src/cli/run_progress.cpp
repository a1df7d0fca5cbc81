// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_progress.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <thread>
#include <unistd.h>

namespace tavora::cli {

namespace {

// CPU seconds of nec2c for one frequency of a model of n segments: the
// matrix's LU factorisation grows with n^3, its fill and the currents with
// n^2. Fitted to `simulate --points 41` (45 solutions) at 50 and 100
// directors (890 and 1690 segments: 0.139 and 0.896 s a solution) on the
// 2-core x86-64 build machine, from the CPU time of tavora-cli and its
// engines as the shell's `time` gives it; 20 directors (410 segments, 0.021
// s) comes out a little above it, from the engines' start-up.
constexpr double kLuSeconds = 1.73e-10;  // per segment cubed
constexpr double kFillSeconds = 2.17e-8; // per segment squared
// Below this a run starts without a word.
constexpr double kAnnouncedSeconds = 60;

std::string DurationText(double seconds)
{
    const long minutes = std::lround(seconds / 60);
    if (minutes < 60)
        return std::to_string(std::max(minutes, 1L)) + " min";
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

} // namespace

RunProgress::RunProgress(RunControl& control, std::string counted) : counted_(std::move(counted))
{
    if (isatty(STDERR_FILENO))
        control.progress = [this](int done, int total) { Show(done, total); };
}

RunProgress::~RunProgress()
{
    const std::lock_guard lock(mutex_);
    if (shown_ > 0)
        std::cerr << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
}

void RunProgress::Show(int done, int total)
{
    const std::lock_guard lock(mutex_);
    const std::string line =
        "Simulating: " + std::to_string(done) + "/" + std::to_string(total) + " " + counted_;
    // Padded over a longer line before it.
    std::cerr << '\r' << line << std::string(shown_ > line.size() ? shown_ - line.size() : 0, ' ')
              << std::flush;
    shown_ = std::max(shown_, line.size());
}

int SegmentCount(const NecModel& model)
{
    int segments = 0;
    for (const NecWire& wire : model.wires)
        segments += wire.segments;
    return segments;
}

void AnnounceLongRun(int solves, int segments, const std::string& counted)
{
    AnnounceLongRun(std::vector<int>(static_cast<size_t>(std::max(solves, 0)), segments), counted);
}

void AnnounceLongRun(const std::vector<int>& segments, const std::string& counted)
{
    const int solves = static_cast<int>(segments.size());
    const int largest = segments.empty() ? 0 : *std::max_element(segments.begin(), segments.end());
    double cpu = 0;
    for (const double n : segments)
        cpu += kLuSeconds * n * n * n + kFillSeconds * n * n;
    // The engines run one per core.
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const double wall = cpu / std::min(cores, std::max(solves, 1));
    if (wall < kAnnouncedSeconds)
        return;
    std::cerr << "Estimated run time: about " << DurationText(wall) << " (" << solves << " "
              << counted << " of "
              << (solves > 1 && *std::min_element(segments.begin(), segments.end()) != largest
                      ? "up to "
                      : "")
              << largest << " segments, " << DurationText(cpu) << " of CPU on " << cores
              << (cores == 1 ? " core" : " cores") << ")\n";
}

} // namespace tavora::cli
