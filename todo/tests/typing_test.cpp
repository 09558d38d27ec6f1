// The keyboard and the message-input file as the user meets them: Enter in the entry field adds
// the entry, the Delete key deletes the chosen row, and a line another program drops in UTF-8 is
// read as UTF-8 and kept in the office's Windows-1252.
#include <gtest/gtest.h>

#include <set>

#include "common/services.h"

#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using common::testing::VK_DELETE;
using common::testing::VK_RETURN;
using Texts = std::vector<std::string>;

class Typing : public TodoFixture {
protected:
    void start_with(const std::vector<Entry>& list) {
        start_on(list);
        driver.clear_records();
    }
    void press(int id, int key) { driver.press_key(dialog(), id, key); }
    // Drops a line into the message-input file and lets a tick take it.
    std::string dropped(const std::string& bytes) {
        state.settings.message_input_path = in_current_folder("question.txt");
        write_file(in_current_folder("question.txt"), bytes + "\r\n");
        tick();
        return column(ID_TEXT_COLUMN).back();
    }
};

Entry stored(const std::string& text) {
    return {text, " 1", "01-03-2026", "12-03-2026", "10:00", " 6"};
}

TEST_F(Typing, EnterInTheEntryFieldAddsAsAddDoes) {
    start_with({stored("Ring Bob")});
    type(ID_ENTRY_EDIT, "Order the inverter");
    press(ID_ENTRY_EDIT, VK_RETURN);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Ring Bob", "Order the inverter"}));
    EXPECT_EQ(read_file(in_program_folder("todo.dat")).size(), 3u * 1036) << "saved at once";
    EXPECT_EQ(read_file(in_current_folder("AddFile.txt")),
              "Order the inverter 10-03-2026  2 10-03-2026 09:30 \r\n");
    // Enter elsewhere adds nothing; an empty entry field neither.
    press(ID_HOURS_FIELD, VK_RETURN);
    type(ID_ENTRY_EDIT, "");
    press(ID_ENTRY_EDIT, VK_RETURN);
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 2u);
    EXPECT_TRUE(main_dialog.is_open());
}

TEST_F(Typing, DeleteKeyOnAChosenRowDeletesItAsDeleteDoes) {
    start_with({stored("e1"), stored("e2"), stored("e3"), stored("e4")});
    press(ID_TEXT_COLUMN, VK_DELETE);  // nothing chosen: nothing goes
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 4u);
    select_row(ID_TEXT_COLUMN, 1);
    press(ID_TEXT_COLUMN, VK_DELETE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3", "e4"}));
    EXPECT_EQ(column(ID_DATE_COLUMN).size(), 3u);
    select_row(ID_TIME_COLUMN, 2);
    press(ID_TIME_COLUMN, VK_DELETE);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3"}));
    EXPECT_EQ(column(ID_STATUS_COLUMN).size(), 2u);
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e3"})) << "saved as Delete saves";
}

TEST_F(Typing, DroppedUtf8LineIsReadAsUtf8AndKeptInWindows1252) {
    start_with({stored("Ring Bob")});
    EXPECT_EQ(dropped("Caf\xC3\xA9 on the corner"), "Caf\xE9 on the corner");
    EXPECT_EQ(dropped("\xE2\x82\xAC"
                      "50 off the 4 kW kit \xE2\x80\x93 ask Zo\xC3\xAB"),
              "\x80"
              "50 off the 4 kW kit \x96 ask Zo\xEB");
    // Letters Windows-1252 has no place for are kept as their plain letter, anything else as "?".
    EXPECT_EQ(dropped("Zadzwo\xC5\x84 do \xC5\x81ukasza \xE2\x98\x8E"), "Zadzwon do Lukasza ?");
    // A line that is not UTF-8 is the office's own text, byte for byte.
    EXPECT_EQ(dropped("Caf\xE9 \xA3"
                      "5"),
              "Caf\xE9 \xA3"
              "5");
    EXPECT_EQ(dropped("plain ASCII"), "plain ASCII");
    start_again();
    EXPECT_EQ(column(ID_TEXT_COLUMN)[1], "Caf\xE9 on the corner") << "stored in Windows-1252";
    const std::string database = read_file(in_program_folder("todo.dat"));
    EXPECT_NE(database.find("Caf\xE9 on the corner"), std::string::npos);
}

TEST_F(Typing, EveryToolBarCommandIsReachedByTabAndPressedBySpace) {
    start_with({stored("e1"), stored("e2")});
    common::set_focus(dialog(), ID_ENTRY_EDIT);
    std::set<int> reached;
    for (int press = 0; press < 80; ++press) {
        driver.press_keys(dialog(), "Tab");
        if (int tool = driver.focused_tool(dialog(), ID_TOOL_BAR); tool != 0) reached.insert(tool);
    }
    EXPECT_EQ(reached, (std::set<int>{CMD_FINNISHED, CMD_CANCEL, CMD_DELETE, CMD_CLEAR_ALL,
                                      CMD_REFRESH, CMD_SEND_TO_LOG, CMD_OPEN_LOG,
                                      CMD_ALARM_ACTION, CMD_DATA_BASE, CMD_PRIORITY,
                                      CMD_NN_WEIGHTS}));
    // Space on "Clear All" asks its question; answered No, the list stays.
    while (driver.focused_tool(dialog(), ID_TOOL_BAR) != CMD_CLEAR_ALL)
        driver.press_keys(dialog(), "Tab");
    driver.answer_message_box(common::IDNO);
    driver.press_keys(dialog(), "Space");
    EXPECT_EQ(shown("Question...Clear All...").size(), 1u);
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"e1", "e2"}));
}

}  // namespace
}  // namespace todo::testing
