// A soak run in one process: 10,000 cycles of Load, "Save and Load" (commit and save), Load of
// the saved file, and "Update Configuration / Firmware" against the simulated controller. The
// resident memory must stay flat after the warm-up (within 1 MiB) and no file handle may stay
// open. Reported as counters; the run fails when either limit is broken.
//
// Every cycle writes and syncs small files; run it on a memory file system to measure the tool
// rather than the disk: TMPDIR=/dev/shm build/dev/bench/bench_soak

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_support.h"
#include "config/config_table.h"
#include "config/form_commit.h"
#include "config/form_input.h"
#include "config/form_state.h"
#include "config/ini_reader.h"
#include "config/ini_writer.h"
#include "device/download_procedures.h"
#include "tests/support/download_context.h"

namespace {

namespace fs = std::filesystem;

constexpr int kCycles = 10000;
constexpr int kWarmUpCycles = 200;
constexpr long kFlatLimitKiB = 1024;

long VmRssKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

long OpenFileHandles() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count - 1;  // the iterator's own handle
}

// The main dialog's share of one cycle: its table, form state and fields, and the person.
struct Dialog {
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    config::FormInput input = config::StartupFormInput();
    bench::DownloadPrompts prompts{"saved.ini"};
    const std::string binFileText = "firmware.bin";

    std::string Load(const std::string& path) {
        const config::LoadResult result = config::LoadIniFile(path, table, form);
        return result.refusal ? result.refusal->message : "";
    }

    std::string SaveAndLoad() {
        const config::CommitResult commit = config::CommitForm(input, table, form);
        if (commit.refusal) {
            return commit.refusal->message;
        }
        const auto refusal =
            config::SaveIniFile(prompts.AskSaveFileName(config::kIniFileFilter), input);
        return refusal ? refusal->message : "";
    }

    void UpdateConfigurationFirmware() {
        auto context = testsupport::DialogDownloadContext(input, table, form, binFileText, prompts);
        device::OnUpdateConfigurationFirmware(context);
    }
};

// One cycle; empty when every step passed, else what went wrong.
std::string Cycle(Dialog& dialog) {
    for (const std::string& failure :
         {dialog.Load("device.ini"), dialog.SaveAndLoad(), dialog.Load("saved.ini")}) {
        if (!failure.empty()) {
            return failure;
        }
    }
    dialog.UpdateConfigurationFirmware();
    return dialog.prompts.unexpected;
}

void BM_SoakLoadSaveDownload(benchmark::State& state) {
    const bench::SimScratch scratch;
    std::ofstream("device.ini", std::ios::binary)
        << config::FormatIniFile(config::StartupFormInput());
    std::ofstream("firmware.bin", std::ios::binary) << std::string(4096, '\x5A');

    for (auto _ : state) {
        Dialog dialog;
        long rssAfterWarmUp = 0;
        long handlesAfterWarmUp = 0;
        long rssHighest = 0;
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            const std::string failure = Cycle(dialog);
            if (!failure.empty()) {
                state.SkipWithError(("cycle " + std::to_string(cycle) + ": " + failure).c_str());
                return;
            }
            if (cycle + 1 == kWarmUpCycles) {
                rssAfterWarmUp = VmRssKiB();
                handlesAfterWarmUp = OpenFileHandles();
            }
            if (cycle + 1 >= kWarmUpCycles && cycle % 100 == 0) {
                rssHighest = std::max(rssHighest, VmRssKiB());
            }
        }
        const long rssAtEnd = VmRssKiB();
        rssHighest = std::max(rssHighest, rssAtEnd);
        const long handlesAtEnd = OpenFileHandles();
        state.counters["cycles"] = kCycles;
        state.counters["rss_after_warmup_KiB"] = static_cast<double>(rssAfterWarmUp);
        state.counters["rss_highest_KiB"] = static_cast<double>(rssHighest);
        state.counters["rss_at_end_KiB"] = static_cast<double>(rssAtEnd);
        state.counters["fd_after_warmup"] = static_cast<double>(handlesAfterWarmUp);
        state.counters["fd_at_end"] = static_cast<double>(handlesAtEnd);
        if (rssHighest - rssAfterWarmUp > kFlatLimitKiB) {
            state.SkipWithError("resident memory grew by more than 1 MiB after the warm-up");
        }
        if (handlesAtEnd != handlesAfterWarmUp) {
            state.SkipWithError("a file handle was left open");
        }
    }
}
BENCHMARK(BM_SoakLoadSaveDownload)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
