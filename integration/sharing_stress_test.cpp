// Several desktops on one to-do database at once. Each is a process running the to-do
// program's own database code (the lock, the merge, the save, the tick that takes in the
// others' saves) on a list of its own, making random additions, deletions, edits, priority moves
// and refreshes, and writing down each addition and deletion. At the end the database must hold
// every entry added and not deleted exactly once, and no entry deleted.
//
// The short run of the test suite: 3 processes of 1,000 operations each. Longer runs, or another
// folder (one on a network share), through the environment:
//   KEZ_STRESS_PROCESSES=5 KEZ_STRESS_OPERATIONS=10000 KEZ_STRESS_FOLDER=/mnt/share/stress
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "todo/database_file.h"
#include "todo/shared_list.h"

namespace {

namespace fs = std::filesystem;

int from_environment(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : otherwise;
}

std::string token_of(const todo::Entry& entry) {
    return entry.text.substr(0, entry.text.find(' '));
}

// What one desktop did, for the parent to check the end against.
struct Tally {
    int adds = 0, deletes = 0, edits = 0, moves = 0, refreshes = 0, ticks = 0, failed_saves = 0;
};

// One desktop: its columns are `shown`, its view of the file the shared list. Never returns.
[[noreturn]] void run_desktop(const std::string& database, const std::string& journal_path,
                              int desktop, int operations, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
    };
    todo::SharedList list;
    std::vector<todo::Entry> shown;
    bool whole = true;
    std::vector<todo::EntryId> ids;
    todo::read_database_file(database, shown, whole, &ids);
    list.read(database, shown, ids);
    std::ofstream journal(journal_path);
    Tally tally;
    const auto save = [&] {
        const todo::SaveOutcome outcome = list.save(shown);
        shown = outcome.list.entries;
        if (!outcome.saved) ++tally.failed_saves;
        return outcome.saved;
    };
    for (int op = 0; op < operations; ++op) {
        const int roll = int(random() % 100);
        if (roll < 30 || shown.empty()) {
            const std::string token = "d" + std::to_string(desktop) + "-" + std::to_string(op);
            shown.push_back({token + " to do", " " + std::to_string(shown.size() + 1), "11-12-2026",
                             "12-12-2026", "10:00", " 6"});
            journal << "add " << token << "\n";
            ++tally.adds;
            save();
        } else if (roll < 45) {
            const std::size_t row = pick(shown.size());
            journal << "del " << token_of(shown[row]) << "\n";
            shown.erase(shown.begin() + long(row));
            ++tally.deletes;
            save();
        } else if (roll < 65) {
            // Changed in one way or two, and not saved: the next save or tick carries it.
            todo::Entry& entry = shown[pick(shown.size())];
            const int how = int(random() % 4);
            if (how != 1) entry.text = token_of(entry) + " changed " + std::to_string(op);
            if (how >= 1) entry.date = std::to_string(10 + random() % 18) + "-12-2026";
            if (how == 3) entry.time = std::to_string(10 + random() % 10) + ":30";
            ++tally.edits;
        } else if (roll < 80) {
            todo::Entry& entry = shown[pick(shown.size())];
            const int priority = std::atoi(entry.priority.c_str()) + (random() % 2 ? 1 : -1);
            entry.priority = " " + std::to_string(priority < 1 ? 1 : priority);
            ++tally.moves;
        } else if (roll < 92) {
            if (std::optional<todo::MergedList> merged = list.take_in(shown))
                shown = merged->entries;
            ++tally.ticks;
        } else {
            // Refresh: save, and read the list again from the file.
            if (save()) {
                std::vector<todo::EntryId> ids;
                todo::read_database_file(database, shown, whole, &ids);
                list.read(database, shown, ids);
            }
            ++tally.refreshes;
        }
    }
    for (int tries = 0; tries < 100 && !save(); ++tries) {
    }
    journal << "tally " << tally.adds << " " << tally.deletes << " " << tally.edits << " "
            << tally.moves << " " << tally.refreshes << " " << tally.ticks << " "
            << tally.failed_saves << "\n";
    journal.close();
    _exit(journal ? 0 : 1);
}

class SharingStress : public ::testing::Test {
protected:
    void SetUp() override {
        const char* given = std::getenv("KEZ_STRESS_FOLDER");
        std::string pattern = given != nullptr
                                  ? std::string(given) + "/stress-XXXXXX"
                                  : (fs::temp_directory_path() / "kez-stress-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr) << pattern;
        folder = pattern + "/";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string folder;
};

TEST_F(SharingStress, EveryEntryAddedAndNotDeletedIsThereExactlyOnce) {
    const int processes = from_environment("KEZ_STRESS_PROCESSES", 3);
    const int operations = from_environment("KEZ_STRESS_OPERATIONS", 1000);
    const std::string database = folder + "todo.dat";
    const auto started = std::chrono::steady_clock::now();
    std::vector<pid_t> children;
    for (int desktop = 0; desktop < processes; ++desktop) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            run_desktop(database, folder + "journal-" + std::to_string(desktop), desktop,
                        operations, 20261211u + unsigned(desktop));
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    std::set<std::string> added, deleted;
    Tally all;
    for (int desktop = 0; desktop < processes; ++desktop) {
        std::ifstream journal(folder + "journal-" + std::to_string(desktop));
        std::string what, token;
        while (journal >> what) {
            if (what == "tally") {
                Tally t;
                journal >> t.adds >> t.deletes >> t.edits >> t.moves >> t.refreshes >> t.ticks >>
                    t.failed_saves;
                all.adds += t.adds, all.deletes += t.deletes, all.edits += t.edits;
                all.moves += t.moves, all.refreshes += t.refreshes, all.ticks += t.ticks;
                all.failed_saves += t.failed_saves;
                continue;
            }
            journal >> token;
            (what == "add" ? added : deleted).insert(token);
        }
    }
    std::vector<todo::Entry> entries;
    bool whole = true;
    ASSERT_TRUE(todo::read_database_file(database, entries, whole));
    EXPECT_TRUE(whole);
    std::map<std::string, int> times;
    for (const todo::Entry& entry : entries) ++times[token_of(entry)];
    int lost = 0, doubled = 0, returned = 0, unknown = 0;
    std::string which;
    for (const std::string& token : added) {
        if (deleted.count(token)) continue;
        lost += times[token] == 0;
        doubled += times[token] > 1;
        if (times[token] != 1) which += " " + token + " x" + std::to_string(times[token]);
    }
    for (const auto& [token, count] : times) {
        returned += deleted.count(token) && count > 0;
        unknown += !added.count(token);
        if (deleted.count(token) || !added.count(token)) which += " " + token + " deleted";
    }
    if (!which.empty()) std::cout << "[ stress ] wrong:" << which << "\n";
    EXPECT_EQ(lost, 0) << "entries added and not deleted that are missing";
    EXPECT_EQ(doubled, 0) << "entries that are there more than once";
    EXPECT_EQ(returned, 0) << "deleted entries that came back";
    EXPECT_EQ(unknown, 0) << "entries nobody added";
    EXPECT_EQ(int(entries.size()), int(added.size() - deleted.size()));
    std::cout << "[ stress ] " << processes << " processes, " << processes * operations
              << " operations (" << all.adds << " adds, " << all.deletes << " deletes, "
              << all.edits << " edits, " << all.moves << " priority moves, " << all.refreshes
              << " refreshes, " << all.ticks << " ticks; " << all.failed_saves
              << " saves kept waiting), " << seconds << " s, " << entries.size()
              << " entries at the end; lost " << lost << ", doubled " << doubled << ", came back "
              << returned << "\n";
}

}  // namespace
