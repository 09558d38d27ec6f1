// "todo.ini" as lines: the eleven settings out and back in, line 6's numbers and prefix, short
// and odd files.
#include "settings_file.h"

#include <gtest/gtest.h>

namespace todo {
namespace {

Settings office_settings() {
    Settings s;
    s.program_path = "C:\\Windows\\system32\\ssmyst.scr";
    s.sound_path = "C:\\My Music\\bell.wav";
    s.run_program = 1;
    s.play_sound = 0;
    s.database_path = "C:\\ZaZu\\todo.dat";
    s.x = 120;
    s.y = 45;
    s.message_prefix = "ToDo: ";
    s.message_file_flag = "no";
    s.show_output_flag = "yes";
    s.message_file_path = "C:\\ZaZu\\ToDoMessage.txt";
    s.fine_tune_flag = "yes";
    s.message_input_path = "C:\\Kez\\question.txt";
    return s;
}

void expect_same(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.program_path, b.program_path);
    EXPECT_EQ(a.sound_path, b.sound_path);
    EXPECT_EQ(a.run_program, b.run_program);
    EXPECT_EQ(a.play_sound, b.play_sound);
    EXPECT_EQ(a.database_path, b.database_path);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.message_prefix, b.message_prefix);
    EXPECT_EQ(a.message_file_flag, b.message_file_flag);
    EXPECT_EQ(a.show_output_flag, b.show_output_flag);
    EXPECT_EQ(a.message_file_path, b.message_file_path);
    EXPECT_EQ(a.fine_tune_flag, b.fine_tune_flag);
    EXPECT_EQ(a.message_input_path, b.message_input_path);
}

TEST(SettingsFile, ElevenLinesInTheirOrderAndBack) {
    const std::vector<std::string> lines = settings_lines(office_settings());
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "C:\\Windows\\system32\\ssmyst.scr");
    EXPECT_EQ(lines[2], " 1");
    EXPECT_EQ(lines[3], " 0");
    EXPECT_EQ(lines[4], "C:\\ZaZu\\todo.dat");
    EXPECT_EQ(lines[5], " 120  45 ToDo: ");
    EXPECT_EQ(lines[6], "no");
    EXPECT_EQ(lines[9], "yes");
    EXPECT_EQ(lines[10], "C:\\Kez\\question.txt");

    Settings back;
    read_settings_lines(lines, back);
    expect_same(back, office_settings());
}

TEST(SettingsFile, PositionLineKeepsAPrefixThatLooksLikeANumber) {
    int x = 1, y = 1;
    std::string prefix;
    for (const char* written : {"7 up: ", "-5 ", "", " 12 ", "."}) {
        read_position_line(position_line(-30, 0, written), x, y, prefix);
        EXPECT_EQ(x, -30);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(prefix, written);
    }
    read_position_line("ToDo: ", x, y, prefix);
    EXPECT_EQ(x, 0) << "a line without numbers reads as 0, 0";
    EXPECT_EQ(y, 0);
    read_position_line(" 99999999999  2.6 P", x, y, prefix);
    EXPECT_EQ(x, INT32_MAX);
    EXPECT_EQ(y, 3);
    EXPECT_EQ(prefix, "P");
}

TEST(SettingsFile, ShortEmptyAndLongFiles) {
    Settings s = office_settings();
    read_settings_lines({"prog.exe", "bell.wav", " 1"}, s);
    EXPECT_EQ(s.program_path, "prog.exe");
    EXPECT_EQ(s.run_program, 1);
    EXPECT_EQ(s.play_sound, 0);
    EXPECT_EQ(s.database_path, "");
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.message_prefix, "");
    EXPECT_EQ(s.message_file_flag, "yes") << "an empty message-file flag means yes";
    EXPECT_EQ(s.show_output_flag, "no") << "an empty show-output flag means no";
    EXPECT_EQ(s.fine_tune_flag, "");
    EXPECT_EQ(s.message_input_path, "");

    std::vector<std::string> many(30, "zz");
    many[5] = std::string(600, '5');
    read_settings_lines(many, s);
    EXPECT_EQ(s.message_input_path, "zz") << "lines after the eleventh are ignored";
    EXPECT_EQ(s.x, INT32_MAX);
    EXPECT_EQ(s.run_program, 0);
    EXPECT_LE(s.message_prefix.size(), 254u);
    read_settings_lines({std::string(500, 'p')}, s);
    EXPECT_EQ(s.program_path.size(), 254u);
}

}  // namespace
}  // namespace todo
