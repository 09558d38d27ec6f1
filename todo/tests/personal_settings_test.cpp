// In an office folder several people share, each keeps their own window position, alarm program
// and sound, flags and check boxes, and their own dated backups; the data base and message files
// stay the office's. A portable folder keeps "todo.ini" beside the programs.
#include "personal_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "common/file_lock.h"
#include "common/hooks.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

namespace fs = std::filesystem;

class PersonalSettings : public TodoFixture {
protected:
    PersonalSettings() : config_home(program_folder + "home-config") {
        setenv("XDG_CONFIG_HOME", config_home.c_str(), 1);
        common::layer_hooks().office_folder = true;
    }
    ~PersonalSettings() override {
        common::layer_hooks().office_folder = false;
        unsetenv("XDG_CONFIG_HOME");
    }
    std::string own(const std::string& name) { return config_home + "/kez-office/" + name; }
    // The office's todo.ini: its alarm program and position, its data base and message files.
    std::string office_settings() {
        return "office.exe\r\noffice.wav\r\n 1\r\n 1\r\n" + program_folder +
               "office.dat\r\n 300  200 Office: \r\nyes\r\nno\r\n" + program_folder +
               "office-message.txt\r\nno\r\n" + program_folder + "office-input.txt\r\n";
    }
    std::string config_home;
};

TEST_F(PersonalSettings, AFirstStartSeedsTheOwnSettingsAndTheOfficeFileStaysTheOffices) {
    write_file(in_program_folder("todo.ini"), office_settings());
    start();
    EXPECT_EQ(state.settings.program_path, "office.exe") << "seeded from the office";
    EXPECT_EQ(state.settings.database_path, program_folder + "office.dat");
    EXPECT_EQ(read_file(own("todo.ini")), office_settings());
    // This person's choices go to their own file only.
    driver.check(dialog(), ID_MESSAGE_FILE_CHECK, false);
    state.settings.program_path = "mine.exe";
    type(ID_ENTRY_EDIT, "An entry");
    click(ID_ADD);
    EXPECT_EQ(read_file(in_program_folder("todo.ini")), office_settings());
    const std::string mine = read_file(own("todo.ini"));
    EXPECT_EQ(
        mine.rfind("mine.exe\r\noffice.wav\r\n 1\r\n 1\r\n" + program_folder + "office.dat\r\n", 0),
        0u)
        << mine;
    EXPECT_NE(mine.find("\r\nno\r\nno\r\n" + program_folder + "office-message.txt\r\n"),
              std::string::npos)
        << "the check box is this person's";
    // What the office changes later reaches everyone: its data base and message files.
    write_file(in_program_folder("todo.ini"),
               "x\r\ny\r\n 0\r\n 0\r\n" + program_folder + "moved.dat\r\n 0  0 Moved: \r\n" +
                   "yes\r\nyes\r\n" + program_folder + "moved-message.txt\r\nno\r\n\r\n");
    start_again();
    EXPECT_EQ(state.settings.program_path, "mine.exe");
    EXPECT_EQ(state.settings.database_path, program_folder + "moved.dat");
    EXPECT_EQ(state.settings.message_prefix, "Moved: ");
    EXPECT_EQ(state.settings.message_file_path, program_folder + "moved-message.txt");
    EXPECT_EQ(state.settings.message_input_path, "");
    EXPECT_EQ(common::get_check(dialog(), ID_MESSAGE_FILE_CHECK), 0);
}

TEST_F(PersonalSettings, ADataBaseOpenedByThePersonIsTheirsAlone) {
    write_file(in_program_folder("todo.ini"), office_settings());
    write_file(in_program_folder("mine.dat"), database_bytes({}, 0));
    start();
    driver.answer_file_requester(program_folder + "mine.dat");
    choose_tool(CMD_DATA_BASE);
    EXPECT_EQ(state.settings.database_path, program_folder + "mine.dat");
    EXPECT_EQ(read_file(in_program_folder("todo.ini")), office_settings());
    EXPECT_NE(read_file(own("todo.ini")).find("\r\n" + program_folder + "mine.dat\r\n"),
              std::string::npos);
    start_again();
    EXPECT_EQ(state.settings.database_path, program_folder + "mine.dat");
}

TEST_F(PersonalSettings, BackupsAreThisDesktopsAndDatedAndOnlyTheLastFewAreKept) {
    write_file(in_program_folder("todo.dat"),
               database_bytes({{"Ring Bob", " 1", "", "", "", " 6"}}, 1));
    fs::create_directories(own("backups"));
    const std::string lead = own("backups/todo-" + common::this_host() + "-");
    for (int day = 1; day <= 6; ++day)
        write_file(lead + "2026-02-0" + std::to_string(day) + ".bak", "old");
    write_file(own("backups/todo-otherdesk-2026-01-01.bak"), "theirs");
    start();
    EXPECT_EQ(read_file(lead + "2026-03-10.bak"), read_file(in_program_folder("todo.dat")));
    EXPECT_FALSE(exists(in_current_folder("todo.bak"))) << "no shared todo.bak";
    EXPECT_FALSE(exists(lead + "2026-02-02.bak"));
    EXPECT_TRUE(exists(lead + "2026-02-03.bak")) << "the last five are kept";
    EXPECT_TRUE(exists(own("backups/todo-otherdesk-2026-01-01.bak"))) << "another desktop's";
}

TEST_F(PersonalSettings, APortableFolderKeepsTodoIniBesideTheProgram) {
    common::layer_hooks().office_folder = false;
    write_file(in_program_folder("todo.dat"), database_bytes({}, 0));
    start();
    type(ID_ENTRY_EDIT, "An entry");
    click(ID_ADD);
    EXPECT_TRUE(exists(in_program_folder("todo.ini")));
    EXPECT_FALSE(exists(own("todo.ini")));
    EXPECT_TRUE(exists(in_current_folder("todo.bak")));
    EXPECT_FALSE(exists(own("backups")));
}

}  // namespace
}  // namespace todo::testing
