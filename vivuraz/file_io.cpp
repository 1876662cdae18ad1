#include "vivuraz/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vivuraz {
namespace {

std::string Failure(std::string_view what, const std::filesystem::path& file) {
    return "cannot " + std::string(what) + " " + file.string() + ": " + std::strerror(errno);
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd; }
    bool Close() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }

  private:
    int fd;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
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
    // The rename itself lasts only once the folder is synced.
    Descriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) {
        ::fsync(folder.Get());
    }
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
