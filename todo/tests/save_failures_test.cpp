// Every file the to-do program writes, with each step of writing it failing in turn: the old
// file stays whole, nothing is left beside it, and the user is told as for any failed save.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "common/window.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using common::testing::FileStep;

using common::testing::FileFailure;

struct SavePath {
    std::string file;  // its name, in the folder the program keeps it
    bool in_program_folder;
    const std::vector<FileFailure>& failures;
    std::function<void()> save;
    std::string caption;  // "" : a failure is skipped silently and tried again
    std::string message;
};

class SaveFailures : public TodoFixture {
protected:
    std::string where(const SavePath& path) {
        return path.in_program_folder ? in_program_folder(path.file) : in_current_folder(path.file);
    }
    std::vector<std::string> beside(const SavePath& path) {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(where(path)).parent_path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    void add(const std::string& text) {
        type(ID_ENTRY_EDIT, text);
        click(ID_ADD);
    }
    int saves = 0;  // makes every save differ from the one before
};

TEST_F(SaveFailures, EverySavePathKeepsTheOldFileAndSaysSo) {
    write_file(in_program_folder("todo.dat"),
               database_bytes({{"Ring Bob", " 1", "", "", "", " 6"}}, 1));
    write_file(in_program_folder("weights.ini"), "");
    start();
    const std::vector<SavePath> paths = {
        {"todo.bak", false, common::testing::rewrite_failures(), [this] { start_again(); },
         "Error...start...", "Unable to create backup \r\n of todo.dat an error occured"},
        {"todo.ini", true, common::testing::rewrite_failures(),
         [this] { add("settings " + std::to_string(++saves)); }, "Error...SaveData...",
         "Unable to create INI file"},
        {"weights.ini", true, common::testing::rewrite_failures(),
         [this] {
             if (!state.weights_dialog_open) choose_tool(CMD_NN_WEIGHTS);
             driver.scroll(weights_dialog, 2, common::SB_LINEDOWN);
             driver.click(weights_dialog, 21);
         },
         "Error...save weights...", "Unable to create NN INI file"},
        {"ToDoMessage.txt", true, common::testing::rewrite_failures(),
         [this] {
             state.settings.message_prefix = "ToDo " + std::to_string(++saves) + ": ";
             tick();
         },
         "", ""},
        {"AddFile.txt", false, common::testing::append_failures(),
         [this] { add("note " + std::to_string(++saves)); }, "error...AddToTxtFile...",
         "Problem adding note to backup text file"},
        {"ToDoLog.txt", false, common::testing::append_failures(),
         [this] {
             select_row(ID_TEXT_COLUMN, 0);
             choose_tool(CMD_SEND_TO_LOG);
         },
         "Error...sub SendToLog...", "Unable to write to log"},
        {"todo.dat", true, common::testing::rewrite_failures(),
         [this] { add("entry " + std::to_string(++saves)); }, "Error...SaveData...",
         "Problem saving data"},
    };
    for (const SavePath& path : paths) {
        for (const FileFailure& failure : path.failures) {
            SCOPED_TRACE(path.file + ", " + failure.name);
            const std::string old_bytes = "old " + path.file + "\r\n";
            write_file(where(path), old_bytes);
            const std::vector<std::string> before = beside(path);
            const std::vector<Entry> list = entries();
            driver.clear_records();
            driver.fail_file_step(failure.step, 1, failure.error, false, path.file);
            path.save();
            EXPECT_GE(driver.file_steps_taken(failure.step), 1) << "the failing step was reached";
            driver.stop_failing_files();
            EXPECT_EQ(read_file(where(path)), old_bytes);
            EXPECT_EQ(beside(path), before);
            if (path.caption.empty()) {
                EXPECT_TRUE(driver.messages().empty());
                tick();  // the next tick tries again, and now it works
                EXPECT_NE(read_file(where(path)), old_bytes);
            } else {
                // The message names the cause after the first line: that is checked where
                // each cause is made.
                const std::vector<std::string> texts = shown(path.caption);
                ASSERT_EQ(texts.size(), 1u);
                EXPECT_EQ(texts[0].substr(0, path.message.size()), path.message);
            }
            if (path.file == "ToDoLog.txt") {
                EXPECT_EQ(entries(), list) << "an entry that was not logged stays in the list";
            }
        }
    }
    // What was added while the database could not be saved is saved by the next save.
    add("after the disk was freed");
    const std::vector<std::string> list = column(ID_TEXT_COLUMN);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), list);
    EXPECT_EQ(list.back(), "after the disk was freed");
}

}  // namespace
}  // namespace todo::testing

namespace todo::testing {
namespace {

// Where the folder takes no new files but its files may be written, every save still works,
// written in place: the settings, the message file, the database and Clear All.
TEST_F(SaveFailures, FolderThatTakesNoNewFilesStillSavesEverythingInPlace) {
    write_file(in_program_folder("todo.dat"),
               database_bytes({{"Ring Bob", " 1", "", "", "", " 6"}}, 1));
    write_file(in_program_folder("todo.ini"),
               "\r\n\r\n 0\r\n 0\r\n" + in_program_folder("todo.dat") +
                   "\r\n 0  0 ToDo: \r\nyes\r\nno\r\n" + in_program_folder("ToDoMessage.txt") +
                   "\r\nno\r\n\r\nan old twelfth line the next save leaves out\r\n");
    write_file(in_program_folder("ToDoMessage.txt"), "old message\r\n");
    write_file(in_current_folder("AddFile.txt"), "");
    start();
    const std::string old_settings = read_file(in_program_folder("todo.ini"));
    driver.clear_records();  // no weights.ini yet: said at the start, and nothing to do with this
    driver.fail_file_step(FileStep::Create, 1, EACCES, true);

    add("Order the inverter");
    tick();
    for (const auto& shown : driver.messages())
        ADD_FAILURE() << shown.caption << ": " << shown.text;
    EXPECT_NE(read_file(in_program_folder("todo.ini")), old_settings);
    EXPECT_EQ(read_file(in_program_folder("ToDoMessage.txt")),
              "ToDo:  " + text(ID_MESSAGE_LINE) + "\r\n");
    choose_tool(CMD_CLEAR_ALL);
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(shown("Error!").empty());
    choose_tool(CMD_FINNISHED);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].caption, "Question...Clear All...");
    for (const auto& entry : std::filesystem::directory_iterator(program_folder))
        EXPECT_EQ(entry.path().filename().string().find(".~"), std::string::npos);

    driver.stop_failing_files();
    start_again();
    ASSERT_EQ(column(ID_TEXT_COLUMN).size(), 1u);
    EXPECT_NE(column(ID_TEXT_COLUMN)[0].find("ZaZu R008a"), std::string::npos) << "the about entry";
}

}  // namespace
}  // namespace todo::testing
