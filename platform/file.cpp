#include "platform/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {
namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

[[noreturn]] void Fail(const std::string& path, const std::string& operation) {
    throw FileError(path, operation, LastError());
}

int OpenFlags(FileAccess access) {
    const int mode = access == FileAccess::Read ? O_RDONLY : O_RDWR;
    return mode | O_CLOEXEC;
}

}  // namespace

FileError::FileError(const std::string& path, const std::string& operation, std::error_code reason)
    : std::runtime_error("\"" + path + "\": " + operation + " failed (" + reason.message() + ")"),
      filePath(path),
      failedOperation(operation),
      systemReason(reason) {}

bool DeleteFile(const std::string& path) noexcept {
    return ::unlink(path.c_str()) == 0;
}

bool CreateFileIfMissing(const std::string& path) noexcept {
    const int created = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (created < 0) {
        return false;
    }
    ::close(created);
    return true;
}

ExclusiveFile::ExclusiveFile(const std::string& path, FileAccess access) : filePath(path) {
    fd = ::open(path.c_str(), OpenFlags(access));
    if (fd < 0) {
        Fail(filePath, "open");
    }
    // Without LOCK_NB a second copy of the tool would hang here; failing at once is what the
    // user of a file held elsewhere needs to see.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const std::error_code reason = LastError();
        ::close(fd);
        fd = -1;
        throw FileError(filePath, "lock", reason);
    }
}

ExclusiveFile::~ExclusiveFile() {
    if (fd >= 0) {
        ::close(fd);
    }
}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : filePath(std::move(other.filePath)), fd(std::exchange(other.fd, -1)) {}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        if (fd >= 0) {
            ::close(fd);
        }
        filePath = std::move(other.filePath);
        fd = std::exchange(other.fd, -1);
    }
    return *this;
}

int ExclusiveFile::Descriptor(const char* operation) const {
    if (fd < 0) {
        throw FileError(filePath, operation, std::make_error_code(std::errc::bad_file_descriptor));
    }
    return fd;
}

void ExclusiveFile::Seek(std::uint64_t offset) {
    const int file = Descriptor("seek");
    if (::lseek(file, static_cast<off_t>(offset), SEEK_SET) < 0) {
        Fail(filePath, "seek");
    }
}

std::size_t ExclusiveFile::Read(std::span<std::uint8_t> buffer) {
    const int file = Descriptor("read");
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(file, buffer.data() + done, buffer.size() - done);
        if (got == 0) {
            break;  // end of file
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(filePath, "read");
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void ExclusiveFile::Write(std::span<const std::uint8_t> bytes) {
    const int file = Descriptor("write");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(file, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(filePath, "write");
        }
        done += static_cast<std::size_t>(put);
    }
}

void ExclusiveFile::SetLength(std::uint64_t length) {
    const int file = Descriptor("set length");
    if (::ftruncate(file, static_cast<off_t>(length)) != 0) {
        Fail(filePath, "set length");
    }
}

std::uint64_t ExclusiveFile::Length() const {
    const int file = Descriptor("get length");
    struct stat status {};
    if (::fstat(file, &status) != 0) {
        Fail(filePath, "get length");
    }
    return static_cast<std::uint64_t>(status.st_size);
}

void ExclusiveFile::Flush() {
    const int file = Descriptor("flush");
    if (::fsync(file) != 0) {
        Fail(filePath, "flush");
    }
}

void ExclusiveFile::Close() {
    const int file = Descriptor("close");
    fd = -1;  // the descriptor is gone after close() whatever it returns
    if (::close(file) != 0) {
        Fail(filePath, "close");
    }
}

}  // namespace platform
