#include "vivuraz/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace vivuraz {

FolderLock::~FolderLock() {
    if (fd >= 0) {
        ::close(fd);  // closing the only descriptor of the lock file releases the lock
    }
}

bool FolderLock::Take(const std::filesystem::path& folder, LockMode mode, std::string& error) {
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "cannot create the state folder " + folder.string() + ": " + failure.message();
        return false;
    }
    const std::filesystem::path file = folder / "lock";
    fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot open " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    const int operation = mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH;
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = "cannot lock " + file.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace vivuraz
