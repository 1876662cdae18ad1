// The form commit as the downloads run it ("Save and Load" without the save) of a form with
// every field filled in: check each text, store it and the choices, seal the table.

#include <benchmark/benchmark.h>

#include "bench/full_form.h"
#include "config/config_table.h"
#include "config/form_commit.h"
#include "config/form_state.h"

namespace {

void BM_CommitForm(benchmark::State& state) {
    const config::FormInput input = bench::FullForm();
    config::ConfigTable table;
    config::FormState form = config::StartupFormState();
    for (auto _ : state) {
        form.commitOnly = 1;
        const config::CommitResult result = config::CommitForm(input, table, form);
        if (result.refusal || form.commitSucceeded != 1) {
            state.SkipWithError(result.refusal ? result.refusal->message.c_str()
                                               : "the commit did not succeed");
            return;
        }
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_CommitForm)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
