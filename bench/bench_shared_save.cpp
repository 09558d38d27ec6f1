// A save of a long list on a folder that several desktops share: 10,000 entries, the lock, the
// read of what another desktop saved meanwhile, the merge and the write, beside what this disk
// itself takes to write and flush the same bytes, measured in the same run. And the tick that
// finds nothing changed, which must cost one status call.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "database_file.h"
#include "shared_list.h"

namespace {

constexpr int ENTRIES = 10000;

std::string folder;

std::string database() {
    return folder + "todo.dat";
}

std::vector<todo::Entry> long_list() {
    std::vector<todo::Entry> entries;
    for (int i = 0; i < ENTRIES; ++i)
        entries.push_back({"Ring customer number " + std::to_string(i) + " about the survey",
                           " " + std::to_string(i + 1), "01-03-2026", "12-03-2026", "10:30", " 5"});
    return entries;
}

// Another desktop changes one entry and adds one; this desktop moves one entry's priority; then
// this desktop saves, and has to take the other's work in.
void BM_SaveAfterAnotherDesktopsSave(benchmark::State& bench) {
    todo::write_database_file(database(), long_list());
    todo::SharedList mine, theirs;
    std::vector<todo::Entry> shown = long_list();
    mine.read(database(), shown);
    mine.save(shown);  // as after the program's first save: the file and its image known
    int round = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        std::vector<todo::Entry> other;
        std::vector<todo::EntryId> ids;
        bool whole = true;
        todo::read_database_file(database(), other, whole, &ids);
        theirs.read(database(), other, ids);
        other[std::size_t(round * 7 % ENTRIES)].text += " (rang)";
        other.push_back(
            {"Added there " + std::to_string(round), " 1", "02-03-2026", "--Day", "08:00", " 6"});
        theirs.save(other);
        // The other desktop saved a moment ago, not this very instant: its save is on the disk
        // and its old file gone before this one starts, as on an office's server.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ::sync();
        shown[std::size_t(round * 13 % ENTRIES)].priority = " " + std::to_string(round + 2);
        ++round;
        bench.ResumeTiming();
        const todo::SaveOutcome outcome = mine.save(shown);
        if (!outcome.saved || !outcome.merged) bench.SkipWithError("not saved with a merge");
        bench.PauseTiming();
        shown = outcome.list.entries;  // one entry longer each round: the other's addition
        bench.ResumeTiming();
    }
}

// The same save when nobody else saved: the lock, one status call and the write.
void BM_SaveNothingElseChanged(benchmark::State& bench) {
    todo::write_database_file(database(), long_list());
    todo::SharedList mine;
    std::vector<todo::Entry> shown = long_list();
    mine.read(database(), shown);
    mine.save(shown);
    int round = 0;
    for (auto _ : bench) {
        shown[std::size_t(round * 13 % ENTRIES)].priority = " " + std::to_string(round + 2);
        ++round;
        if (!mine.save(shown).saved) bench.SkipWithError("not saved");
    }
}

// The floor: the bytes of the same database written to a new file in the same folder and
// flushed to the disk, as any save must.
void BM_DiskWritesAndFlushesTheSameBytes(benchmark::State& bench) {
    todo::write_database_file(database(), long_list());
    std::ifstream in(database(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string floor = folder + "floor.dat";
    for (auto _ : bench) {
        const int file = ::open(floor.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (file < 0 || ::write(file, bytes.data(), bytes.size()) != ssize_t(bytes.size()) ||
            ::fsync(file) != 0)
            bench.SkipWithError("the disk refused");
        ::close(file);
        bench.PauseTiming();
        ::unlink(floor.c_str());
        bench.ResumeTiming();
    }
    bench.SetBytesProcessed(int64_t(bench.iterations()) * int64_t(bytes.size()));
}

// A tick on an unchanged file.
void BM_TickFindsNothingChanged(benchmark::State& bench) {
    todo::write_database_file(database(), long_list());
    todo::SharedList mine;
    const std::vector<todo::Entry> shown = long_list();
    mine.read(database(), shown);
    for (auto _ : bench) benchmark::DoNotOptimize(mine.take_in(shown));
}

BENCHMARK(BM_DiskWritesAndFlushesTheSameBytes)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SaveAfterAnotherDesktopsSave)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SaveNothingElseChanged)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_TickFindsNothingChanged)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "todo-shared-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 1;
    folder = pattern + "/";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(folder);
    return 0;
}
