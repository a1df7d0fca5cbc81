// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavora {

// A lock (flock) on a folder, held while the object lives. A clean-up that
// removes the files or folders whose owner's lock is free, and the creation
// and locking of such a file, both take it: the clean-up then never takes a
// file between its creation and its lock for one whose owner has gone. It is
// waited for up to a second; a folder that cannot be locked (unreadable, or
// held that long by something else) gives Held() false, and the caller then
// removes nothing.
class FolderLock {
  public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// Whether the file or folder `path` (a symbolic link is not followed) holds
// no lock: whoever created and locked it has ended.
bool OwnerGone(const std::string& path);

} // namespace tavora
