// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <istream>
#include <string>
#include <vector>

namespace tavora {

struct DesignState;

// Records the working directory at start-up: the program's own files are
// looked for there, not beside the executable.
void RecordProgramDir(DesignState& state);

// Makes the recorded directory the working directory again (file dialogs may
// have moved it). Throws FileError when it is gone.
void BackToProgramDir(const DesignState& state);

// Where the package puts the shipped files (Coax.dta, the pictures, the
// help), found from the program file's own folder so that a tree unpacked
// anywhere works as well as /usr. Empty for an empty name.
std::filesystem::path InstalledDataDir(const std::filesystem::path& executable);

// The folder for temporary files: TMPDIR when it names a folder, else /tmp.
// A TMPDIR that is missing, empty or a file is passed over, never thrown at.
std::filesystem::path TemporaryFolder();

// The running program file; empty when the system does not say.
std::filesystem::path RunningExecutable();

// One of the program's own files: the copy in the program directory wins, so
// a user's own Coax.dta is used; then the installed one. When neither exists,
// the name in the program directory, which the caller reports as missing.
std::string ProgramFile(const DesignState& state, const std::string& name);

// True when the name is a regular file that can be opened for reading; never throws.
bool FileFound(const std::string& name);

// Throws FileError naming the file that could not be opened for reading, with
// the system's words for `err`.
[[noreturn]] void FailReading(const std::string& name, int err);

// The next value line of a text file, passing over lines that begin with ";".
// An empty line and the end of the file both give "0".
std::string ReadNextValue(std::istream& in);

// Every value line left in `in`, with its line number in the file (counted
// from the stream's position, comments included) and its text as read: an
// empty line stays empty here, where ReadNextValue gives "0". For readers
// that must know where a file ends or which line to name.
struct ValueLine {
    int line;
    std::string text;
};
std::vector<ValueLine> ReadValueLines(std::istream& in);

} // namespace tavora
