// Saving and loading a job of a thousand invoice lines, through the real job windows.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/window.h"
#include "components.h"
#include "frame.h"
#include "job_file.h"
#include "state.h"

namespace {

constexpr int kLines = 1000;
std::string program_folder;

void write(const std::string& relative, const std::string& text) {
    std::filesystem::path path = program_folder + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

void fill_invoice_list() {
    for (long row = 0; row < kLines; ++row) {
        std::string item = "Solar panel 80W monocrystalline, line " + std::to_string(row);
        common::control_command(jobs::components_window, jobs::ID_LINE_LIST, common::LV_INSERT_ROW,
                                row, item);
        const char* cells[] = {" 249.99", " 4", " 999.96", "south roof, second row"};
        for (long column = 1; column < 5; ++column)
            common::control_command(jobs::components_window, jobs::ID_LINE_LIST,
                                    common::LV_SET_CELL, row, column,
                                    std::string(cells[column - 1]));
    }
    jobs::state.invoice_line_count = kLines;
}

void BM_SaveJob(benchmark::State& bench) {
    const std::string path = program_folder + "data/bench.job";
    for (auto _ : bench) jobs::SaveJob(path);
}
BENCHMARK(BM_SaveJob)->Unit(benchmark::kMillisecond);

void BM_LoadJob(benchmark::State& bench) {
    const std::string path = program_folder + "data/bench.job";
    jobs::SaveJob(path);
    for (auto _ : bench) jobs::LoadJob(path);
    if (jobs::state.invoice_line_count != kLines) bench.SkipWithError("lines lost on loading");
}
BENCHMARK(BM_LoadJob)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    common::init_layer(argc, argv);
    char name[] = "/tmp/kez-bench-XXXXXX";
    if (!mkdtemp(name)) return 1;
    program_folder = std::string(name) + "/";
    write("data/KezDatabaseINI.ini", "space:20\r\ncarrage:0\r\ndiscountat:500\r\n");
    write("data/KezPriceList.dat",
          "Solar panel 80W\t\xA3"
          "249.99\r\n");
    write("data/CostPriceList.dat",
          "Solar panel 80W\t\xA3"
          "150\r\n");
    common::layer_hooks().program_folder = program_folder;
    common::testing::Driver driver;  // answers whatever would wait for a person
    common::layer_hooks().manual_timers = true;
    jobs::start_up();
    fill_invoice_list();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    jobs::clean_up();
    std::error_code ignored;
    std::filesystem::remove_all(program_folder, ignored);
    return 0;
}
