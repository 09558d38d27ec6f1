// The alarm action and the "Alarm Action" dialog, with programs and sounds recorded.
#include "alarm.h"

#include <gtest/gtest.h>

#include "common/hooks.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo {
namespace {

class AlarmTest : public testing::TodoFixture {
protected:
    void SetUp() override {
        // Program starts and sounds in one sequence, so their order shows.
        common::layer_hooks().start_program = [this](const std::string& file,
                                                     const std::string& parameters) {
            actions.push_back("run " + file + "|" + parameters);
        };
        common::layer_hooks().sound = [this](const std::string& path, bool play) {
            actions.push_back((play ? "play " : "stop ") + path);
        };
    }
    common::Window& alarm() { return alarm_dialog; }
    void open_dialog() {
        start();
        choose_tool(CMD_ALARM_ACTION);
        ASSERT_TRUE(alarm().is_open());
    }
    std::string edit(int id) { return common::get_control_text(alarm(), id); }

    std::vector<std::string> actions;
};

TEST_F(AlarmTest, ActionRunsTheProgramFirstThenTheSound) {
    state.settings.program_path = "C:\\Windows\\alarm.scr";
    state.settings.sound_path = "C:\\My Sounds\\bell.wav";
    state.settings.run_program = 1;
    state.settings.play_sound = 1;
    state.sound_play = 0;
    alarm_action();
    EXPECT_EQ(actions, (std::vector<std::string>{"run C:\\Windows\\alarm.scr|",
                                                 "play C:\\My Sounds\\bell.wav"}));
    EXPECT_EQ(state.sound_play, 1);

    actions.clear();
    state.settings.run_program = 0;
    alarm_action();
    EXPECT_EQ(actions, std::vector<std::string>{"play C:\\My Sounds\\bell.wav"});
    actions.clear();
    state.settings.run_program = 1;
    state.settings.play_sound = 0;
    alarm_action();
    EXPECT_EQ(actions, std::vector<std::string>{"run C:\\Windows\\alarm.scr|"});
}

TEST_F(AlarmTest, DialogShowsTheSettingsAndOkTakesThemOver) {
    write_file(in_program_folder("todo.ini"),
               "go.exe\r\nbell.wav\r\n 1\r\n 0\r\n" + in_program_folder("todo.dat") +
                   "\r\n 0  0 ToDo: \r\nyes\r\nno\r\n\r\nno\r\n\r\n");
    open_dialog();
    EXPECT_EQ(common::get_check(alarm(), 2), 1);
    EXPECT_EQ(common::get_check(alarm(), 5), 0);
    EXPECT_EQ(edit(3), "go.exe");
    EXPECT_EQ(edit(6), "bell.wav");

    driver.check(alarm(), 2, false);
    driver.check(alarm(), 5, true);
    driver.type(alarm(), 3, "other.exe");
    driver.type(alarm(), 6, "gong.mp3");
    driver.click(alarm(), 8);
    EXPECT_FALSE(alarm().is_open());
    EXPECT_EQ(state.settings.run_program, 0);
    EXPECT_EQ(state.settings.play_sound, 1);
    EXPECT_EQ(state.settings.program_path, "other.exe");
    EXPECT_EQ(state.settings.sound_path, "gong.mp3");
    // Saved at once with the database.
    EXPECT_EQ(read_file(in_program_folder("todo.ini")).substr(0, 29),
              "other.exe\r\ngong.mp3\r\n 0\r\n 1\r\n");
}

TEST_F(AlarmTest, CancelAndCloseBoxTakeNothingOver) {
    open_dialog();
    driver.check(alarm(), 2, true);
    driver.type(alarm(), 3, "typed.exe");
    driver.click(alarm(), 9);
    EXPECT_FALSE(alarm().is_open());
    EXPECT_EQ(state.settings.run_program, 0);
    EXPECT_EQ(state.settings.program_path, "");

    choose_tool(CMD_ALARM_ACTION);
    driver.check(alarm(), 5, true);
    driver.close_box(alarm());
    EXPECT_FALSE(alarm().is_open());
    EXPECT_EQ(state.settings.play_sound, 0);
}

TEST_F(AlarmTest, BrowseTakesThePathAtOnceAndPlayUsesIt) {
    open_dialog();
    state.settings.sound_path = "old.wav";
    driver.answer_file_requester("/home/office/sounds/new bell.wav");
    driver.click(alarm(), 7);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Open Audio file");
    EXPECT_EQ(driver.requesters()[0].filter,
              "Mp3 Files (*.mp3)|*.mp3|Karaoke Files(*.kar)|*.kar|Midi files (*.mid)|*.mid|"
              "Wave Files(*.wav)|*.wav||");
    EXPECT_EQ(driver.requesters()[0].initial_folder, "C:\\");
    EXPECT_EQ(driver.requesters()[0].open, 1);
    EXPECT_EQ(edit(6), "/home/office/sounds/new bell.wav");

    driver.click(alarm(), 10);  // "P"
    driver.click(alarm(), 11);  // "S"
    EXPECT_EQ(actions,
              (std::vector<std::string>{"play /home/office/sounds/new bell.wav", "stop "}));
    EXPECT_EQ(state.sound_play, 0);

    // "Cancel" keeps what "Browse" took over.
    driver.click(alarm(), 9);
    EXPECT_EQ(state.settings.sound_path, "/home/office/sounds/new bell.wav");
}

TEST_F(AlarmTest, CancelledRequesterEmptiesThePath) {
    open_dialog();
    state.settings.program_path = "go.exe";
    driver.answer_file_requester("");
    driver.click(alarm(), 4);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Open file to run");
    EXPECT_EQ(driver.requesters()[0].filter,
              "All Files (*.*)|*.*|Program Files (*.exe)|*.exe|Screensaver Files (*.scr)|*.scr|");
    EXPECT_EQ(state.settings.program_path, "");
    EXPECT_EQ(edit(3), "");
}

}  // namespace
}  // namespace todo
