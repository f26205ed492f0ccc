#include <benchmark/benchmark.h>

#include "memory/memory_report.h"
#include "platform/memory_status.h"

namespace minizol {
namespace {

// One refresh of the monitor: the live query plus the report text.
void BM_MemoryTick(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintRamInformation(","));
    }
}
BENCHMARK(BM_MemoryTick);

void BM_MemoryQuery(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(QueryMemoryStatus());
    }
}
BENCHMARK(BM_MemoryQuery);

void BM_MemoryReportText(benchmark::State& state) {
    const auto status = QueryMemoryStatus();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintRamInformation(status, ","));
    }
}
BENCHMARK(BM_MemoryReportText);

}  // namespace
}  // namespace minizol
