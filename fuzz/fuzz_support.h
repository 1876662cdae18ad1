#pragma once

// What the fuzz targets share: a private working folder, whole-file writes and reads, and a
// check that stops the run with a message naming what broke.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzsupport {

// A folder of this process's own under the system's temporary folder, made once and made the
// current directory, so that bare working file names land there and parallel jobs never meet.
const std::string& WorkFolder();

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> ReadFile(const std::string& path);

// libFuzzer takes an abort as a finding and keeps the input that caused it.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace fuzzsupport
