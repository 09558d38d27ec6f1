// The to-do database with a long list: loading 10,000 entries into the six columns, saving them,
// and sorting them by priority (which saves as well). Each should stay well under 100 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../todo/state.h"  // the job manager has a state.h of its own on the path
#include "common/files.h"
#include "common/hooks.h"
#include "common/text.h"
#include "common/window.h"
#include "database.h"
#include "entries.h"
#include "record.h"
#include "startup.h"

namespace {

constexpr int ENTRIES = 10000;

std::string make_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "todo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern + "/";
}

// A database of ENTRIES entries with priorities counting down, so a sort moves every row.
void write_database(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    todo::RecordBuffer buffer{};
    todo::encode_record({"", 0, 0, ENTRIES, "", "", ""}, buffer);
    out.write(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    for (int i = 0; i < ENTRIES; ++i) {
        todo::encode_record({"10:30", 5, ENTRIES - i, 0, "12-03-2026", "01-03-2026",
                             "Ring customer number " + std::to_string(i) + " about the survey"},
                            buffer);
        out.write(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    }
}

void reverse_priorities() {
    const int rows = todo::row_count();
    for (int row = 0; row < rows; ++row) {
        todo::replace_row(todo::ID_PRIORITY_COLUMN, row, common::number_text(rows - row));
    }
}

void BM_LoadEntries(benchmark::State& bench) {
    for (auto _ : bench) {
        bench.PauseTiming();
        todo::clear_entries();
        bench.ResumeTiming();
        common::FileVar database;
        common::open_file(database, common::FileKind::Binary, todo::state.settings.database_path,
                          "A");
        todo::load_entries(database);
        common::close_file(database, common::FileKind::Binary);
    }
    if (todo::row_count() != ENTRIES) bench.SkipWithError("the list did not load whole");
}

void BM_SaveDatabase(benchmark::State& bench) {
    for (auto _ : bench) todo::save_database();
}

void BM_SortByPriority(benchmark::State& bench) {
    for (auto _ : bench) {
        bench.PauseTiming();
        reverse_priorities();
        bench.ResumeTiming();
        todo::sort_by_priority();
    }
}

// The list-box operations underneath: every row of the six columns read, and the six columns
// emptied and filled again.
void BM_ReadColumns(benchmark::State& bench) {
    for (auto _ : bench) benchmark::DoNotOptimize(todo::all_entries());
}

void BM_RefillColumns(benchmark::State& bench) {
    const std::vector<todo::Entry> entries = todo::all_entries();
    for (auto _ : bench) {
        todo::clear_entries();
        todo::append_entries(entries);
    }
}

BENCHMARK(BM_ReadColumns)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_RefillColumns)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_LoadEntries)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_SortByPriority)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    common::init_layer(argc, argv);
    const std::string program_folder = make_folder();
    common::layer_hooks().program_folder = program_folder;
    common::layer_hooks().manual_timers = true;
    common::layer_hooks().message_box = [](common::Window*, const std::string&, const std::string&,
                                           long) { return 1; };
    std::filesystem::current_path(program_folder);
    write_database(program_folder + "todo.dat");
    todo::start_cycle();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(program_folder);
    return 0;
}
