// Lock files shared by desktops: one holder at a time, even among processes racing for it; a
// lock whose holder has ended on this machine, or that nobody renewed for a minute, is taken
// over; a lock that still stands is named with its holder; and only its holder lets it go.
#include "common/file_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/file_problems.h"
#include "common/file_stamp.h"
#include "common/user_folders.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using common::LockAttempt;
using common::LockHolder;
using Outcome = LockAttempt::Outcome;

class FileLock : public ScratchFolderTest {
protected:
    std::string lock() const { return path("todo.dat.lock"); }
    void put_holder(const LockHolder& holder) const {
        put("todo.dat.lock", "kez-office lock\nuser: " + holder.user + "\nhost: " + holder.host +
                                 "\nprocess: " + std::to_string(holder.process) +
                                 "\nsince: " + std::to_string(holder.since) +
                                 "\nrefreshed: " + std::to_string(holder.refreshed) + "\n");
    }
};

unsigned long ended_process() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return static_cast<unsigned long>(child);
}

TEST_F(FileLock, OneHolderAtATimeAndTheLockNamesIt) {
    const LockAttempt mine = common::take_lock(lock(), 0);
    ASSERT_EQ(mine.outcome, Outcome::Taken);
    EXPECT_EQ(mine.holder.host, common::this_host());
    EXPECT_EQ(mine.holder.process, common::this_process());
    EXPECT_EQ(common::lock_holder(lock()), mine.holder);
    // A second taker, even this very process, waits and is told who holds it.
    const auto before = std::chrono::steady_clock::now();
    const LockAttempt second = common::take_lock(lock(), 200);
    EXPECT_EQ(second.outcome, Outcome::Held);
    EXPECT_EQ(second.holder, mine.holder);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(200));
    // Only its holder lets it go.
    LockHolder someone = mine.holder;
    someone.since -= 1;
    common::release_lock(lock(), someone);
    EXPECT_TRUE(fs::exists(lock()));
    common::release_lock(lock(), mine.holder);
    EXPECT_FALSE(fs::exists(lock()));
    EXPECT_EQ(common::take_lock(lock(), 0).outcome, Outcome::Taken);
}

TEST_F(FileLock, ALockThatGuardsNothingAnyMoreIsTakenOver) {
    const long long now = common::seconds_now();
    struct Case {
        const char* name;
        LockHolder holder;
        Outcome outcome;
    };
    const std::vector<Case> cases = {
        {"this machine, its process ended",
         {"me", common::this_host(), ended_process(), now, now},
         Outcome::Taken},
        {"this machine, its process running",
         {"me", common::this_host(), static_cast<unsigned long>(getppid()), now, now},
         Outcome::Held},
        {"another machine, renewed just now",
         {"bob", "desk2", 17, now - 3600, now - 5},
         Outcome::Held},
        {"another machine, silent for two minutes",
         {"bob", "desk2", 17, now - 3600, now - 120},
         Outcome::Taken},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put_holder(c.holder);
        const LockAttempt attempt = common::take_lock(lock(), 0);
        EXPECT_EQ(attempt.outcome, c.outcome);
        if (c.outcome == Outcome::Held) {
            EXPECT_EQ(attempt.holder, c.holder);
        } else {
            EXPECT_EQ(common::lock_holder(lock()), attempt.holder);
        }
        fs::remove(lock());
    }
    // A lock file that names nobody (one being written this instant) stands until it is old.
    put("todo.dat.lock", "");
    EXPECT_EQ(common::take_lock(lock(), 0).outcome, Outcome::Held);
    fs::last_write_time(lock(), fs::file_time_type::clock::now() - std::chrono::minutes(2));
    EXPECT_EQ(common::take_lock(lock(), 0).outcome, Outcome::Taken);
    EXPECT_FALSE(fs::exists(lock() + ".break")) << "the breaking leaves nothing behind";
}

TEST_F(FileLock, RenewingKeepsALockAliveAndTellsWhenItWasTakenOver) {
    LockAttempt mine = common::take_lock(lock(), 0);
    ASSERT_EQ(mine.outcome, Outcome::Taken);
    LockHolder old = mine.holder;
    old.refreshed -= 120;  // as if the lock had not been renewed for two minutes
    put_holder(old);
    EXPECT_TRUE(common::refresh_lock(lock(), mine.holder));
    const std::optional<LockHolder> renewed = common::lock_holder(lock());
    ASSERT_TRUE(renewed);
    EXPECT_GE(renewed->refreshed, common::seconds_now() - 1);
    EXPECT_EQ(renewed->since, mine.holder.since) << "since when stays";
    EXPECT_EQ(listing(), (std::vector<std::string>{"todo.dat.lock"})) << "renewed by a rename";
    put_holder({"bob", "desk2", 17, 1, common::seconds_now()});
    EXPECT_FALSE(common::refresh_lock(lock(), mine.holder));
    EXPECT_EQ(common::lock_holder(lock())->user, "bob") << "another's lock is left alone";
}

// Processes racing for one lock, each adding one to a counter file while it holds the lock:
// no addition is lost, so no two ever held it at once.
TEST_F(FileLock, ProcessesRacingForTheLockNeverHoldItTogether) {
    put("counter", "0");
    constexpr int PROCESSES = 4;
    constexpr int ROUNDS = 100;
    std::vector<pid_t> children;
    for (int p = 0; p < PROCESSES; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            for (int round = 0; round < ROUNDS; ++round) {
                const common::HeldLock held(lock(), 10000);
                if (!held.taken()) _exit(2);
                const int value = std::stoi(bytes_of("counter"));
                put("counter", std::to_string(value + 1));
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(bytes_of("counter"), std::to_string(PROCESSES * ROUNDS));
    EXPECT_FALSE(fs::exists(lock()));
}

TEST_F(FileLock, ALockThatCannotBeMadeSaysWhy) {
    const std::string gone = path("unmounted/todo.dat.lock");
    const LockAttempt attempt = common::take_lock(gone, 0);
    EXPECT_EQ(attempt.outcome, Outcome::Failed);
    EXPECT_EQ(common::lock_problem(gone, attempt),
              "the folder " + path("unmounted") + " cannot be reached");
    LockAttempt held{Outcome::Held, {"bob", "desk2", 17, 1700000000, 1700000000}, 0};
    EXPECT_EQ(common::lock_problem(lock(), held),
              "it is locked by bob on desk2 since " + common::lock_time_text(1700000000));
}

TEST_F(FileLock, AStampTellsAFileReplacedBySaveFromTheSameFile) {
    put("todo.dat", "1234");
    const common::FileStamp first = common::file_stamp(path("todo.dat"));
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 4u);
    EXPECT_EQ(common::file_stamp(path("todo.dat")), first);
    // Same size, renamed into place within the same instant: still another file.
    put("new", "5678");
    fs::last_write_time(path("new"), fs::last_write_time(path("todo.dat")));
    fs::rename(path("new"), path("todo.dat"));
    EXPECT_FALSE(common::file_stamp(path("todo.dat")) == first);
    EXPECT_FALSE(common::file_stamp(path("missing")).exists);
}

TEST_F(FileLock, TheUsersConfigurationFolderFollowsTheDesktopsRules) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string saved_config = config ? config : "";
    const char* home = std::getenv("HOME");
    const std::string saved_home = home ? home : "";
    setenv("XDG_CONFIG_HOME", path("config").c_str(), 1);
    EXPECT_EQ(common::user_config_folder(), path("config") + "/kez-office/");
    EXPECT_TRUE(fs::is_directory(path("config/kez-office")));
    setenv("XDG_CONFIG_HOME", "relative/not/allowed", 1);
    setenv("HOME", path("home").c_str(), 1);
    EXPECT_EQ(common::user_config_folder(), path("home") + "/.config/kez-office/");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(common::user_config_folder(), path("home") + "/.config/kez-office/");
    setenv("HOME", saved_home.c_str(), 1);
    if (config) setenv("XDG_CONFIG_HOME", saved_config.c_str(), 1);
}

}  // namespace
