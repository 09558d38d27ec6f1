// A to-do program of its own for each test: a fresh program folder (todo.ini, todo.dat,
// weights.ini live there) and a fresh current folder (todo.bak, ToDoLog.txt, AddFile.txt), the
// test driver with manual timers, the clock fixed, and helpers to start the main dialog and
// read its columns and files.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "common/testing/driver.h"
#include "common/window.h"
#include "record.h"

namespace todo {
// Readable failures: an entry prints as its six column texts.
inline void PrintTo(const Entry& e, std::ostream* out) {
    *out << "{\"" << e.text << "\", \"" << e.priority << "\", \"" << e.created << "\", \"" << e.date
         << "\", \"" << e.time << "\", \"" << e.status << "\"}";
}
}  // namespace todo

namespace todo::testing {

class TodoFixture : public ::testing::Test {
protected:
    TodoFixture();
    ~TodoFixture() override;

    // The start-up cycle up to the main dialog being shown (settings, dialogs, backup, database).
    void start();
    // Starts on a database of these entries, the message line showing the reminder message
    // rather than the winning condition's response.
    void start_on(const std::vector<Entry>& list);
    // What the run loop does when it ends: stop, close, and start over when a reload was asked.
    // Returns true when a new cycle started.
    bool end_and_maybe_reload();
    // Ends this run (saving nothing) and starts the program again, as a user would.
    void start_again();

    // Paths in the two folders.
    std::string in_program_folder(const std::string& name) const;
    std::string in_current_folder(const std::string& name) const;
    static void write_file(const std::string& path, const std::string& bytes);
    static std::string read_file(const std::string& path);  // "" when missing
    static bool exists(const std::string& path);

    // A database built byte by byte: the header with `count` and the records of `entries`.
    static std::string database_bytes(const std::vector<Entry>& entries, int count);
    // A "todo.ini" whose line 5 names `database`, the other lines plain.
    static std::string settings_for(const std::string& database);

    // The main dialog.
    common::Window& dialog();
    std::vector<std::string> column(int id);
    std::vector<Entry> entries();  // the six columns row by row
    std::string text(int id);
    void click(int id);
    void choose_tool(int command_id);
    void type(int id, const std::string& text);
    void select_row(int column_id, int row);
    void tick();  // the reminder timer fires now
    // Texts of the message boxes shown so far with this caption, in order.
    std::vector<std::string> shown(const std::string& caption) const;

    common::testing::Driver driver;
    std::string program_folder;  // ends with "/"
    std::string current_folder;  // ends with "/"
    int exits = 0;               // immediate exits asked for

    // The program-wide state as a new process starts with it.
    static void fresh_state();

private:
    std::string previous_folder_;
};

}  // namespace todo::testing
