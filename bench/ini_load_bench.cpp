// Load of an INI file with every key ("Load" of the main dialog): read the file, check each
// line and apply it to the table and the form state.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/full_form.h"
#include "config/config_table.h"
#include "config/form_state.h"
#include "config/ini_reader.h"
#include "tests/support/temp_dir.h"

namespace {

void BM_LoadIniFile(benchmark::State& state) {
    const testsupport::TempDir scratch;
    const std::string path = (scratch / "device.ini").string();
    testsupport::WriteText(path, std::string(bench::kFullFormIni));
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    for (auto _ : state) {
        const config::LoadResult result = config::LoadIniFile(path, table, form);
        if (result.refusal || result.assignments.size() != 9) {
            state.SkipWithError(result.refusal ? result.refusal->message.c_str()
                                               : "not every key was applied");
            return;
        }
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_LoadIniFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
