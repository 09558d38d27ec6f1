// What Add and Change take into the list: only reminders that can ring. Dates no calendar has and
// times no clock shows are refused with a message that names what is wrong, and nothing is
// added or changed; the four date forms are taken, written in full; a reminder already past is
// added only when the user says so; the date and time fields follow the clock until touched.
#include <gtest/gtest.h>

#include "common/services.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using Texts = std::vector<std::string>;

class EntryChecks : public TodoFixture {
protected:
    void start_with(const std::vector<Entry>& list = {}) {
        start_on(list);
        driver.clear_records();  // "Unable to load NN INI file": there is no weights.ini here
    }
    void fields(const std::string& day, const std::string& month, const std::string& third,
                const std::string& hours = "10", const std::string& minutes = "00") {
        type(ID_DAY_FIELD, day);
        type(ID_MONTH_FIELD, month);
        type(ID_THIRD_FIELD, third);
        type(ID_HOURS_FIELD, hours);
        type(ID_MINUTES_FIELD, minutes);
    }
    void add(const std::string& text) {
        type(ID_ENTRY_EDIT, text);
        click(ID_ADD);
    }
    std::string database() { return read_file(in_program_folder("todo.dat")); }
};

Entry stored(const std::string& text, const std::string& date, const std::string& time,
             const std::string& priority = " 1") {
    return {text, priority, "01-03-2026", date, time, " 6"};
}

TEST_F(EntryChecks, ImpossibleDatesAndTimesAreRefusedNamingWhatIsWrong) {
    struct Case {
        Texts fields;  // day, month, third, hours, minutes
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"31", "04", "2027", "10", "00"}, "There is no 31 April"},
        {{"29", "02", "2027", "10", "00"}, "There is no 29 February in 2027"},
        {{"31", "", "Apr", "10", "00"}, "There is no 31 April"},
        {{"30", "", "Feb", "10", "00"}, "There is no 30 February"},
        {{"12", "13", "2027", "10", "00"}, "There is no month 13"},
        {{"00", "05", "2027", "10", "00"}, "There is no day 0"},
        {{"12", "05", "20270", "10", "00"}, "The year 20270 is not one of 1900 to 2099"},
        {{"12", "05", "1899", "10", "00"}, "The year 1899 is not one of 1900 to 2099"},
        {{"12", "05", "2027", "25", "77"}, "The hours must be a number from 00 to 23, not \"25\""},
        {{"12", "05", "2027", "23", "60"},
         "The minutes must be a number from 00 to 59, not \"60\""},
        {{"12", "05", "2027", "9a", "00"}, "The hours must be a number from 00 to 23, not \"9a\""},
        {{"x", "05", "2027", "10", "00"}, "The day must be a number from 1 to 31"},
        {{"", "05", "2027", "10", "00"}, "A date with a year needs its day and its month"},
        {{"12", "05", "", "10", "00"}, "The date needs a year, a day name or a month name"},
        {{"12", "05", "Tues", "10", "00"}, "\"Tues\" is not a year, a day name"},
        {{"--", "ue", "", "10", "00"}, "The date needs a year, a day name or a month name"},
        {{"10", "03", "Tue", "10", "00"}, "A day name goes with an empty day and month: --Tue"},
        {{"08", "12", "Dec", "10", "00"}, "A month name goes with a day and an empty month"},
    };
    start_with({stored("Ring Bob", "12-03-2026", "10:00")});
    const std::string before = database();
    for (const Case& c : cases) {
        driver.clear_records();
        fields(c.fields[0], c.fields[1], c.fields[2], c.fields[3], c.fields[4]);
        add("Never rings");
        ASSERT_EQ(driver.messages().size(), 1u) << c.says;
        EXPECT_EQ(driver.messages()[0].caption, "Message...Add...");
        EXPECT_EQ(driver.messages()[0].text.rfind(c.says, 0), 0u) << driver.messages()[0].text;
        EXPECT_NE(driver.messages()[0].text.find("the entry is not added"), std::string::npos);
        EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Ring Bob"}) << c.says;
    }
    EXPECT_EQ(database(), before);
    EXPECT_FALSE(exists(in_current_folder("AddFile.txt")));
}

TEST_F(EntryChecks, TheFourFormsAreTakenWithTheirFieldsWrittenInFull) {
    start_with();
    fields("8", "3", "2027", "9", "5");
    add("Exact");
    click(ID_DAY_BUTTON);  // today's day name: --Tue
    add("Weekly");
    type(ID_THIRD_FIELD, "Day");
    add("Daily");
    fields("8", "", "dec", "07", "30");
    add("Yearly");
    EXPECT_TRUE(driver.messages().empty());
    fields("29", "", "Feb", "07", "30");
    add("Leap day");
    EXPECT_EQ(shown("Message...Add..."), Texts{"29--Feb rings in leap years only"});
    EXPECT_EQ(column(ID_DATE_COLUMN),
              (Texts{"08-03-2027", "--Tue", "--Day", "08--dec", "29--Feb"}));
    EXPECT_EQ(column(ID_TIME_COLUMN)[0], "09:05");
    start_again();
    EXPECT_EQ(column(ID_DATE_COLUMN).size(), 5u) << "saved";
}

TEST_F(EntryChecks, ReminderAlreadyPastIsAddedOnlyWhenTheUserSaysSo) {
    start_with();  // Tuesday 10 March 2026, 09:30
    fields("10", "03", "2026", "09", "00");
    driver.answer_message_box(common::IDNO);
    add("Too late");
    ASSERT_EQ(shown("Question...Add...").size(), 1u);
    EXPECT_EQ(shown("Question...Add...")[0],
              "The reminder 10-03-2026 09:00 has already passed \r\n it will never ring \r\n add "
              "it all the same?");
    EXPECT_TRUE(column(ID_TEXT_COLUMN).empty());
    driver.answer_message_box(common::IDYES);
    add("For the record");
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"For the record"});
    // Its minute has begun but its alarm is still to ring: no question.
    driver.clear_records();
    fields("10", "03", "2026", "09", "29");
    add("Just now");
    fields("09", "03", "2027", "09", "00");
    add("Next year");
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 3u);
}

TEST_F(EntryChecks, BlankTextIsRefusedLikeAnEmptyOne) {
    start_with({stored("Ring Bob", "12-03-2026", "10:00")});
    add("   ");
    add("\t ");
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Ring Bob"});
    select_row(ID_TEXT_COLUMN, 0);
    type(ID_ENTRY_EDIT, "   ");
    click(ID_CHANGE_SELECTED);
    EXPECT_EQ(column(ID_TEXT_COLUMN), Texts{"Ring Bob"});
    EXPECT_TRUE(driver.messages().empty());
}

// A program left running past midnight adds today's reminders for today.
TEST_F(EntryChecks, DateAndTimeFieldsFollowTheClockUntilTouched) {
    driver.set_clock(2026, 3, 10, 23, 58, 0);
    start_with();
    driver.set_clock(2026, 3, 11, 0, 1, 30);
    tick();
    EXPECT_EQ(text(ID_DAY_FIELD) + "-" + text(ID_MONTH_FIELD) + "-" + text(ID_THIRD_FIELD),
              "11-03-2026");
    EXPECT_EQ(text(ID_HOURS_FIELD) + ":" + text(ID_MINUTES_FIELD), "00:01");
    type(ID_HOURS_FIELD, "17");
    type(ID_MINUTES_FIELD, "45");
    driver.set_clock(2026, 3, 11, 0, 9, 0);
    tick();
    EXPECT_EQ(text(ID_HOURS_FIELD) + ":" + text(ID_MINUTES_FIELD), "17:45") << "touched";
    EXPECT_EQ(text(ID_MINUTES_FIELD), "45");
    add("Call the roofer");
    EXPECT_EQ(entries().back().date, "11-03-2026");
    EXPECT_EQ(entries().back().time, "17:45");
    click(ID_MONTH_BUTTON);  // the date is touched now too
    driver.set_clock(2026, 3, 12, 0, 0, 0);
    tick();
    EXPECT_EQ(text(ID_THIRD_FIELD), "Mar");
    click(ID_NOW_BUTTON);  // "R": the time follows the clock again
    driver.set_clock(2026, 3, 12, 0, 20, 0);
    tick();
    EXPECT_EQ(text(ID_HOURS_FIELD) + ":" + text(ID_MINUTES_FIELD), "00:20");
}

// Choosing a row copies its date into the fields in its own form, so the date's "Change" gives
// the same date back; dates stored long ago that no calendar has still load and show as they are.
TEST_F(EntryChecks, RowDatesCopyBackInTheirOwnForm) {
    start_with({stored("Weekly", "--Tue", "10:00"), stored("Yearly", "08--Dec", "10:00"),
                stored("Exact", "24-12-2026", "10:00"), stored("Daily", "--Day", "10:00"),
                stored("Stored long ago", "31-04-2027", "25:77")});
    EXPECT_EQ(column(ID_DATE_COLUMN)[4], "31-04-2027");
    EXPECT_EQ(column(ID_TIME_COLUMN)[4], "25:77");
    const Texts dates = column(ID_DATE_COLUMN);
    for (int row = 0; row < 4; ++row) {
        select_row(ID_DATE_COLUMN, row);
        click(ID_CHANGE_DATE);
        EXPECT_EQ(column(ID_DATE_COLUMN)[std::size_t(row)], dates[std::size_t(row)]);
    }
    select_row(ID_DATE_COLUMN, 0);
    EXPECT_EQ(text(ID_DAY_FIELD) + "|" + text(ID_MONTH_FIELD) + "|" + text(ID_THIRD_FIELD),
              "||Tue");
    select_row(ID_DATE_COLUMN, 1);
    EXPECT_EQ(text(ID_DAY_FIELD) + "|" + text(ID_MONTH_FIELD) + "|" + text(ID_THIRD_FIELD),
              "08||Dec");
    EXPECT_TRUE(driver.messages().empty());
    // The stored date is refused only when the user tries to set it again.
    select_row(ID_DATE_COLUMN, 4);
    click(ID_CHANGE_DATE);
    EXPECT_EQ(shown("Message...Change..."),
              Texts{"There is no 31 April \r\n the date is not changed"});
    select_row(ID_TIME_COLUMN, 4);
    click(ID_CHANGE_TIME);
    EXPECT_EQ(shown("Message...Change...").size(), 2u);
    EXPECT_EQ(column(ID_TIME_COLUMN)[4], "25:77");
}

TEST_F(EntryChecks, ClearAllAsksFirst) {
    start_with(
        {stored("Ring Bob", "12-03-2026", "10:00"), stored("Pay VAT", "12-03-2026", "11:00")});
    const std::string before = database();
    driver.answer_message_box(common::IDNO);
    choose_tool(CMD_CLEAR_ALL);
    ASSERT_EQ(shown("Question...Clear All...").size(), 1u);
    EXPECT_EQ(shown("Question...Clear All...")[0],
              "Clear everything in the list? \r\n all 2 entries are removed from the list and the "
              "data base");
    EXPECT_EQ(column(ID_TEXT_COLUMN), (Texts{"Ring Bob", "Pay VAT"}));
    EXPECT_EQ(database(), before);
    driver.answer_message_box(common::IDYES);
    choose_tool(CMD_CLEAR_ALL);
    EXPECT_EQ(column(ID_TEXT_COLUMN).size(), 1u) << "only the about entry";
}

// Delete then Add used to give two entries the same, lowest, priority.
TEST_F(EntryChecks, NewEntryTakesOneMoreThanTheHighestPriority) {
    start_with({stored("A", "12-03-2026", "10:00", " 1"), stored("B", "12-03-2026", "10:00", " 2"),
                stored("C", "12-03-2026", "10:00", " 3")});
    select_row(ID_TEXT_COLUMN, 0);
    choose_tool(CMD_DELETE);
    fields("12", "03", "2026");
    add("D");
    EXPECT_EQ(column(ID_PRIORITY_COLUMN), (Texts{" 2", " 3", " 4"}));
    EXPECT_EQ(read_file(in_current_folder("AddFile.txt")), "D 10-03-2026  4 12-03-2026 10:00 \r\n");
}

}  // namespace
}  // namespace todo::testing
