#pragma once

// The file operations of the state folder, on POSIX calls so that every step can be synced and
// every failure named: "cannot <do what> <file>: <reason>".

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vivuraz {

enum class ReadResult { Read, Missing, Failed };

// Closes the descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd; }
    bool Close();

  private:
    int fd;
};

// "cannot <what> <file>: <the reason errno gives>".
std::string Failure(std::string_view what, const std::filesystem::path& file);

// Reads bytes.size() bytes at `offset`, fewer only where the file ends first. The count read,
// or -1 with errno set.
ssize_t ReadAt(int fd, std::span<std::uint8_t> bytes, off_t offset);

// Writes all the bytes at `offset`, going on after short writes; false with errno set.
bool WriteAllAt(int fd, std::span<const std::uint8_t> bytes, off_t offset);

// Syncs the folder, so that a name just made or replaced in it lasts.
void SyncFolder(const std::filesystem::path& folder);

// Reads the whole file into `bytes`.
ReadResult ReadWholeFile(const std::filesystem::path& file, std::vector<std::uint8_t>& bytes,
                         std::string& error);

// Replaces the file in one step: writes "<file>.tmp" beside it, syncs it, renames it over the
// file and syncs the folder. When any step fails the old content stays and the temporary file
// is removed. The caller holds the folder's lock, so the temporary name is its own.
bool ReplaceFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                 std::string& error);

// Adds the text at the end of the file, creating it when missing.
bool AppendToFile(const std::filesystem::path& file, std::string_view text, std::string& error);

}  // namespace vivuraz
