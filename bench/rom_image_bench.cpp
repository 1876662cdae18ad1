// The ROM image file as the firmware downloads write it: Config_Rom.bin (the committed table,
// then the image) and UnConfig_Rom.bin (an erased table, then the image), each from the image of
// the largest raw firmware (65535 bytes), built once beforehand. The writer syncs the file, so
// the disk under $TMPDIR counts.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "bench/full_form.h"
#include "config/config_table.h"
#include "config/form_commit.h"
#include "config/form_state.h"
#include "image/firmware_image.h"
#include "image/rom_image.h"
#include "tests/support/temp_dir.h"

namespace {

// The committed table of the full form, as the commit leaves it for the ROM image's table part.
image::RomTable CommittedFullForm() {
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    config::CommitForm(bench::FullForm(), table, form);
    return table.bytes;
}

void BM_WriteRomImage(benchmark::State& state, const char* romName) {
    const testsupport::TempDir scratch;
    const testsupport::ScopedCurrentDir inScratch(scratch.path());  // the ROM files' bare names
    testsupport::WriteBytes("firmware.bin",
                            std::vector<unsigned char>(image::kMaxFirmwareBytes, 0xA5));
    if (!image::BuildFirmwareImage("firmware.bin", image::kFirmwareImageName)) {
        state.SkipWithError("BuildFirmwareImage failed");
        return;
    }
    const image::RomTable table = CommittedFullForm();
    for (auto _ : state) {
        image::WriteRomImage(image::kFirmwareImageName, romName, [&table] { return table; });
    }
    const std::uintmax_t expected =
        image::kRomTableBytes + image::kMaxFirmwareBytes + image::kFirmwareFrameBytes;
    if (std::filesystem::file_size(romName) != expected) {
        state.SkipWithError("the ROM image file is not whole");
    }
}
BENCHMARK_CAPTURE(BM_WriteRomImage, config_rom, image::kConfigRomName)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteRomImage, unconfig_rom, image::kUnConfigRomName)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
