#include "missed_alarms.h"

#include <algorithm>

#include "common/text.h"

namespace todo {

namespace {

constexpr common::Instant DAY = 24 * 60 * 60;
constexpr int DAYS_LOOKED_BACK = 7;

// Days are counted on the calendar alone: the day number of a wall-clock date.
common::Instant day_number(const common::ClockTime& local) {
    return common::utc_instant({local.year, local.month, local.day, 0, 0, 0}) / DAY;
}

}  // namespace

Moment moment_of_day(int year, int month, int day) {
    return moment_at(common::instant_of_local({year, month, day, 0, 0, 0}));
}

std::vector<MissedAlarm> alarms_missed_between(const std::vector<std::string>& dates,
                                               const std::vector<std::string>& times,
                                               common::Instant last, common::Instant now) {
    std::vector<MissedAlarm> missed;
    if (now <= last) return missed;
    const common::Instant today = day_number(common::local_time_of(now));
    const common::Instant first_day =
        std::max(day_number(common::local_time_of(last)), today - DAYS_LOOKED_BACK);
    const std::size_t rows = std::min(dates.size(), times.size());
    std::vector<char> found(rows, 0);
    // The latest day first, so an entry due every day is reported for its last alarm only.
    for (common::Instant day = today; day >= first_day; --day) {
        const common::ClockTime date = common::utc_time_of(day * DAY);
        const Moment moment = moment_of_day(date.year, date.month, date.day);
        for (std::size_t row = 0; row < rows; ++row) {
            if (found[row] || !falls_on_today(dates[row], moment)) continue;
            const std::optional<AlarmWindow> window = moment.windows->of(times[row]);
            if (!window || window->start <= last || window->end > now) continue;
            found[row] = 1;
            missed.push_back({int(row), moment.date, window->start});
        }
    }
    std::sort(missed.begin(), missed.end(),
              [](const MissedAlarm& a, const MissedAlarm& b) { return a.row < b.row; });
    return missed;
}

std::string missed_message(int count, const std::string& entry_text) {
    return past_alarms_message(count, entry_text, "MISSED WHILE AWAY");
}

std::string missed_notification(const std::string& entry_text) {
    return common::field_text("Missed while away: " + entry_text);
}

}  // namespace todo
