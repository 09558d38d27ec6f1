// Saves killed at random moments. A child process saves a large job file and a large to-do
// database over and over, each save a new version of both; the test kills it with SIGKILL at
// a random moment, many times. After every kill each file must be exactly the version saved
// last or the one being saved, and the next save must leave no temporary behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "jobs/job_file.h"
#include "jobs/record_file.h"
#include "todo/database.h"

namespace {

namespace fs = std::filesystem;

constexpr int KILLS = 200;
constexpr int INVOICE_LINES = 400;  // about 50 KB of job file
constexpr int ENTRIES = 300;        // about 300 KB of database
constexpr unsigned SEED = 20261210;
constexpr int LONGEST_WAIT_US = 20000;

std::string bytes_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> job_version(int version) {
    jobs::JobRecord job;
    job.job_name = "Kill " + std::to_string(version);
    job.date = "10-12-2026";
    job.time = "12:00:00";
    job.has_customer = true;
    job.customer_name = "Jo Smith";
    for (int line = 0; line < INVOICE_LINES; ++line) {
        const std::string n = std::to_string(version) + "/" + std::to_string(line);
        job.invoice_lines.push_back({"panel " + n, "120.50", "2", "241.00", "note " + n, "", ""});
    }
    job.invoice_notes = "version " + std::to_string(version);
    return jobs::job_file_lines(job);
}

std::vector<todo::Entry> database_version(int version) {
    std::vector<todo::Entry> entries;
    for (int i = 0; i < ENTRIES; ++i) {
        entries.push_back({"entry " + std::to_string(i) + " of version " + std::to_string(version),
                           " " + std::to_string(i + 1), "10-12-2026", "--Day", "09:30", " 6"});
    }
    return entries;
}

// Saves version after version of both files, telling the parent through `report` each version
// whose two saves are complete. Never returns: it is killed.
[[noreturn]] void keep_saving(const std::string& job, const std::string& database, int first,
                              int report) {
    for (int version = first;; ++version) {
        if (jobs::write_record_file(job, job_version(version)) != jobs::WriteResult::Written ||
            !todo::write_database_file(database, database_version(version)))
            _exit(1);
        if (write(report, &version, sizeof version) != sizeof version) _exit(1);
    }
}

class KilledSaves : public ::testing::Test {
protected:
    void SetUp() override {
        // A kill, unlike a power cut, loses nothing the system already holds, so the files may
        // live in memory where one is at hand: the syncs then cost nothing and the test stays
        // quick on slow disks.
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/kez_kill_XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        fs::create_directory(dir + "/expected");
        job = dir + "/data/Kill.job";
        database = dir + "/data/todo.dat";
        fs::create_directory(dir + "/data");
    }
    void TearDown() override { fs::remove_all(dir); }

    // The exact bytes of a version, as the same code writes them into a fresh file.
    const std::string& expected_job(int version) {
        auto [at, added] = jobs_.try_emplace(version);
        if (added) {
            const std::string path = dir + "/expected/v.job";
            jobs::write_record_file(path, job_version(version));
            at->second = bytes_of(path);
        }
        return at->second;
    }
    const std::string& expected_database(int version) {
        auto [at, added] = databases_.try_emplace(version);
        if (added) {
            const std::string path = dir + "/expected/v.dat";
            fs::remove(path);
            todo::write_database_file(path, database_version(version));
            at->second = bytes_of(path);
        }
        return at->second;
    }
    void save(int version) {
        ASSERT_EQ(jobs::write_record_file(job, job_version(version)), jobs::WriteResult::Written);
        ASSERT_TRUE(todo::write_database_file(database, database_version(version)));
    }
    std::vector<std::string> in_data_folder() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir + "/data"))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir, job, database;
    std::map<int, std::string> jobs_, databases_;
};

TEST_F(KilledSaves, EachFileIsTheOldOrTheNewVersionAndNoTemporaryOutlivesTheNextSave) {
    save(0);
    std::mt19937 random(SEED);
    std::uniform_int_distribution<int> wait_us(0, LONGEST_WAIT_US);
    int saved = 0;             // the version both files held before this child started
    int temporaries_left = 0;  // kills that caught a save half-way
    int caught_between = 0;    // kills after which the job was new and the database old
    for (int kill_number = 0; kill_number < KILLS; ++kill_number) {
        SCOPED_TRACE("kill " + std::to_string(kill_number));
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(report[0]);
            keep_saving(job, database, saved + 1, report[1]);
        }
        close(report[1]);
        usleep(static_cast<useconds_t>(wait_us(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped saving by itself";

        int last = saved;
        for (int version; read(report[0], &version, sizeof version) == sizeof version;)
            last = version;
        close(report[0]);

        const std::string job_now = bytes_of(job);
        const std::string database_now = bytes_of(database);
        ASSERT_TRUE(job_now == expected_job(last) || job_now == expected_job(last + 1))
            << "job file of " << job_now.size() << " bytes after version " << last;
        ASSERT_TRUE(database_now == expected_database(last) ||
                    database_now == expected_database(last + 1))
            << "database of " << database_now.size() << " bytes after version " << last;
        caught_between +=
            job_now == expected_job(last + 1) && database_now != expected_database(last + 1);
        temporaries_left += in_data_folder().size() > 2;

        save(last + 1);
        ASSERT_EQ(in_data_folder(), (std::vector<std::string>{"Kill.job", "todo.dat"}));
        saved = last + 1;
    }
    // The kills must have hit saves half-way, or the test has proved nothing.
    EXPECT_GT(temporaries_left, 0);
    EXPECT_GT(saved, KILLS);
    std::cout << "[ kills ] " << KILLS << " kills, " << temporaries_left << " left a temporary, "
              << caught_between << " fell between the job and the database, " << saved
              << " versions\n";
}

}  // namespace
