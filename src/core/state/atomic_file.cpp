// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/atomic_file.h"

#include "state/errors.h"
#include "state/file_lock.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace tavora {

namespace {

// The save's caller names the file in the message.
[[noreturn]] void Fail(int err, const std::string& tempName)
{
    if (!tempName.empty())
        ::unlink(tempName.c_str());
    throw std::system_error(err, std::generic_category());
}

[[noreturn]] void Refuse(const std::string& refusal, std::string_view box)
{
    throw FileError(refusal + " (" + std::string(box) + ")");
}

// An open descriptor of this process named as a file (/dev/stdout,
// /dev/fd/N, /proc/self/fd/N): its number, else -1. Such a name stands for
// the descriptor, not for the file behind it, which may be a pipe or the
// file the printed report is going to.
int OpenDescriptor(const std::filesystem::path& path)
{
    const std::string dir = path.parent_path().lexically_normal().string();
    if (dir != "/dev/fd" && dir != "/proc/self/fd" && dir != "/proc/thread-self/fd" &&
        dir != "/proc/" + std::to_string(::getpid()) + "/fd")
        return -1;
    const std::string name = path.filename().string();
    int fd = -1;
    const auto r = std::from_chars(name.data(), name.data() + name.size(), fd);
    return r.ec == std::errc() && r.ptr == name.data() + name.size() ? fd : -1;
}

struct SaveTarget {
    std::filesystem::path path;
    int descriptor = -1; // an open descriptor the name stands for
};

// The file a save replaces: a symbolic link's target (followed as far as it
// goes, so a dangling link creates its target), as editors do, rather than
// the link itself.
SaveTarget FindSaveTarget(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    std::error_code ec;
    for (int hops = 0;; ++hops) {
        if (const int fd = OpenDescriptor(target); fd >= 0)
            return {target, fd};
        if (!fs::is_symlink(fs::symlink_status(target, ec)))
            return {target};
        if (hops == 40) // the kernel's own limit
            Fail(ELOOP, {});
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            Fail(ec.value(), {});
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

void WriteAll(int fd, std::string_view rest, const std::string& tempName)
{
    while (!rest.empty()) {
        const ssize_t n = ::write(fd, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            if (!tempName.empty())
                ::close(fd);
            Fail(err, tempName);
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
}

// A pipe, a FIFO or a device is written into as it is: replacing it with a
// regular file would break it (as root, even /dev/null).
void WriteStraight(int fd, const std::string& content)
{
    // What the program printed to the same descriptor goes first.
    std::cout.flush();
    std::fflush(nullptr);
    WriteAll(fd, content, {});
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

// Removes what saves of the same target left when they were killed: a save
// in progress holds a lock on its temporary. Called under the folder's lock,
// which a save also holds from creating its temporary to locking it.
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
        if (OwnerGone(file))
            ::unlink(file.c_str());
    }
    ::closedir(d);
}

// A FIFO or a character device, opened without waiting for a reader: a FIFO
// nobody reads within half a second is refused rather than waited for.
int OpenStraight(const std::string& path, const std::string& pathName)
{
    for (int i = 0;; ++i) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            // Writes wait for a slow reader as usual.
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        if (errno != ENXIO)
            Fail(errno, {});
        if (i == 50)
            throw FileError("Cannot save to " + pathName + ": nothing reads from it");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// A replaced file keeps its owner and group, as far as the user may give
// them: root replacing a user's file leaves it the user's. A file of another
// user that cannot stay theirs is refused rather than taken over.
void KeepOwner(int fd, const struct stat& old, const std::string& tempName)
{
    if (::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, old.st_uid, -1) == 0)
        return;
    const int err = errno;
    ::close(fd);
    Fail(err, tempName);
}

void Save(const std::string& pathName, const std::string& content)
{
    const SaveTarget target = FindSaveTarget(pathName);
    if (target.descriptor >= 0) {
        WriteStraight(target.descriptor, content);
        return;
    }
    const std::string path = target.path.string();
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        // A block device or a folder is never written over.
        if (!S_ISCHR(old.st_mode) && !S_ISFIFO(old.st_mode))
            throw FileError("Cannot save to " + pathName + ": not a regular file");
        const int fd = OpenStraight(path, pathName);
        try {
            WriteStraight(fd, content);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0)
            Fail(errno, {});
        return;
    }
    // What the user may not write stays as it is, although its folder would
    // let a rename replace it; a write-protected file stays protected from
    // root too.
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        Fail(EACCES, {});
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        Fail(errno, {});
    mode_t mode = 0;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // Same folder as the target, so the rename never crosses file systems.
    const std::string dir =
        target.path.has_parent_path() ? target.path.parent_path().string() : ".";
    const std::string prefix = TempPrefix(target.path.filename().string());
    std::string temp = dir + "/" + prefix + "XXXXXX";
    int fd = -1;
    {
        const FolderLock creating(dir);
        if (creating.Held())
            RemoveOrphans(dir, prefix);
        fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            Fail(errno, {});
        // Held until the rename, so that a save running beside this one does
        // not take this temporary for an orphan.
        ::flock(fd, LOCK_EX);
    }
    WriteAll(fd, content, temp);
    if (exists)
        KeepOwner(fd, old, temp);
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

} // namespace

void CheckSavedText(std::string_view text, std::string_view box, std::string_view separators)
{
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            Refuse(kControlCharacter, box);
        if (separators.find(c) != std::string_view::npos)
            Refuse(std::string("A '") + c + "' cannot be saved, it separates the file's fields",
                   box);
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
    try {
        Save(pathName, content);
    } catch (const std::system_error& e) {
        throw FileError("Cannot save to " + pathName + ": " + std::strerror(e.code().value()));
    }
}

bool WritesIntoStream(const std::string& path)
{
    const SaveTarget target = FindSaveTarget(path);
    std::error_code error;
    using std::filesystem::file_type;
    const file_type type = std::filesystem::status(target.path, error).type();
    return target.descriptor >= 0 || type == file_type::character || type == file_type::block ||
           type == file_type::fifo || type == file_type::socket;
}

} // namespace tavora
