// The three downloads of the main dialog against the simulated controller (the real
// libvivuraz.so.1, one attached device, its state folder in the scratch folder), each against
// writing the same bytes with one plain synced write per file.
//
// The baseline writes exactly the files the download leaves on disk, with the content it left:
//   Update Configuration:            state.bin's newest record (the library's stored device:
//                                    configuration and firmware EEPROM, register space, and
//                                    the record's trailer)
//   Update Firmware:                 TempBinData.bin, UnConfig_Rom.bin, state.bin
//   Update Configuration / Firmware: TempBinData.bin, Config_Rom.bin, state.bin
// each as open, write, fsync, close. That is the least a download must do to leave its files
// on disk and durable, so the ratio shows what the procedure and the library add: their reads
// of the state, one stored record per EEPROM write (vivuraz/state_file.h) and any further
// write or sync.
//
// Both sides write in the same scratch folder under $TMPDIR (else /tmp): the disk decides the
// cost of a sync, so point TMPDIR at the disk you want to measure.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/full_form.h"
#include "config/config_table.h"
#include "config/form_state.h"
#include "device/download_procedures.h"
#include "image/firmware_image.h"
#include "image/rom_image.h"
#include "tests/support/download_context.h"
#include "tests/support/temp_dir.h"
#include "vivuraz/state_file.h"

namespace {

namespace fs = std::filesystem;

// As many bytes as the library last stored in state.bin: its newest record's payload and
// trailer. (The file itself holds two slots and is sparse: not what one store writes.)
std::vector<unsigned char> StoredRecord(const fs::path& stateFile) {
    std::vector<std::uint8_t> payload;
    std::string error;
    if (vivuraz::StateFile(stateFile).ReadNewest(payload, error) != vivuraz::SlotRead::Read) {
        throw std::runtime_error("state.bin has no stored record: " + error);
    }
    payload.resize(payload.size() + vivuraz::kTrailerSize);
    return {payload.begin(), payload.end()};
}

enum class Download { Configuration, Firmware, ConfigurationFirmware };

bench::SimScratch& TheScratch() {
    static bench::SimScratch scratch;
    return scratch;
}

// The files a download leaves on disk besides the library's state file, in the current
// directory.
std::vector<fs::path> WorkingFilesOf(Download download) {
    switch (download) {
        case Download::Configuration:
            return {};
        case Download::Firmware:
            return {image::kFirmwareImageName, image::kUnConfigRomName};
        case Download::ConfigurationFirmware:
            return {image::kFirmwareImageName, image::kConfigRomName};
    }
    return {};
}

struct FileOnDisk {
    fs::path name;
    std::vector<unsigned char> bytes;
};

// The main dialog with the full form and a raw firmware file of `rawBytes` bytes named in its
// "Bin File Directory" box, pressing one download button against a freshly reset device.
class DownloadDialog {
  public:
    DownloadDialog(Download download, std::size_t rawBytes) : download(download) {
        TheScratch().ResetDevice();
        if (rawBytes > 0) {
            binText = (TheScratch().Root() / "firmware.bin").string();
            testsupport::WriteBytes(binText, Raw(rawBytes));
        }
    }

    // Runs the download; true when it showed nothing but its successes.
    bool Press() {
        auto context = testsupport::DialogDownloadContext(input, table, form, binText, prompts);
        switch (download) {
            case Download::Configuration:
                device::OnUpdateConfiguration(context);
                break;
            case Download::Firmware:
                device::OnUpdateFirmware(context);
                break;
            case Download::ConfigurationFirmware:
                device::OnUpdateConfigurationFirmware(context);
                break;
        }
        return prompts.unexpected.empty();
    }

    const std::string& Unexpected() const { return prompts.unexpected; }

    // What the last download left on disk: its working files and the library's state file.
    std::vector<FileOnDisk> FilesOnDisk() const {
        std::vector<FileOnDisk> files;
        for (const fs::path& name : WorkingFilesOf(download)) {
            files.push_back({name, testsupport::ReadBytes(name)});
        }
        files.push_back({"state.bin", StoredRecord(TheScratch().StateFile())});
        return files;
    }

  private:
    static std::vector<unsigned char> Raw(std::size_t size) {
        std::vector<unsigned char> raw(size);
        for (std::size_t i = 0; i < size; ++i) {
            raw[i] = static_cast<unsigned char>(i * 7);
        }
        return raw;
    }

    Download download;
    const config::FormInput input = bench::FullForm();
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    std::string binText;
    bench::DownloadPrompts prompts;
};

// The raw firmware's size: the benchmark's argument, none for the configuration download.
std::size_t RawBytes(const benchmark::State& state, Download download) {
    return download == Download::Configuration ? 0 : static_cast<std::size_t>(state.range(0));
}

std::int64_t TotalBytes(const std::vector<FileOnDisk>& files) {
    std::int64_t total = 0;
    for (const FileOnDisk& file : files) {
        total += static_cast<std::int64_t>(file.bytes.size());
    }
    return total;
}

void BM_Download(benchmark::State& state, Download download) {
    DownloadDialog dialog(download, RawBytes(state, download));
    for (auto _ : state) {
        if (!dialog.Press()) {
            state.SkipWithError(dialog.Unexpected().c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes(dialog.FilesOnDisk()));
}

// One plain synced write: open (created or truncated), write, fsync, close.
bool WriteSynced(const fs::path& path, const std::vector<unsigned char>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

void BM_SyncedWrites(benchmark::State& state, Download download) {
    DownloadDialog dialog(download, RawBytes(state, download));
    if (!dialog.Press()) {
        state.SkipWithError(dialog.Unexpected().c_str());
        return;
    }
    const std::vector<FileOnDisk> files = dialog.FilesOnDisk();
    for (auto _ : state) {
        for (const FileOnDisk& file : files) {
            const fs::path path = TheScratch().Root() / ("baseline-" + file.name.string());
            if (!WriteSynced(path, file.bytes)) {
                state.SkipWithError("a synced write failed");
                return;
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes(files));
}

// 16 KiB is a typical controller firmware; 65535 bytes is the largest the image can hold.
constexpr std::int64_t kTypicalFirmware = 16 * 1024;
constexpr std::int64_t kLargestFirmware = image::kMaxFirmwareBytes;

BENCHMARK_CAPTURE(BM_Download, configuration, Download::Configuration)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SyncedWrites, configuration, Download::Configuration)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Download, firmware, Download::Firmware)
    ->Arg(kTypicalFirmware)
    ->Arg(kLargestFirmware)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SyncedWrites, firmware, Download::Firmware)
    ->Arg(kTypicalFirmware)
    ->Arg(kLargestFirmware)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Download, configuration_firmware, Download::ConfigurationFirmware)
    ->Arg(kTypicalFirmware)
    ->Arg(kLargestFirmware)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_SyncedWrites, configuration_firmware, Download::ConfigurationFirmware)
    ->Arg(kTypicalFirmware)
    ->Arg(kLargestFirmware)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
