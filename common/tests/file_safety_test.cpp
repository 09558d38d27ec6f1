// A save is the old file or the new one, whole: whatever step of writing fails, in a folder
// that takes no new files, and after a writer was killed and left its temporary behind.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/file_lock.h"
#include "common/files.h"
#include "common/testing/driver.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using common::FileKind;
using common::FileVar;
using common::testing::FileStep;

class FileSafety : public ScratchFolderTest {
protected:
    // Rewrites `name` whole ("W") with `bytes`; the result of close_file (1 when opening failed).
    int rewrite(const std::string& name, const std::string& bytes) {
        FileVar file;
        if (common::open_file(file, FileKind::Binary, path(name), "W") != 0) return 1;
        common::write_bytes(file, bytes.data(), bytes.size());
        return common::close_file(file, FileKind::Binary);
    }

    common::testing::Driver driver;
};

// A process id that certainly belongs to no running process: a child that has ended.
pid_t ended_process() {
    pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// Temporaries name the machine that wrote them: on a shared folder another desktop's process
// may have any number, and only its own machine can tell whether it has ended.
TEST_F(FileSafety, OnlyThisMachinesTemporariesOfEndedWritersGoAtTheNextWrite) {
    const std::string host = common::this_host();
    const std::string dead = std::to_string(ended_process());
    const std::string alive = std::to_string(getppid());
    const std::string self = std::to_string(getpid());
    put("a.txt", "old");
    const std::vector<std::string> kept = {
        "a.txt.~" + host + "." + alive + ".2",     // its writer may still be writing it
        "a.txt.~" + host + "." + self + ".9",      // this process writes it
        "a.txt.~otherdesk." + dead + ".1",         // another desktop's save, maybe in progress
        "a.txt.~" + dead + ".1",                   // an earlier version's, and young: the same
        "a.txt.~" + host + "." + dead + ".",       // not the pattern: no counter
        "a.txt.~" + host + "." + dead + ".1.bak",  // not the pattern: more after the counter
        "a.txt.~" + host + ".x" + dead + ".1",     // not the pattern: not a process id
        "a.txt.~o.ther." + dead + ".1",            // not the pattern: a host with a dot
        "ab.txt.~" + host + "." + dead + ".1",     // a temporary of another file
        "a.txt.~" + host + "." + dead + "1"};      // no dot between pid and counter
    for (const std::string& name : kept) put(name, "keep");
    put("a.txt.~" + host + "." + dead + ".1", "stale");
    put("a.txt.~" + host + "." + dead + ".22", "stale");
    // An earlier version's temporary an hour old is no save in progress, on any desktop.
    put("a.txt.~" + dead + ".7", "stale");
    fs::last_write_time(path("a.txt.~" + dead + ".7"),
                        fs::file_time_type::clock::now() - std::chrono::minutes(61));

    ASSERT_EQ(rewrite("a.txt", "new"), 0);
    std::vector<std::string> expected = kept;
    expected.push_back("a.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listing(), expected);
    EXPECT_EQ(bytes_of("a.txt"), "new");
}

TEST_F(FileSafety, TemporariesNameThisMachineAndProcess) {
    put("b.txt", "old");
    // While it is being written, the new file's name tells whose save it is.
    FileVar file;
    ASSERT_EQ(common::open_file(file, FileKind::Binary, path("b.txt"), "W"), 0);
    common::write_bytes(file, "x", 1);
    std::vector<std::string> names = listing();
    ASSERT_EQ(names.size(), 2u);
    const std::string lead = "b.txt.~" + common::this_host() + "." + std::to_string(getpid()) + ".";
    EXPECT_EQ(names[1].rfind(lead, 0), 0u) << names[1];
    EXPECT_EQ(common::this_host().find('.'), std::string::npos);
    common::close_file(file, FileKind::Binary);
    EXPECT_EQ(listing(), (std::vector<std::string>{"b.txt"}));
}

struct FailingStep {
    const char* name;
    FileStep step;
    int nth;
};

// Every step of a rewrite, made to fail once: the old file stays whole, nothing is left beside
// it, and the failure is reported where the program looks for it.
TEST_F(FileSafety, RewriteThatFailsAtAnyStepKeepsTheOldFileWhole) {
    const std::vector<FailingStep> steps = {{"creating the temporary", FileStep::Create, 1},
                                            {"first write", FileStep::Write, 1},
                                            {"third write", FileStep::Write, 3},
                                            {"flush", FileStep::Flush, 1},
                                            {"sync", FileStep::Sync, 1},
                                            {"rename", FileStep::Rename, 1}};
    const std::string old_text = std::string(3000, 'o') + "\r\n";
    for (const FailingStep& failing : steps) {
        SCOPED_TRACE(failing.name);
        put("job.job", old_text);
        driver.fail_file_step(failing.step, failing.nth);
        FileVar file;
        int result = common::open_file(file, FileKind::Text, path("job.job"), "W");
        if (result == 0) {
            for (int line = 0; line < 5; ++line) common::write_value(file, FileKind::Text, "new");
            result = common::close_file(file, FileKind::Text);
        }
        EXPECT_EQ(result, 1);
        EXPECT_EQ(bytes_of("job.job"), old_text);
        EXPECT_EQ(listing(), std::vector<std::string>{"job.job"});
        driver.stop_failing_files();
        EXPECT_EQ(rewrite("job.job", "next"), 0) << "one failure does not stick";
        EXPECT_EQ(bytes_of("job.job"), "next");
    }
}

// A file over a megabyte is set on its way to the disk while it is written and the file it
// replaces is given a second name that goes a moment later: a failed rename still leaves the
// old file alone, under its own name only, and a good one the new file whole.
TEST_F(FileSafety, LongFileIsReplacedWholeAndAFailedRenameKeepsTheOldOne) {
    const std::string old_bytes(3 << 20, 'o');
    std::string new_bytes;
    for (int i = 0; new_bytes.size() < (5u << 20); ++i) new_bytes += std::to_string(i) + ',';
    put("todo.dat", old_bytes);
    const auto settled_listing = [&] {
        for (int wait = 0; wait < 100 && listing().size() > 1; ++wait) usleep(10000);
        return listing();
    };

    driver.fail_file_step(FileStep::Rename, 1);
    EXPECT_EQ(rewrite("todo.dat", new_bytes), 1);
    driver.stop_failing_files();
    EXPECT_EQ(settled_listing(), std::vector<std::string>{"todo.dat"});
    EXPECT_EQ(bytes_of("todo.dat"), old_bytes);

    FileVar file;
    ASSERT_EQ(common::open_file(file, FileKind::Binary, path("todo.dat"), "W"), 0);
    for (std::size_t at = 0; at < new_bytes.size(); at += 70000) {  // writes of a record block
        const std::size_t count = std::min<std::size_t>(70000, new_bytes.size() - at);
        ASSERT_EQ(common::write_bytes(file, new_bytes.data() + at, count), static_cast<int>(count));
    }
    EXPECT_EQ(common::close_file(file, FileKind::Binary), 0);
    EXPECT_EQ(settled_listing(), std::vector<std::string>{"todo.dat"});
    EXPECT_EQ(bytes_of("todo.dat"), new_bytes);
}

TEST_F(FileSafety, CopyThatFailsAtAnyStepKeepsTheOldCopyWhole) {
    put("todo.dat", std::string(200000, 'n'));
    for (FailingStep failing :
         {FailingStep{"create", FileStep::Create, 1},
          FailingStep{"second block", FileStep::Write, 2}, FailingStep{"sync", FileStep::Sync, 1},
          FailingStep{"rename", FileStep::Rename, 1}}) {
        SCOPED_TRACE(failing.name);
        put("todo.bak", "previous backup");
        driver.fail_file_step(failing.step, failing.nth);
        EXPECT_FALSE(common::file_copy(path("todo.dat"), path("todo.bak"), false));
        EXPECT_EQ(bytes_of("todo.bak"), "previous backup");
        EXPECT_EQ(listing(), (std::vector<std::string>{"todo.bak", "todo.dat"}));
        driver.stop_failing_files();
    }
    EXPECT_TRUE(common::file_copy(path("todo.dat"), path("todo.bak"), false));
    EXPECT_EQ(bytes_of("todo.bak"), bytes_of("todo.dat"));
}

// The to-do program backs its database up at every start: a backup that already holds the same
// bytes is neither written nor replaced, and one that differs anywhere, even in its last byte,
// is.
TEST_F(FileSafety, CopyOntoABackupHoldingTheSameBytesWritesNothing) {
    std::string data(200000, 'n');  // three whole blocks and a part
    put("todo.dat", data);
    put("todo.bak", data);
    const auto inode = [this] {
        struct stat about {};
        return ::stat(path("todo.bak").c_str(), &about) == 0 ? about.st_ino : 0;
    };
    const auto before = inode();
    driver.fail_file_step(FileStep::Create, 1);  // any write would fail at its first step
    EXPECT_TRUE(common::file_copy(path("todo.dat"), path("todo.bak"), false));
    driver.stop_failing_files();
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(listing(), (std::vector<std::string>{"todo.bak", "todo.dat"}));

    for (std::size_t changed : {std::size_t{0}, std::size_t{65536}, data.size() - 1}) {
        SCOPED_TRACE(changed);
        data[changed] = data[changed] == 'n' ? 'x' : 'n';
        put("todo.dat", data);
        EXPECT_TRUE(common::file_copy(path("todo.dat"), path("todo.bak"), false));
        EXPECT_EQ(bytes_of("todo.bak"), data);
    }
}

// An append that fails is taken back: the log never ends in half a line.
TEST_F(FileSafety, FailedAppendLeavesTheFileAsItWas) {
    put("ToDoLog.txt", "first line\r\n");
    for (FileStep step : {FileStep::Write, FileStep::Flush}) {
        driver.fail_file_step(step, 1);
        FileVar log;
        ASSERT_EQ(common::open_file(log, FileKind::Text, path("ToDoLog.txt"), "A"), 0);
        common::write_value(log, FileKind::Text, "second line");
        EXPECT_EQ(common::close_file(log, FileKind::Text), 1);
        EXPECT_EQ(bytes_of("ToDoLog.txt"), "first line\r\n");
        driver.stop_failing_files();
    }
    driver.fail_file_step(FileStep::Create, 1);
    FileVar note;
    EXPECT_EQ(common::open_file(note, FileKind::Text, path("AddFile.txt"), "A"), 1);
    EXPECT_FALSE(fs::exists(path("AddFile.txt")));
}

// Where the folder takes no new file (creating the temporary is refused) but the file itself
// may be written, a rewrite goes over the file in place.
TEST_F(FileSafety, FolderThatRefusesNewFilesIsWrittenInPlace) {
    driver.fail_file_step(FileStep::Create, 1, EACCES, true);
    const std::string longer(100000, 'L');
    put("todo.ini", "a much longer old settings file\r\n");
    for (const std::string& bytes : {std::string("short\r\n"), longer, std::string("x")}) {
        EXPECT_EQ(rewrite("todo.ini", bytes), 0);
        EXPECT_EQ(bytes_of("todo.ini"), bytes);
    }
    EXPECT_EQ(listing(), std::vector<std::string>{"todo.ini"});

    EXPECT_EQ(rewrite("new.txt", "a new file cannot be made here"), 1);
    EXPECT_FALSE(fs::exists(path("new.txt")));
    put("todo.bak", "old backup");
    EXPECT_TRUE(common::file_copy(path("todo.ini"), path("todo.bak"), false));
    EXPECT_EQ(bytes_of("todo.bak"), "x");

    put("unwritable.txt", "kept");
    fs::permissions(path("unwritable.txt"), fs::perms::owner_read);
    if (geteuid() != 0) {  // root may write any file
        EXPECT_EQ(rewrite("unwritable.txt", "new"), 1);
    }
    EXPECT_EQ(bytes_of("unwritable.txt"), "kept");
}

// In place, a failed write never lets the head of the file (where a record file keeps its
// header) announce what was not written; a file that had to grow is left at its old size.
TEST_F(FileSafety, FailedWriteInPlaceNeverWritesTheHead) {
    const std::string old_bytes = std::string(512, 'h') + std::string(200000, 'o');
    const std::string new_bytes = std::string(512, 'H') + std::string(300000, 'N');
    // Write 1 fills the scratch file, 2 grows the target, 3 and 4 go backwards over it.
    for (int nth : {1, 2, 3, 4}) {
        SCOPED_TRACE(nth);
        put("todo.dat", old_bytes);
        driver.fail_file_step(FileStep::Create, 1, EACCES, true);
        driver.fail_file_step(FileStep::Write, nth);
        EXPECT_EQ(rewrite("todo.dat", new_bytes), 1);
        const std::string left = bytes_of("todo.dat");
        EXPECT_EQ(left.size(), old_bytes.size());
        EXPECT_EQ(left.substr(0, 512), old_bytes.substr(0, 512));
        if (nth <= 2) {
            EXPECT_EQ(left, old_bytes) << "failed before anything old was touched";
        }
        driver.stop_failing_files();
    }
}

}  // namespace
