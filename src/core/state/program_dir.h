#pragma once

#include <istream>
#include <string>

namespace tavora {

struct DesignState;

// Records the working directory at start-up: the program's own files are
// looked for there, not beside the executable.
void RecordProgramDir(DesignState& state);

// Makes the recorded directory the working directory again (file dialogs may
// have moved it). Throws FileError when it is gone.
void BackToProgramDir(const DesignState& state);

// True when the file can be opened for reading and writing; never throws.
bool FileFound(const std::string& name);

// The next value line of a text file, passing over lines that begin with ";".
// An empty line and the end of the file both give "0".
std::string ReadNextValue(std::istream& in);

} // namespace tavora
