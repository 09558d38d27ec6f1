// A job manager running on a fresh program folder of its own, for tests that act as the
// office user. Each test gets a temporary folder holding the office's files (settings, price
// lists, picture key words and pictures, process steps, job types, invoice page pieces, start
// picture and tool bar strip), a test driver, and the job manager started on that folder.
//
//   class CustomerTest : public jobs::testing::JobManagerTest {};
//   TEST_F(CustomerTest, ...) { driver.check(jobs::description_window, jobs::ID_CUSTOMER, true); }
//
// To start on other data, override prepare_data() (runs before start-up) and change the
// files there with write_file / remove_file; or set start_job_manager = false in the
// constructor and call jobs::start_up() yourself.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/testing/driver.h"

namespace jobs::testing {

// The files a fresh program folder holds: relative path ("data/KezPriceList.dat") -> bytes.
// Texts are written as the office writes them, CR LF line ends and "£" as byte 163. The
// settings name "help_question.txt" and "help_answer.txt" in the program folder as the help
// files, a carriage of 0 and a discount threshold of 500.
std::map<std::string, std::string> office_files(const std::string& program_folder);
// Writes those files into a program folder (ending with "/"), making the folders they need.
void write_office_files(const std::string& program_folder);

// A small valid JPEG picture and a valid tool bar strip (a 24-bit bitmap of ten 24 x 23
// images), as bytes.
std::string jpeg_picture();
std::string tool_bar_bitmap();

class JobManagerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs after the folder is filled and before the job manager starts.
    virtual void prepare_data() {}

    // Relative paths use "/" ("data/KezPriceList.dat").
    std::string path_of(const std::string& relative) const { return folder + relative; }
    void write_file(const std::string& relative, const std::string& bytes) const;
    std::string read_file(const std::string& relative) const;  // "" when missing
    bool file_exists(const std::string& relative) const;
    void remove_file(const std::string& relative) const;

    // The main frame's tick, now.
    void tick();
    // A command of the main frame's tool bar, pressed as the office presses it.
    void tool(int command);
    // Answers the next question with its button (2 Yes, 3 No), noting what it asked in `asked`.
    void answer(int button);
    std::vector<std::string> asked;

    bool start_job_manager = true;  // set false in a constructor to start by hand
    bool started = false;           // clean_up runs at the end when set
    std::string folder;             // the program folder, ending with "/"
    common::testing::Driver driver;
};

// Marks a folder so that nothing in it can be created, renamed or deleted (not even by root),
// which is how tests make a save fail; false where the file system does not allow it.
bool set_immutable(const std::string& path, bool on);

}  // namespace jobs::testing
