// Reminders across the changes of the clocks, driven as the timer drives them: a tick every three
// seconds of elapsed time while the wall clock of the user's time zone jumps an hour forward in
// spring and back in autumn. Every reminder rings once, at the first moment its time is shown
// (or, for a time the clocks skip, the first moment after the gap), and a change of the clocks is
// never taken for a sleeping machine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo::testing {
namespace {

using common::Instant;

// What one tick left on the screen.
struct Seen {
    Instant at = 0;
    std::string wall_clock;  // "hh:mm:ss"
    std::vector<std::string> statuses;
    std::string message_line;
    int selected = -1;
};

class ClockChanges : public TodoFixture {
protected:
    void start_in(const std::string& zone, Instant at, const std::vector<Entry>& list) {
        driver.set_time_zone(zone);
        driver.set_clock_instant(at);
        now = at;
        start_on(list);
        state.settings.run_program = 1;
        state.settings.program_path = "alarm.sh";
    }
    static Instant utc(int year, int month, int day, int hour, int minute, int second = 0) {
        return common::utc_instant({year, month, day, hour, minute, second});
    }
    // Ticks every three seconds up to and including `until`, keeping what each tick showed.
    void tick_every_three_seconds_until(Instant until) {
        for (; now <= until; now += 3) {
            driver.set_clock_instant(now);
            tick();
            seen.push_back({now, common::time_text(), column(ID_STATUS_COLUMN),
                            text(ID_MESSAGE_LINE),
                            common::list_get_selected(dialog(), ID_TEXT_COLUMN)});
        }
    }
    const Seen& seen_at(Instant at) const {
        for (const Seen& one : seen) {
            if (one.at == at) return one;
        }
        ADD_FAILURE() << "no tick at " << at;
        return seen.front();
    }
    // The wall-clock times of the ticks at which a row showed this status.
    std::vector<std::string> times_showing(std::size_t row, const std::string& status) const {
        std::vector<std::string> times;
        for (const Seen& one : seen) {
            if (one.statuses.at(row) == status) times.push_back(one.wall_clock);
        }
        return times;
    }
    int ticks_whose_line_has(const std::string& part) const {
        int count = 0;
        for (const Seen& one : seen) count += one.message_line.find(part) != std::string::npos;
        return count;
    }
    int actions() const { return int(driver.started_programs().size()); }

    Instant now = 0;
    std::vector<Seen> seen;
};

Entry due(const std::string& text, const std::string& date, const std::string& time) {
    return {text, " 2", "01-03-2026", date, time, " 6"};
}

// 28 March 2027 in London: 01:00 GMT becomes 02:00 BST. An entry at 01:30 and an every-day
// entry at 01:45 are due in the hour that never comes: both ring at 02:00, together, once.
TEST_F(ClockChanges, SkippedHourRingsOnceJustAfterTheChangeAndIsNotTakenForASleep) {
    start_in("Europe/London", utc(2027, 3, 28, 0, 55, 1),
             {due("Call the roofer", "28-03-2027", "01:30"),
              due("Read the meter", "--Day", "01:45"), due("Order cable", "28-03-2027", "03:10")});
    tick_every_three_seconds_until(utc(2027, 3, 28, 2, 0, 3));

    const Seen& before = seen_at(utc(2027, 3, 28, 0, 59, 58));
    EXPECT_EQ(before.wall_clock, "00:59:58");
    EXPECT_EQ(before.statuses, (std::vector<std::string>{" 3", " 3", " 3"}));
    const Seen& after = seen_at(utc(2027, 3, 28, 1, 0, 1));
    EXPECT_EQ(after.wall_clock, "02:00:01");
    EXPECT_EQ(after.statuses, (std::vector<std::string>{" 0", " 0", " 3"}));
    EXPECT_EQ(after.message_line,
              "<< THERE ARE 2 REMINDER ALARMS >> Call the roofer; Read the meter  ");
    const std::vector<std::string> alarm_times = times_showing(0, " 0");
    ASSERT_FALSE(alarm_times.empty());
    EXPECT_EQ(alarm_times.front(), "02:00:01");
    EXPECT_EQ(alarm_times.back(), "02:01:58") << "its minute and the next";
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 1, 2, 1)).statuses[0], " 2");
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 2, 0, 1)).wall_clock, "03:00:01");
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 2, 0, 1)).statuses,
              (std::vector<std::string>{" 4", " 4", " 3"}));

    EXPECT_EQ(actions(), 2) << "each entry's alarm program once";
    ASSERT_EQ(driver.notifications().size(), 2u);
    EXPECT_EQ(driver.notifications()[0].text, "Call the roofer");
    EXPECT_EQ(driver.notifications()[1].text, "Read the meter");
    EXPECT_EQ(ticks_whose_line_has("MISSED"), 0) << "nobody was away";
    // The exact dates are counted all along, the every-day entry never.
    EXPECT_EQ(ticks_whose_line_has("Reminders today: 2."), int(seen.size()) - 40);

    // The next night the every-day entry rings at 01:45 as on any day.
    now = utc(2027, 3, 29, 0, 44, 57);
    tick_every_three_seconds_until(utc(2027, 3, 29, 0, 45, 3));
    EXPECT_EQ(seen.back().wall_clock, "01:45:03");
    EXPECT_EQ(seen.back().statuses[1], " 0");
    EXPECT_EQ(actions(), 3);
}

// 25 October 2026 in London: 02:00 BST becomes 01:00 GMT, so 01:30 comes twice. The entry rings
// at the first 01:30; at the second it is an hour past, and nothing about it moves.
TEST_F(ClockChanges, RepeatedHourRingsAtItsFirstPassOnly) {
    start_in(
        "Europe/London", utc(2026, 10, 25, 0, 28, 1),
        {due("Ring the bank", "25-10-2026", "01:30"), due("Quote Patel", "25-10-2026", "09:00")});
    tick_every_three_seconds_until(utc(2026, 10, 25, 0, 40));
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 0, 30, 1)).wall_clock, "01:30:01");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 0, 30, 1)).statuses[0], " 0");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 0, 30, 1)).message_line,
              "<< REMINDER ALARM >> Ring the bank  ");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 0, 30, 1)).selected, 0);
    select_row(ID_TEXT_COLUMN, 1);  // the user has dealt with it and looks at another entry
    const std::size_t first_pass = seen.size();

    tick_every_three_seconds_until(utc(2026, 10, 25, 1, 35));
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 1, 30, 1)).wall_clock, "01:30:01");
    for (std::size_t i = first_pass; i < seen.size(); ++i) {
        const Seen& one = seen[i];
        ASSERT_NE(one.statuses[0], " 0") << one.wall_clock;
        ASSERT_EQ(one.message_line.find("ALARM"), std::string::npos) << one.wall_clock;
        ASSERT_EQ(one.selected, 1) << one.wall_clock;
    }
    // An hour past its first pass, the entry is one of earlier today.
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 1, 0, 1)).wall_clock, "01:00:01");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 1, 0, 1)).statuses[0], " 4");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 1, 30, 1)).statuses[0], " 4");
    EXPECT_EQ(seen_at(utc(2026, 10, 25, 1, 30, 1)).message_line, "Reminders today: 2. ");
    EXPECT_EQ(actions(), 1);
    EXPECT_EQ(driver.notifications().size(), 1u);
    EXPECT_EQ(ticks_whose_line_has("MISSED"), 0);
}

// Where the clocks never change, the hour and minute decide exactly as they always have.
TEST_F(ClockChanges, ZoneWithoutDaylightSavingRingsByHourAndMinute) {
    // 09:28 in Tokyo on the day London's clocks go forward.
    start_in("Asia/Tokyo", utc(2027, 3, 28, 0, 28, 1),
             {due("Tokyo call", "--Day", "09:30"), due("Tokyo lunch", "28-03-2027", "12:00")});
    tick_every_three_seconds_until(utc(2027, 3, 28, 1, 0, 1));
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 0, 29, 58)).statuses[0], " 6");
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 0, 30, 1)).wall_clock, "09:30:01");
    const std::vector<std::string> alarm_times = times_showing(0, " 0");
    ASSERT_FALSE(alarm_times.empty());
    EXPECT_EQ(alarm_times.front(), "09:30:01");
    EXPECT_EQ(alarm_times.back(), "09:31:58");
    EXPECT_EQ(seen_at(utc(2027, 3, 28, 0, 45, 1)).message_line,
              "Reminder 15 minutes old: Tokyo call  Reminders today: 1. ");
    EXPECT_EQ(seen.back().wall_clock, "10:00:01");
    EXPECT_EQ(seen.back().statuses, (std::vector<std::string>{" 4", " 3"}));
    EXPECT_EQ(actions(), 1);
}

}  // namespace
}  // namespace todo::testing
