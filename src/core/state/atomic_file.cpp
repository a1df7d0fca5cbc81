#include "state/atomic_file.h"

#include "state/errors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace tavora {

namespace {

[[noreturn]] void Fail(int err, const std::string& tempName)
{
    if (!tempName.empty())
        ::unlink(tempName.c_str());
    throw FileError(std::strerror(err));
}

[[noreturn]] void Refuse(const std::string& refusal, std::string_view box)
{
    throw FileError(refusal + " (" + std::string(box) + ")");
}

} // namespace

void CheckSavedText(std::string_view text, std::string_view box, std::string_view separators)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            Refuse(kControlCharacter, box);
        if (separators.find(c) != std::string_view::npos)
            Refuse(std::string("A '") + c + "' cannot be saved, it separates the file's fields", box);
    }
}

void CheckValueLine(std::string_view text, std::string_view box)
{
    if (!text.empty() && text.front() == ';')
        Refuse(kSemicolonValue, box);
    CheckSavedText(text, box);
}

void WriteFileAtomically(const std::string& path, const std::string& content)
{
    // A write-protected file stays protected, although its folder would let a
    // rename replace it; a replaced file keeps its permissions.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        Fail(EACCES, {});
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // Same folder as the target, so the rename never crosses file systems.
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        Fail(errno, {});
    std::string_view rest = content;
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            Fail(err, temp);
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
    // mkstemp creates the file readable by the owner only.
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        Fail(err, temp);
    }
    if (::close(fd) != 0)
        Fail(errno, temp);
    if (std::rename(temp.c_str(), path.c_str()) != 0)
        Fail(errno, temp);
}

} // namespace tavora
