// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nec/output.h"
#include "state/errors.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tavora {

inline constexpr const char* kEngineName = "nec2c";
inline constexpr const char* kEngineMissing =
    "NEC-2 engine nec2c not found: install the nec2c package";

// The user (or the window closing) stopped a run; every engine process is gone.
class SimulationCancelled : public Error {
  public:
    SimulationCancelled() : Error("Simulation cancelled") {}
};

// The engine's full path: `name` itself when it holds a slash, else the first
// executable of that name on the PATH; empty when there is none.
std::string FindEngine(const std::string& name, const std::string& path);
std::string FindEngine(const std::string& name = kEngineName);

struct RunControl {
    std::string engine = kEngineName;
    // For the whole run: a safety net against a hung engine, not a limit on
    // long booms (100 directors take minutes over a sweep). Zero takes
    // RunTimeout of the decks.
    std::chrono::milliseconds timeout{0};
    // Called from the running thread as frequencies finish: (finished, total),
    // counted over the FR cards of every deck.
    std::function<void(int, int)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// The run limit for `decks`: ten minutes, and more for a big model over
// many frequencies.
std::chrono::milliseconds RunTimeout(const std::vector<std::string>& decks);

// Runs every deck in its own engine process (in a process group of its own,
// so that a wrapper script's engine goes with it), all at once, in a
// temporary folder that is removed afterwards, and gives their frequency
// blocks in deck order, read as they stream from the files. Every frequency
// a deck asks for must be there with its impedance and pattern points.
// Throws Error with kEngineMissing, with the engine's own error text, with
// what is missing, or on the timeout; SimulationCancelled when `cancel` or
// stopRuns (a stop signal) is set. No process outlives the call, nor the
// program: an engine is killed when the program dies, however it dies. The
// folders of runs whose program was killed are removed first.
std::vector<std::vector<FrequencyOutput>> RunDecks(const std::vector<std::string>& decks,
                                                   const RunControl& control);

// The same, at most `batch` decks at once (one per core rather than a
// process per deck for a run of many); progress goes on from `done` of
// `total` decks.
std::vector<std::vector<FrequencyOutput>> RunInBatches(const std::vector<std::string>& decks,
                                                       int batch, int done, int total,
                                                       const RunControl& control);

// The engine's own words for a failed run: its error stream, else the last
// two lines it printed; a short excerpt, with anything unprintable as '?'.
std::string EngineErrorText(const std::string& output, const std::string& errors);

} // namespace tavora
