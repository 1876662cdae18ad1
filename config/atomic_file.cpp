#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace config {

namespace {

namespace fs = std::filesystem;

// The file to replace: a symbolic link is followed, so the link itself survives.
fs::path ResolveTarget(const std::string& path) {
    std::error_code ignored;
    fs::path target(path);
    if (fs::is_symlink(target, ignored)) {
        fs::path resolved = fs::weakly_canonical(target, ignored);
        if (!resolved.empty()) {
            return resolved;
        }
    }
    return target;
}

mode_t ModeFor(const fs::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The rename has happened; a folder that can't be synced leaves it merely less durable.
        ::fsync(fd);
        ::close(fd);
    }
}

// Fills the temporary file and syncs it; the step that failed, if any.
AtomicWriteResult WriteAndSync(int fd, const fs::path& target, std::string_view bytes) {
    ::fchmod(fd, ModeFor(target));  // best effort: mkstemp's 0600 is the safe fallback
    if (!WriteAll(fd, bytes)) {
        return {AtomicWriteStep::Write, errno};
    }
    if (::fsync(fd) != 0) {
        return {AtomicWriteStep::Sync, errno};
    }
    return {};
}

}  // namespace

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = ResolveTarget(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return {AtomicWriteStep::CreateTemporary, errno};
    }
    AtomicWriteResult result = WriteAndSync(fd, target, bytes);
    if (::close(fd) != 0 && result.Succeeded()) {
        result = {AtomicWriteStep::Write, errno};
    }
    if (result.Succeeded() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        result = {AtomicWriteStep::Rename, errno};
    }
    if (!result.Succeeded()) {
        ::unlink(temporary.c_str());
        return result;
    }
    SyncFolder(folder);
    return result;
}

}  // namespace config
