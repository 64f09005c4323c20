// Import speed of every generated input through its plug-in library and the
// reference host's charset conversion and angle converters, in MB/s and
// records/s. Run make_inputs.py first (scripts/bench.sh does).
#include "BenchInputs.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <memory>

namespace {

void importInput(benchmark::State& state, const bench::Input& input)
{
    bench::Importer importer(input.plugin, input.charset);
    for (auto _ : state) {
        const bench::ImportCounts counts = importer.importFile(input.path);
        if (counts.errors != 0 || counts.points + counts.vectors == 0) {
            state.SkipWithError("the import reported errors or found nothing");
            break;
        }
        benchmark::DoNotOptimize(counts.hash);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * input.bytes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * input.records);
}

} // namespace

int main(int argc, char** argv)
{
    // glibc raises its mmap threshold (up to 32 MB) after a large block is
    // freed, so repeated imports of a 10 MB file would reuse warm memory that
    // a 100 MB file never gets. A fixed threshold gives every import fresh
    // pages, as in a host that imports a file once.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    const std::string dir = bench::inputsDir();
    const auto inputs = bench::readInputs(dir);
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs in %s: run bench/make_inputs.py --out %s\n", dir.c_str(), dir.c_str());
        return 1;
    }
    for (const auto& input : inputs) {
        const std::string name = "BM_Import/" + input.format + "/" + std::to_string(input.megabytes) + "MB";
        benchmark::RegisterBenchmark(name.c_str(), importInput, input)->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
