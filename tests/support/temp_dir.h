#pragma once

// A fresh temporary folder per test, removed afterwards; optionally the current directory
// while it lives, for code that writes its working files by bare name.

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& name) const { return root / name; }

  private:
    std::filesystem::path root;
};

// Makes the folder the current directory for its lifetime and restores the old one after.
class ScopedCurrentDir {
  public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

  private:
    std::filesystem::path previous;
};

std::vector<unsigned char> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);
void WriteText(const std::filesystem::path& file, const std::string& text);

}  // namespace testsupport
