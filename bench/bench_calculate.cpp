// CalculateValues as every tick runs it, on an invoice of 1,000 lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "common/testing/driver.h"
#include "common/window.h"
#include "components.h"
#include "frame.h"
#include "job_manager_folder.h"
#include "state.h"

namespace {

constexpr int INVOICE_LINES = 1000;

void fill_invoice() {
    using common::CommandArg;
    for (int i = 0; i < INVOICE_LINES; ++i) {
        common::control_command(jobs::components_window, jobs::ID_LINE_LIST, common::LV_INSERT_ROW,
                                CommandArg(0L), CommandArg(std::string("Item solar part")));
        char amount[32];
        std::snprintf(amount, sizeof amount, " %d.25", i % 500 + 1);
        common::control_command(jobs::components_window, jobs::ID_LINE_LIST, common::LV_SET_CELL,
                                CommandArg(0L), CommandArg(3L), CommandArg(std::string(amount)));
    }
    jobs::state.invoice_line_count = INVOICE_LINES;
}

void BM_CalculateValues(benchmark::State& bench) {
    jobs::CalculateValues();  // the item text is priced once; ticks after it only add up
    for (auto _ : bench) jobs::CalculateValues();
    bench.counters["lines"] = jobs::state.invoice_line_count;
}
BENCHMARK(BM_CalculateValues)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    common::init_layer(argc, argv);
    common::testing::Driver driver;  // answers any message box instead of waiting for a person
    std::string folder = bench_support::make_program_folder(100);
    common::layer_hooks().manual_timers = true;
    jobs::start_up();
    common::set_control_text(jobs::components_window, jobs::ID_ITEM, "Item 000042 solar part");
    fill_invoice();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    jobs::clean_up();
    bench_support::remove_program_folder(folder);
    return 0;
}
