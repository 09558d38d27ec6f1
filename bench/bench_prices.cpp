// The price list with 100,000 lines: filling the item drop-down, and pricing one item (the
// lookup reads the list each time the chosen item changes).
#include <benchmark/benchmark.h>

#include "common/testing/driver.h"
#include "common/window.h"
#include "frame.h"
#include "job_manager_folder.h"
#include "reference_lists.h"

namespace {

constexpr int PRICE_LINES = 100000;

void BM_LoadProducts(benchmark::State& bench) {
    for (auto _ : bench) {
        bench.PauseTiming();
        jobs::ClearProducts();
        bench.ResumeTiming();
        jobs::LoadProducts();
    }
    bench.counters["entries"] = jobs::product_count;
}
BENCHMARK(BM_LoadProducts)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ItemPriceLookup(benchmark::State& bench) {
    // An item near the end, so the whole list is read.
    for (auto _ : bench) jobs::FindItemPrice("Item 099990 solar part");
}
BENCHMARK(BM_ItemPriceLookup)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    common::testing::Driver driver;  // answers any message box instead of waiting for a person
    std::string folder = bench_support::make_program_folder(PRICE_LINES);
    common::layer_hooks().manual_timers = true;
    jobs::start_up();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    jobs::clean_up();
    bench_support::remove_program_folder(folder);
    return 0;
}
