// READ of the register debug dialog: 256 registers from address 0 of the simulated controller
// (the real libvivuraz.so.1, one attached device), turned into the dialog's grid text. Each
// press loads the library, opens the first device and reads, as the dialog does.

#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "bench/bench_support.h"
#include "device/register_access.h"

namespace {

void BM_ReadRegisters(benchmark::State& state) {
    const bench::SimScratch scratch;
    bench::DownloadPrompts prompts;
    for (auto _ : state) {
        const std::optional<std::string> grid = device::OnRead("0", "100", prompts);
        if (!grid) {
            state.SkipWithError(prompts.unexpected.c_str());
            return;
        }
        benchmark::DoNotOptimize(grid->data());
    }
    state.SetBytesProcessed(state.iterations() * 0x100);
}
BENCHMARK(BM_ReadRegisters)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
