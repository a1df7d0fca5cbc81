// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/file_lock.h"

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavora {

FolderLock::FolderLock(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Never for ever: another user may hold a lock on a shared folder.
    for (int i = 0; i < 100; ++i) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool OwnerGone(const std::string& path)
{
    // Non-blocking, so that a FIFO of that name cannot hold the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

} // namespace tavora
