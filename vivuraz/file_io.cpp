#include "vivuraz/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vivuraz {
namespace {

// Writes the bytes in as many steps as it takes: `writeOnce(rest, done)` is one write of the
// rest, `done` bytes in, giving what write(2) gives.
template <typename WriteOnce>
bool WriteInSteps(std::span<const std::uint8_t> bytes, WriteOnce writeOnce) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = writeOnce(bytes.subspan(done), done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    return WriteInSteps(bytes, [fd](std::span<const std::uint8_t> rest, std::size_t) {
        return ::write(fd, rest.data(), rest.size());
    });
}

bool WriteSyncedFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                     std::string& error) {
    Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (out.Get() < 0) {
        error = Failure("create", file);
        return false;
    }
    if (!WriteAll(out.Get(), bytes) || ::fsync(out.Get()) != 0 || !out.Close()) {
        error = Failure("write", file);
        return false;
    }
    return true;
}

}  // namespace

Descriptor::~Descriptor() {
    if (fd >= 0) {
        ::close(fd);
    }
}

bool Descriptor::Close() {
    const int result = ::close(fd);
    fd = -1;
    return result == 0;
}

std::string Failure(std::string_view what, const std::filesystem::path& file) {
    return "cannot " + std::string(what) + " " + file.string() + ": " + std::strerror(errno);
}

ssize_t ReadAt(int fd, std::span<std::uint8_t> bytes, off_t offset) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::pread(fd, bytes.data() + filled, bytes.size() - filled,
                                    offset + static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}

bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes, off_t offset) {
    return WriteInSteps(bytes, [fd, offset](std::span<const std::uint8_t> rest, std::size_t done) {
        return ::pwrite(fd, rest.data(), rest.size(), offset + static_cast<off_t>(done));
    });
}

void SyncFolder(const std::filesystem::path& folder) {
    Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Get() >= 0) {
        ::fsync(handle.Get());
    }
}

ReadResult ReadWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes,
                         std::string& error) {
    Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) {
        if (errno == ENOENT) {
            return ReadResult::Missing;
        }
        error = Failure("open", file);
        return ReadResult::Failed;
    }
    // The file goes straight into one buffer of its size and a byte more, so that one read
    // takes it whole and the next finds its end; a file that grows meanwhile is still read to
    // its end.
    struct stat info {};
    const std::size_t expected = ::fstat(in.Get(), &info) == 0 && info.st_size > 0
                                     ? static_cast<std::size_t>(info.st_size)
                                     : 0;
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(2 * bytes.size());
        }
        const ssize_t got = ::read(in.Get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = Failure("read", file);
            bytes.clear();
            return ReadResult::Failed;
        }
        if (got == 0) {
            bytes.resize(filled);
            return ReadResult::Read;
        }
        filled += static_cast<std::size_t>(got);
    }
}

bool ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                 std::string& error) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    if (!WriteSyncedFile(temporary, bytes, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        error = Failure("replace", file);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(file.parent_path());  // the rename lasts only once the folder is synced
    return true;
}

bool AppendToFile(const std::filesystem::path& file, std::string_view text, std::string& error) {
    Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    if (out.Get() < 0 || !WriteAll(out.Get(), {data, text.size()}) || !out.Close()) {
        error = Failure("append to", file);
        return false;
    }
    return true;
}

}  // namespace vivuraz
