#pragma once

#include <chrono>
#include <filesystem>

namespace tallix {

// Serialises the read-change-write of the data folder's files between
// processes (two windows) and between objects of one process: an exclusive
// flock on the folder itself, held while the object lives. Locking the folder
// rather than a file in it leaves no lock file behind, and the lock survives
// the renames that replace the files.
//
// Waits at most `patience` for a holder that does not let go (a stopped
// process); when the lock cannot be had in that time, or the folder cannot be
// opened, the caller goes on without it and locked() is false.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder,
                        std::chrono::milliseconds patience = std::chrono::seconds(10));
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool locked() const { return locked_; }

    // The folder holding `file` (the current folder for a bare name).
    static std::filesystem::path folderOf(const std::filesystem::path& file);

private:
    int fd_ = -1;
    bool locked_ = false;
};

} // namespace tallix
