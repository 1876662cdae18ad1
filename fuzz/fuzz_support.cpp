#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzzsupport {

const std::string& WorkFolder() {
    // Never destroyed, so that the clean-up at exit can still name it.
    static const std::string& folder = *new std::string([] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "morlind-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr, "can't create the working folder");
        std::filesystem::current_path(pattern);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(WorkFolder(), ignored);
        });
        return pattern;
    }());
    return folder;
}

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Require(static_cast<bool>(out.flush()), "can't write the input file");
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace fuzzsupport
