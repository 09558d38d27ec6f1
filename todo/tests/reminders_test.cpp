// The reminder evaluation driven as the timer drives it: the clock set, the timer fired, the
// columns, the message line, the message files and what the alarms started read back.
#include "reminders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/clock.h"
#include "common/hooks.h"
#include "state.h"
#include "todo_fixture.h"
#include "weights.h"

namespace todo {
namespace {

class RemindersTest : public testing::TodoFixture {
protected:
    // Starts the program on these entries (the clock stands at Tuesday 10 March 2026, 09:30)
    // with the message line showing the reminder message and every alarm starting a program.
    void start_with(const std::vector<Entry>& list) {
        write_file(in_program_folder("todo.dat"), database_bytes(list, int(list.size())));
        start();
        driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, false);
        state.settings.run_program = 1;
        state.settings.program_path = "alarm.exe";
    }
    void at(int hour, int minute, int second = 0) {
        driver.set_clock(2026, 3, 10, hour, minute, second);
    }
    std::vector<std::string> statuses() { return column(ID_STATUS_COLUMN); }
    std::string message_line() { return text(ID_MESSAGE_LINE); }
    int alarms_started() { return int(driver.started_programs().size()); }
    std::string message_file() { return read_file(in_program_folder("ToDoMessage.txt")); }
};

Entry entry(const std::string& text, const std::string& date, const std::string& time,
            const std::string& status, const std::string& priority = " 2") {
    return {text, priority, "01-03-2026", date, time, status};
}

TEST_F(RemindersTest, AlarmAtTenFiftyNineLastsOnlyThatMinute) {
    at(10, 58);
    start_with({entry("Ring Bob", "--Day", "10:59", " 6")});
    tick();
    EXPECT_EQ(statuses(), std::vector<std::string>{" 6"});  // its minute is still to come
    at(10, 59);
    tick();
    EXPECT_EQ(statuses(), std::vector<std::string>{" 0"});
    EXPECT_EQ(message_line(), "<< REMINDER ALARM >> Ring Bob  ");
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 0);
    at(11, 0);
    tick();
    EXPECT_EQ(statuses(), std::vector<std::string>{" 4"});
    EXPECT_EQ(message_line(), "No Reminder today.");
    EXPECT_EQ(alarms_started(), 1);
    EXPECT_EQ(common::timer_period(dialog(), REMINDER_TIMER), 3000);
}

TEST_F(RemindersTest, WithinTheHourCountsMinutesAndLaterKeepsItsStatus) {
    at(9, 50);
    start_with({entry("Order panels", "10-03-2026", "09:40", " 6"),
                entry("Quote Smith", "10-03-2026", "09:55", " 4"),
                entry("Invoice Jones", "10-03-2026", "09:45", " 6")});
    tick();
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 2", " 4", " 2"}));
    EXPECT_EQ(message_line(), "There are 2 reminders within the hour. Reminders today: 3. ");
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, true);
    tick();
    EXPECT_EQ(message_line(), "Reminders today            ");  // 300 beats 200
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 0: 200: 0: 300: 0" + std::string(18, ' '));
    EXPECT_EQ(alarms_started(), 0);

    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, false);
    common::list_delete(dialog(), ID_TEXT_COLUMN, 2);  // one within the hour is left
    for (int id : {ID_PRIORITY_COLUMN, ID_CREATED_COLUMN, ID_DATE_COLUMN, ID_TIME_COLUMN,
                   ID_STATUS_COLUMN}) {
        common::list_delete(dialog(), id, 2);
    }
    tick();
    EXPECT_EQ(message_line(), "Reminder 10 minutes old: Order panels  Reminders today: 2. ");
}

TEST_F(RemindersTest, PriorityOneShowsOneEvenWhileItsAlarmFires) {
    at(9, 30);
    start_with({entry("Pay VAT", "10-03-2026", "09:30", " 6", " 1"),
                entry("Old job", "01-01-2026", "08:00", " 5")});
    tick();
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 1", " 5"}));
    EXPECT_EQ(message_line(), "<< REMINDER ALARM >> Pay VAT  ");
    EXPECT_EQ(alarms_started(), 1);
    at(9, 35);
    tick();
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 1", " 5"}));
    EXPECT_EQ(message_line(),
              "Reminder 5 minutes old: Pay VAT  Priority ONE reminders: 1. Reminders today: 1. "
              "Active Old reminders: 1. ");
}

TEST_F(RemindersTest, EveryDayIsEvaluatedButNotCountedAndInactiveWaitsForItsDay) {
    at(9, 30);
    start_with({entry("Daily backup", "--Day", "08:00", " 6"),
                entry("Meeting", "10-03-2026", "11:00", " 6"),
                entry("Tuesday chores", "--Tue", "09:29", " 6"),
                entry("Wednesday chores", "--Wed", "09:29", " 6"),
                entry("Tomorrow", "11-03-2026", "09:00", " 6"),
                entry("Birthday", "10--Mar", "07:00", " 6"),
                entry("Next birthday", "11--Mar", "07:00", " 3")});
    tick();
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 4", " 3", " 0", " 6", " 6", " 4", " 5"}));
    tick();
    EXPECT_EQ(message_line(), "<< REMINDER ALARM >> Tuesday chores  ");
    at(9, 40);
    tick();
    // Three forms match today; "--Day" is not among them. Row 6 was " 5" as this tick began.
    EXPECT_EQ(message_line(),
              "Reminder 11 minutes old: Tuesday chores  Reminders today: 3. Active Old "
              "reminders: 1. ");
}

TEST_F(RemindersTest, EmptyListSaysNoReminder) {
    start_with({});
    tick();
    EXPECT_TRUE(statuses().empty());
    EXPECT_EQ(message_line(), "No Reminder today.");
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 0: 0: 0: 0: 0" + std::string(18, ' '));
    // No condition has ever won: the output falls back to the reminder message.
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, true);
    tick();
    EXPECT_EQ(winning_condition(), -1);
    EXPECT_EQ(message_line(), "No Reminder today.");
}

TEST_F(RemindersTest, EarlierTodayReportedOnceForOneEntry) {
    at(11, 0);
    start_with({entry("Old job", "01-01-2026", "08:00", " 5"),
                entry("Ring Bob", "10-03-2026", "09:00", " 6")});
    tick();
    EXPECT_EQ(message_line(), "<< REMINDER ALARM FROM EARLIER TODAY >> Ring Bob  ");
    EXPECT_EQ(common::list_get_selected(dialog(), ID_TEXT_COLUMN), 1);
    EXPECT_EQ(alarms_started(), 1);
    tick();
    EXPECT_EQ(message_line(), "Reminders today: 1. Active Old reminders: 1. ");
    EXPECT_EQ(alarms_started(), 1);
}

TEST_F(RemindersTest, EarlierTodayReportedOnceForSeveralAndAgainAfterRefresh) {
    at(11, 0);
    start_with({entry("Ring Bob", "10-03-2026", "09:00", " 6"),
                entry("Order panels", "--Tue", "10:15", " 6"),
                entry("Later", "10-03-2026", "12:00", " 6")});
    tick();
    EXPECT_EQ(message_line(), "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ");
    EXPECT_EQ(alarms_started(), 1);
    tick();
    EXPECT_EQ(message_line(), "Reminders today: 3. ");

    choose_tool(CMD_REFRESH);
    ASSERT_TRUE(end_and_maybe_reload());
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, false);
    tick();
    EXPECT_EQ(message_line(), "<< THERE ARE 2 REMINDER ALARMS FROM EARLIER TODAY >> ");
}

TEST_F(RemindersTest, EachEntryRunsItsAlarmActionOncePerWindow) {
    at(9, 30);
    start_with({entry("Ring Bob", "10-03-2026", "09:30", " 6"),
                entry("Ring Ann", "--Tue", "09:30", " 6")});
    std::vector<std::string> actions;
    // Program starts and sounds recorded in one sequence, to see their order.
    common::layer_hooks().start_program = [&](const std::string& file, const std::string&) {
        actions.push_back("run " + file);
    };
    common::layer_hooks().sound = [&](const std::string& path, bool play) {
        actions.push_back((play ? "play " : "stop ") + path);
    };
    state.settings.play_sound = 1;
    state.settings.sound_path = "bell.wav";
    tick();
    EXPECT_EQ(actions, (std::vector<std::string>{"run alarm.exe", "play bell.wav", "run alarm.exe",
                                                 "play bell.wav"}));
    EXPECT_EQ(message_line(), "<< THERE ARE 2 REMINDER ALARMS >> Ring Bob; Ring Ann  ");
    at(9, 30, 3);
    tick();
    at(9, 31, 40);
    tick();
    EXPECT_EQ(actions.size(), 4u);  // still in the window: nothing restarts
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 0", " 0"}));
    at(9, 32);
    tick();
    EXPECT_EQ(statuses(), (std::vector<std::string>{" 2", " 2"}));
    // Next Tuesday the day-name entry's window opens again.
    driver.set_clock(2026, 3, 17, 9, 30, 0);
    tick();
    EXPECT_EQ(actions.size(), 6u);
    // Its time changed by the user: a new window.
    state.last_alarmed = 0;
    common::list_delete(dialog(), ID_TIME_COLUMN, 1);
    common::list_insert(dialog(), ID_TIME_COLUMN, 1, "09:31");
    driver.set_clock(2026, 3, 17, 9, 31, 0);
    tick();
    EXPECT_EQ(actions.size(), 8u);
}

TEST_F(RemindersTest, StatusHighlightWalksTheWinningRowsOnePerTick) {
    at(9, 30);
    start_with(
        {entry("Old A", "01-01-2026", "08:00", " 5"), entry("Later", "10-03-2026", "12:00", " 6"),
         entry("Old B", "02-01-2026", "08:00", " 5"), entry("Old C", "03-01-2026", "08:00", " 5")});
    auto highlighted = [&] { return common::list_get_selected(dialog(), ID_STATUS_COLUMN); };
    tick();  // no winner yet
    EXPECT_EQ(highlighted(), -1);
    EXPECT_EQ(winning_condition(), 5);
    tick();
    EXPECT_EQ(highlighted(), 0);
    tick();
    EXPECT_EQ(highlighted(), 2);
    tick();
    EXPECT_EQ(highlighted(), 3);
    tick();
    EXPECT_EQ(highlighted(), 3);  // stays on the last one
    common::list_set_selected(dialog(), ID_STATUS_COLUMN, -1);
    tick();
    EXPECT_EQ(highlighted(), -1);
    tick();
    EXPECT_EQ(highlighted(), 0);  // and starts again from the top
    // "+/-" clears the highlight: the walk starts from the top, past the switched row.
    select_row(ID_TEXT_COLUMN, 2);
    click(ID_SWITCH_REMINDER);
    EXPECT_EQ(column(ID_STATUS_COLUMN)[2], " 6");
    tick();
    EXPECT_EQ(highlighted(), 0);
}

TEST_F(RemindersTest, MessageFileOffUnchangedAndChanged) {
    at(9, 30);
    start_with({entry("Old job", "01-01-2026", "08:00", " 5")});
    const std::string path = in_program_folder("ToDoMessage.txt");
    driver.check(dialog(), ID_MESSAGE_FILE_CHECK, false);
    tick();
    EXPECT_FALSE(exists(path));
    EXPECT_EQ(state.settings.message_file_flag, "no");

    driver.check(dialog(), ID_MESSAGE_FILE_CHECK, true);
    tick();
    EXPECT_EQ(message_file(), "ToDo:  Active Old reminders: 1. \r\n");
    EXPECT_EQ(state.settings.message_file_path, path);
    write_file(path, "changed by someone");
    tick();
    EXPECT_EQ(message_file(), "changed by someone");  // same line: not rewritten

    select_row(ID_STATUS_COLUMN, 0);
    click(ID_SWITCH_REMINDER);  // " 5" becomes " 6": nothing old is active any more
    tick();
    EXPECT_EQ(message_file(), "ToDo:  No Reminder today.\r\n");
}

TEST_F(RemindersTest, MessageFileNotWrittenIsTriedAgainNextTick) {
    start_with({});
    state.settings.message_file_path = in_current_folder("out/ToDoMessage.txt");
    tick();  // its folder is missing: nothing written, nothing half-written
    EXPECT_FALSE(exists(in_current_folder("out")));
    std::filesystem::create_directory(in_current_folder("out"));
    tick();  // the same line, but it never reached the file
    EXPECT_EQ(read_file(in_current_folder("out/ToDoMessage.txt")), "ToDo:  No Reminder today.\r\n");
}

TEST_F(RemindersTest, FineTunedMessageFileCarriesTheInputPathAndTheAlarm) {
    at(9, 30);
    start_with({entry("Ring Bob", "10-03-2026", "09:30", " 6")});
    state.settings.fine_tune_flag = "yes";
    state.settings.message_input_path = in_program_folder("question.txt");
    tick();
    EXPECT_EQ(message_file(), in_program_folder("question.txt") + "\r\nRing Bob\r\n");
}

TEST_F(RemindersTest, DroppedLineBecomesAnEntryAndEmptyLineIsDiscarded) {
    at(9, 30);
    start_with({entry("Old job", "01-01-2026", "08:00", " 5")});
    const std::string input = in_program_folder("question.txt");
    state.settings.message_input_path = input;
    tick();  // nothing waiting
    EXPECT_EQ(entries().size(), 1u);

    write_file(input, "\r\nnot this one\r\n");
    tick();
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_FALSE(exists(input));

    at(14, 7);
    write_file(input, "How much is a 4 kW array?\r\n");
    tick();
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[1], (Entry{"How much is a 4 kW array?", " 3", "10-03-2026", "10-03-2026",
                                   "14:07", " 6"}));
    EXPECT_FALSE(exists(input));
    EXPECT_FALSE(exists(input + ".taking"));
}

// A message-input file that may be read but not renamed is taken where it lies; one that cannot
// be deleted either is added once and reported once, not added again on every tick.
TEST_F(RemindersTest, InputFileThatCannotBeRenamedOrDeletedIsAddedOnce) {
    using common::testing::FileStep;
    at(9, 30);
    start_with({});
    const std::string input = in_program_folder("question.txt");
    state.settings.message_input_path = input;
    driver.fail_file_step(FileStep::Rename, 1, EACCES, true);
    write_file(input, "Call the roofer\r\n");
    tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN), std::vector<std::string>{"Call the roofer"});
    EXPECT_FALSE(exists(input));

    driver.fail_file_step(FileStep::Delete, 1, EACCES, true);
    write_file(input, "Order cable\r\n");
    tick();
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Cant delete message input file " + input);
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN), (std::vector<std::string>{"Call the roofer", "Order cable"}));
    EXPECT_NE(text(ID_MESSAGE_LINE), "Cant delete message input file " + input) << "said once";

    driver.stop_failing_files();
    tick();  // the stuck file can go now, and is not added again on its way out
    EXPECT_FALSE(exists(input));
    EXPECT_FALSE(exists(input + ".taking"));
    write_file(input, "Order cable\r\n");
    tick();
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 3u) << "the same line dropped again is a new entry";
}

}  // namespace
}  // namespace todo

namespace todo {
namespace {

// The job manager's help dialog pointed at the to-do program's files: its question file is the
// message-input file and its answer file the message file. The bytes are the job manager's:
// the code "*5820*", the question, CR LF; it reads the answer's first line and deletes the file.
TEST_F(RemindersTest, HelpQuestionFromTheJobManagerBecomesAnEntryAndGetsTheMessageLine) {
    at(9, 30);
    start_with({entry("Old job", "01-01-2026", "08:00", " 5")});
    state.settings.message_input_path = in_current_folder("question.txt");
    state.settings.message_file_path = in_current_folder("answer.txt");
    write_file(in_current_folder("question.txt"), "*5820*Is the Clark job paid?\r\n");
    tick();
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(entries()[1].text, "*5820*Is the Clark job paid?");
    EXPECT_FALSE(exists(in_current_folder("question.txt")));
    EXPECT_EQ(read_file(in_current_folder("answer.txt")), "ToDo:  Active Old reminders: 1. \r\n");
    // The job manager takes the answer away. The new entry is due now: within the minute its
    // alarm is the next answer.
    std::filesystem::remove(in_current_folder("answer.txt"));
    at(9, 31);
    tick();
    EXPECT_EQ(read_file(in_current_folder("answer.txt")),
              "ToDo:  << REMINDER ALARM >> *5820*Is the Clark job paid?  \r\n");
}

}  // namespace
}  // namespace todo
