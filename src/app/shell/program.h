#pragma once

namespace tavora::app {

// The whole program: display check, start-up, message loop. Returns the exit code.
int RunTavora(int argc, char** argv);

} // namespace tavora::app
