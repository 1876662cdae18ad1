#pragma once

// The file layer of the tool: deleting and creating files, and a file class that opens an
// existing file for exclusive use. Failures of the file class are raised as `FileError`, which
// names the file and the operation that failed; its callers catch them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <system_error>

namespace platform {

// A failed file operation: which file, which operation ("open", "lock", "read", ...) and the
// system's reason. what() reads e.g. `"Config_Rom.bin": lock failed (Resource temporarily
// unavailable)`.
class FileError : public std::runtime_error {
  public:
    FileError(const std::string& path, const std::string& operation, std::error_code reason);

    const std::string& path() const { return filePath; }
    const std::string& operation() const { return failedOperation; }
    std::error_code reason() const { return systemReason; }

  private:
    std::string filePath;
    std::string failedOperation;
    std::error_code systemReason;
};

// Removes the file `path`. Returns false when it could not be removed (missing included);
// never throws.
bool DeleteFile(const std::string& path) noexcept;

// Creates an empty file `path` when none exists; an existing file is left as it is. Returns
// false when no file of that name could be created or opened; never throws.
bool CreateFileIfMissing(const std::string& path) noexcept;

// How an `ExclusiveFile` is opened.
enum class FileAccess {
    Read,
    ReadWrite,
};

// An existing file held for exclusive use: opening takes an advisory exclusive lock on it
// (flock), so a second `ExclusiveFile` on the same file, in this process or another copy of the
// tool, fails to open until the first is closed. The file is never created or truncated by
// opening it. Every failure throws `FileError`.
class ExclusiveFile {
  public:
    ExclusiveFile(const std::string& path, FileAccess access);
    ~ExclusiveFile();  // closes the file if still open; errors are dropped here

    ExclusiveFile(ExclusiveFile&& other) noexcept;
    ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
    ExclusiveFile(const ExclusiveFile&) = delete;
    ExclusiveFile& operator=(const ExclusiveFile&) = delete;

    // Moves the position to `offset` bytes from the start of the file.
    void Seek(std::uint64_t offset);

    // Reads from the position until `buffer` is full or the file ends; returns the bytes read.
    std::size_t Read(std::span<std::uint8_t> buffer);

    // Writes all of `bytes` at the position.
    void Write(std::span<const std::uint8_t> bytes);

    // Makes the file exactly `length` bytes long; the position is not moved.
    void SetLength(std::uint64_t length);

    // The file's current length in bytes.
    std::uint64_t Length() const;

    // Writes what the system holds of the file through to the storage device.
    void Flush();

    // Releases the lock and closes the file. A closed file refuses every operation.
    void Close();

    const std::string& path() const { return filePath; }

  private:
    int Descriptor(const char* operation) const;

    std::string filePath;
    int fd = -1;
};

}  // namespace platform
