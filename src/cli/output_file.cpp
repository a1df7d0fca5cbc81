#include "commands.h"

#include "state/atomic_file.h"
#include "state/errors.h"

#include <iostream>

namespace tavora::cli {

bool ToStdout(const std::string& path)
{
    return path == kStdoutName;
}

void WriteOutput(const std::string& option, const std::string& path, const std::string& text)
{
    if (!ToStdout(path)) {
        try {
            WriteFileAtomically(path, text);
        } catch (const FileError& e) {
            throw FileError(option + ": " + e.what());
        }
        return;
    }
    // The file's own bytes, line ends included, as a redirection would save them.
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
    if (!std::cout)
        throw FileError(option + ": Cannot write to standard output");
}

void CheckOneStdout(const std::vector<const std::string*>& files)
{
    int count = 0;
    for (const std::string* file : files)
        count += ToStdout(*file);
    if (count > 1)
        throw CLI::ValidationError("-", "only one file option can name standard output");
}

void PrintLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::cout << line << '\n';
}

} // namespace tavora::cli
