#pragma once

#include <atomic>
#include <csignal>
#include <iterator>

namespace tavora::cli {

// Set by a stop signal while a StopSignals lives: the engine runs' Cancel.
extern std::atomic<bool> stopRun;

// For the length of a run, Ctrl-C, a kill or a closed terminal stop it as
// Cancel does: the engines run in process groups of their own, which the
// terminal's Ctrl-C does not reach, and only the run can remove its folder.
// Then the program ends by the same signal, as it would have without this.
// A signal ignored from the start (nohup) stays ignored.
class StopSignals {
  public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction old_[std::size(kSignals)]{};
};

} // namespace tavora::cli
