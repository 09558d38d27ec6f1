// One reminder tick over a to-do list of 10,000 entries: both passes, the status column, the
// condition evaluation and the message line, in the steady state where no status and no line
// of the message file changes. Run headless: the program folder is a fresh temporary folder.
// (Both program libraries are linked here, so the to-do headers are named by their folder.)
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "../todo/record.h"
#include "../todo/reminders.h"
#include "../todo/startup.h"
#include "../todo/state.h"
#include "common/hooks.h"
#include "common/testing/driver.h"
#include "common/text.h"
#include "common/window.h"

namespace {

namespace fs = std::filesystem;

constexpr int ENTRIES = 10000;

// A working office's mix: most entries old or inactive, some today in every form.
todo::EntryRecord entry_number(int i) {
    static const char* const dates[] = {"01-02-2026", "10-03-2026", "--Day",     "--Tue",
                                        "10--Mar",    "--Fri",      "24-12-2025"};
    todo::EntryRecord record;
    record.text = "Entry " + std::to_string(i) + ": ring the customer about the array survey";
    record.priority = i % 97 == 0 ? 1 : i + 2;
    record.created = "01-01-2026";
    record.date = dates[i % 7];
    const int hour = (i / 7) % 24;
    const int minute = (i * 13) % 60;
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", hour, minute);
    record.time = time;
    record.status = i % 3 == 0 ? 6 : 5;
    return record;
}

void write_database(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    todo::RecordBuffer buffer{};
    todo::EntryRecord header;
    header.count = ENTRIES;
    todo::encode_record(header, buffer);
    out.write(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    for (int i = 0; i < ENTRIES; ++i) {
        buffer.fill(0);
        todo::encode_record(entry_number(i), buffer);
        out.write(reinterpret_cast<const char*>(buffer.data()), buffer.size());
    }
}

void BM_ReminderTick(benchmark::State& state) {
    for (auto _ : state) todo::evaluate_reminders();
    state.counters["entries"] = common::list_count(todo::main_dialog, todo::ID_TEXT_COLUMN);
}
BENCHMARK(BM_ReminderTick)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    common::init_layer(argc, argv);
    std::string folder = (fs::temp_directory_path() / "bench-tick-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) return 1;
    folder += "/";
    common::testing::Driver driver;  // manual timers, message boxes answered
    common::layer_hooks().program_folder = folder;
    fs::current_path(folder);
    driver.set_clock(2026, 3, 10, 14, 30, 0);  // a Tuesday afternoon
    write_database(folder + "todo.dat");
    todo::start_cycle();
    todo::state.settings.message_input_path = folder + "question.txt";  // probed every tick
    // Settle: the first ticks classify every entry and write the message file once.
    for (int i = 0; i < 3; ++i) todo::evaluate_reminders();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    todo::end_cycle();
    fs::remove_all(folder);
    return 0;
}
