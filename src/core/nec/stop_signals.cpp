// SPDX-License-Identifier: GPL-3.0-or-later
#include "nec/stop_signals.h"

#include <iostream>

namespace tavora {

// Set from the signal handler: lock-free, so safe there.
std::atomic<bool> stopRuns{false};
static_assert(std::atomic<bool>::is_always_lock_free);

namespace {

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void OnStopSignal(int signal)
{
    stopSignal = signal;
    stopRuns.store(true);
}

} // namespace

StopSignals::StopSignals()
{
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], nullptr, &old_[i]);
        if (old_[i].sa_handler != SIG_IGN)
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

int StopSignals::Caught()
{
    return stopSignal;
}

StopSignals::~StopSignals()
{
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &old_[i], nullptr);
    if (const int signal = stopSignal) {
        std::cout.flush();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

} // namespace tavora
