#pragma once

// The file operations of the state folder, on POSIX calls so that every step can be synced and
// every failure named: "cannot <do what> <file>: <reason>".

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vivuraz {

enum class ReadResult { Read, Missing, Failed };

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
