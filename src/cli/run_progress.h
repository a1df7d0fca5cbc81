// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/model.h"
#include "nec/runner.h"

#include <mutex>
#include <string>
#include <vector>

namespace tavora::cli {

// A run's progress on stderr while it is a terminal ("Simulating: 12/101
// frequencies", written over in place), fed by the runner's own progress
// callback; the line is cleared when the run ends, however it ends.
class RunProgress {
  public:
    // `counted` names what the run's progress counts ("frequencies", "models").
    RunProgress(RunControl& control, std::string counted);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

  private:
    void Show(int done, int total);

    std::string counted_;
    std::mutex mutex_;
    size_t shown_ = 0; // characters of the line now on the terminal
};

// The segments the engine solves for, over every wire of the model.
int SegmentCount(const NecModel& model);

// Before a run of `solves` engine solutions of `segments` segments each:
// its estimated time on stderr, when it is above about a minute.
void AnnounceLongRun(int solves, int segments, const std::string& counted);
// The same for solutions of models of different sizes, one a model.
void AnnounceLongRun(const std::vector<int>& segments, const std::string& counted);

} // namespace tavora::cli
