#pragma once

// The lock of the state folder: flock on its file "lock", exclusive for a change, shared for a
// look, held until the object goes. It keeps processes (and threads) from mixing their changes.

#include <filesystem>
#include <string>

namespace vivuraz {

enum class LockMode { Shared, Exclusive };

class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Creates the folder when missing and waits for its lock; false with a message otherwise.
    bool Take(const std::filesystem::path& folder, LockMode mode, std::string& error);

  private:
    int fd = -1;
};

}  // namespace vivuraz
