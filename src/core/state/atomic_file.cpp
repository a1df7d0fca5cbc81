#include "state/atomic_file.h"

#include "state/errors.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
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

// The file a save replaces: a symbolic link's target (followed as far as it
// goes, so a dangling link creates its target), as editors do, rather than
// the link itself.
std::filesystem::path SaveTarget(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    std::error_code ec;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hops) {
        if (hops == 40) // the kernel's own limit
            Fail(ELOOP, {});
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            Fail(ec.value(), {});
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// The longest file name most file systems take.
constexpr size_t kNameMax = 255;
constexpr std::string_view kTempMark = ".tavora-";
constexpr size_t kTempRandom = 6; // mkstemp's XXXXXX

// A hidden name beside the target that says whose temporary it is:
// ".NAME.tavora-XXXXXX". A name too long for that is shortened and keeps a
// hash of the whole name, so two long names do not share temporaries.
std::string TempPrefix(const std::string& name)
{
    const size_t room = kNameMax - 1 - kTempMark.size() - kTempRandom;
    if (name.size() <= room)
        return "." + name + std::string(kTempMark);
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[10];
    std::snprintf(hex, sizeof hex, "~%08x", static_cast<unsigned>(hash));
    size_t keep = room - 9;
    // Never cut a UTF-8 character in two.
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xc0) == 0x80)
        --keep;
    return "." + name.substr(0, keep) + hex + std::string(kTempMark);
}

// Removes what saves of the same target left when they were killed. A save
// in progress holds a lock on its temporary, so only orphans are taken.
void RemoveOrphans(const std::string& dir, const std::string& prefix)
{
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return; // creating the temporary reports the folder's fault
    while (const dirent* entry = ::readdir(d)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + kTempRandom || name.substr(0, prefix.size()) != prefix)
            continue;
        const std::string file = dir + "/" + std::string(name);
        const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(file.c_str());
        ::close(fd);
    }
    ::closedir(d);
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

void WriteFileAtomically(const std::string& pathName, const std::string& content)
{
    const std::filesystem::path target = SaveTarget(pathName);
    const std::string path = target.string();
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
    const std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
    const std::string prefix = TempPrefix(target.filename().string());
    RemoveOrphans(dir, prefix);
    std::string temp = dir + "/" + prefix + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        Fail(errno, {});
    // Held until the rename, so that a save running beside this one does not
    // take this temporary for an orphan.
    ::flock(fd, LOCK_EX);
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
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::close(fd);
        Fail(err, temp);
    }
    if (::close(fd) != 0)
        Fail(errno, {});
}

} // namespace tavora
