// BuildFirmwareImage on the largest raw firmware (65535 bytes) against a plain copy of the same
// file through C standard I/O: the image build should cost little more than the copy.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/firmware_image.h"

namespace {

// A scratch folder holding the raw firmware, removed at the end of the run.
class Scratch {
  public:
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "morlind-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a scratch folder");
        }
        root = pattern;
        std::vector<char> raw(image::kMaxFirmwareBytes);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            raw[i] = static_cast<char>(i * 7);
        }
        std::ofstream(rawPath(), std::ios::binary).write(raw.data(), std::streamsize(raw.size()));
    }
    ~Scratch() { std::filesystem::remove_all(root); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string rawPath() const { return (root / "firmware.bin").string(); }
    std::string outPath() const { return (root / "TempBinData.bin").string(); }

  private:
    std::filesystem::path root;
};

const Scratch& TheScratch() {
    static const Scratch scratch;
    return scratch;
}

bool CopyFile(const std::string& from, const std::string& to) {
    static std::vector<unsigned char> buffer(image::kMaxFirmwareBytes + 1);
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (in == nullptr) {
        return false;
    }
    const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), in);
    std::fclose(in);
    std::FILE* out = std::fopen(to.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const std::size_t written = std::fwrite(buffer.data(), 1, size, out);
    return std::fclose(out) == 0 && written == size;
}

void BM_BuildFirmwareImage(benchmark::State& state) {
    const Scratch& scratch = TheScratch();
    for (auto _ : state) {
        if (!image::BuildFirmwareImage(scratch.rawPath(), scratch.outPath())) {
            state.SkipWithError("BuildFirmwareImage failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(image::kMaxFirmwareBytes));
}

void BM_PlainCopy(benchmark::State& state) {
    const Scratch& scratch = TheScratch();
    for (auto _ : state) {
        if (!CopyFile(scratch.rawPath(), scratch.outPath())) {
            state.SkipWithError("copy failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(image::kMaxFirmwareBytes));
}

}  // namespace

BENCHMARK(BM_PlainCopy);
BENCHMARK(BM_BuildFirmwareImage);
BENCHMARK_MAIN();
