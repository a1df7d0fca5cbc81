// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavora::app {

// The whole program: display check, start-up, message loop. Returns the exit code.
int RunTavora(int argc, char** argv);

// The message loop, until the program quits or a StopSignals catches a stop
// signal (the desktop session ending, the terminal closing, Ctrl-C); the
// windows then close, each ending its run, engines and folder, as Cancel does.
int ExecUntilStopped();

} // namespace tavora::app
