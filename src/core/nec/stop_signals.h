// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <csignal>
#include <iterator>

namespace tavora {

// Set by a stop signal while a StopSignals lives: every engine run stops as
// by its Cancel.
extern std::atomic<bool> stopRuns;

// For as long as it lives, Ctrl-C, a kill or a closed terminal (or a desktop
// session ending) stop every run as Cancel does: the engines run in process
// groups of their own, which the terminal's Ctrl-C does not reach, and only
// the run can remove its folder. When it goes, the program ends by the
// signal it caught, as it would have without this. A signal ignored from the
// start (nohup) stays ignored.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The stop signal caught, or 0.
    static int Caught();

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction old_[std::size(kSignals)]{};
};

} // namespace tavora
