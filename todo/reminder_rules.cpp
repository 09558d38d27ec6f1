#include "reminder_rules.h"

#include <algorithm>

#include "common/clock.h"
#include "common/text.h"

namespace todo {

namespace {

bool contains(const std::string& lowered_text, const std::string& lowered_part) {
    return common::find_text(lowered_text, lowered_part) > 0;
}

}  // namespace

Moment moment_now() {
    return moment_at(common::clock_instant());
}

Moment moment_at(common::Instant instant) {
    Moment now;
    now.instant = instant;
    now.local = common::local_time_of(instant);
    now.date = common::date_text_of(now.local, "dd'-'MM'-'yyyy");
    now.day = common::date_text_of(now.local, "dd");
    now.day_name = common::lower_text(common::date_text_of(now.local, "ddd"));
    now.month_name = common::lower_text(common::date_text_of(now.local, "MMM"));
    now.hour = now.local.hour;
    now.minute = now.local.minute;
    now.windows = std::make_shared<DayWindows>(now.local);
    return now;
}

namespace {

constexpr common::Instant ALARM_MINUTES = 2 * 60;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The value of two characters of a time, as text_integer reads them; quickly for two digits,
// which is what the tick meets thousands of times.
long value_at(const std::string& time, std::size_t at) {
    if (time.size() >= at + 2 && is_digit(time[at]) && is_digit(time[at + 1])) {
        return (time[at] - '0') * 10 + (time[at + 1] - '0');
    }
    return common::text_integer(common::mid_text(time, long(at) + 1, 2));
}

long hour_of(const std::string& time) {
    return value_at(time, 0);
}

long minute_of(const std::string& time) {
    return value_at(time, 3);
}

}  // namespace

std::optional<AlarmWindow> alarm_window(const std::string& time, const common::ClockTime& day) {
    const long hour = hour_of(time);
    const long minute = minute_of(time);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    AlarmWindow window;
    window.start =
        common::instant_of_local({day.year, day.month, day.day, int(hour), int(minute), 0});
    const common::ClockTime shown = common::local_time_of(window.start);
    window.hour_start = window.start - shown.minute * 60 - shown.second;
    window.hour_end = window.hour_start + 3600;
    window.end = std::min(window.start + ALARM_MINUTES, window.hour_end);
    return window;
}

DayWindows::DayWindows(const common::ClockTime& day) : day_(day), windows_(24 * 60) {}

std::optional<AlarmWindow> DayWindows::of(const std::string& time) {
    const long hour = hour_of(time);
    const long minute = minute_of(time);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    std::optional<AlarmWindow>& window = windows_[std::size_t(hour * 60 + minute)];
    if (!window) window = alarm_window(time, day_);
    return window;
}

bool is_past(const std::string& date, const std::string& time, common::Instant now) {
    if (date.size() != 10 || date[2] != '-' || date[5] != '-') return false;
    const common::ClockTime day{int(common::text_integer(date.substr(6, 4))),
                                int(common::text_integer(date.substr(3, 2))),
                                int(common::text_integer(date.substr(0, 2)))};
    if (day.day < 1 || day.day > common::days_in_month(day.year, day.month)) return false;
    const std::optional<AlarmWindow> window = alarm_window(time, day);
    return window && window->end <= now;
}

bool is_exact_date(const std::string& date, const Moment& now) {
    return date == now.date;
}

bool is_day_name_date(const std::string& date, const Moment& now) {
    return contains(common::lower_text(date), now.day_name);
}

bool is_every_day_date(const std::string& date) {
    return contains(common::lower_text(date), "day");
}

bool is_day_and_month_date(const std::string& date, const Moment& now) {
    return contains(common::lower_text(date), now.month_name) &&
           common::left_text(date, 2) == now.day;
}

DateMatch match_date(const std::string& date, const Moment& now) {
    const std::string lowered = common::lower_text(date);
    const bool exact = is_exact_date(date, now);
    const bool day_name = contains(lowered, now.day_name);
    const bool day_and_month =
        contains(lowered, now.month_name) && date.compare(0, 2, now.day) == 0;
    DateMatch match;
    match.counted_forms = int(exact) + int(day_name) + int(day_and_month);
    match.today = exact || day_name || day_and_month || contains(lowered, "day");
    return match;
}

int counted_today_forms(const std::string& date, const Moment& now) {
    return match_date(date, now).counted_forms;
}

bool falls_on_today(const std::string& date, const Moment& now) {
    return match_date(date, now).today;
}

Classification classify_entry(const std::string& date, const std::string& time, const Moment& now) {
    if (!falls_on_today(date, now)) return Classification{};
    return classify_time_today(time, now);
}

namespace {

// A time no clock shows is read as the columns give it: its hour and minute against the clock's.
// It never alarms: its hour is never the clock's, or its minute never comes.
Classification classify_by_hour_and_minute(const std::string& time, const Moment& now) {
    Classification result;
    const long hour = hour_of(time);
    if (hour < now.hour) {
        result.timing = Timing::EarlierToday;
    } else if (hour > now.hour) {
        result.timing = Timing::LaterToday;
    } else {
        result.minutes_past = static_cast<int>(now.minute - minute_of(time));
        if (result.minutes_past < 0) {
            result.timing = Timing::ComingThisHour;
        } else if (result.minutes_past <= 1) {
            result.timing = Timing::Alarm;
        } else {
            result.timing = Timing::WithinHour;
        }
    }
    return result;
}

}  // namespace

// On an ordinary day this is the hour-and-minute comparison exactly: the hour the entry rings in
// is its own hour, and its window its minute and the next within it.
Classification classify_time_today(const std::string& time, const Moment& now) {
    Classification result;
    result.window = now.windows ? now.windows->of(time) : alarm_window(time, now.local);
    if (!result.window) return classify_by_hour_and_minute(time, now);
    const AlarmWindow& window = *result.window;
    const common::Instant at = now.instant;
    result.minutes_past = int((at - window.start) / 60);
    if (at < window.hour_start) {
        result.timing = Timing::LaterToday;
    } else if (at < window.start) {
        result.timing = Timing::ComingThisHour;
        result.minutes_past = -1;
    } else if (at < window.end) {
        result.timing = Timing::Alarm;
    } else if (at < window.hour_end) {
        result.timing = Timing::WithinHour;
    } else {
        result.timing = Timing::EarlierToday;
    }
    return result;
}

double code_value(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return 0;
    const bool negative = text[at] == '-';
    if (negative) ++at;
    const std::size_t digits = text.size() - at;
    if (digits == 0 || digits > 9) return common::text_number(text);
    long value = 0;
    for (std::size_t i = at; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return common::text_number(text);
        value = value * 10 + (text[i] - '0');
    }
    return double(negative ? -value : value);
}

bool is_priority_one(const std::string& priority) {
    return code_value(priority) == 1;
}

std::string status_after(const Classification& classification, const std::string& old_status,
                         const std::string& priority) {
    return status_of(classification, old_status, is_priority_one(priority));
}

std::string status_of(const Classification& classification, const std::string& old_status,
                      bool priority_one) {
    if (priority_one) return " 1";
    switch (classification.timing) {
        case Timing::NotToday:
            return old_status == " 6" ? " 6" : " 5";
        case Timing::EarlierToday:
            return " 4";
        case Timing::LaterToday:
            return " 3";
        case Timing::ComingThisHour:
            return old_status;
        case Timing::WithinHour:
            return " 2";
        case Timing::Alarm:
            return " 0";
    }
    return old_status;
}

std::string summary_text(int priority_one, int today, int old_active) {
    std::string summary;
    if (priority_one > 0) {
        summary += "Priority ONE reminders:" + common::number_text(priority_one) + ". ";
    }
    if (today > 0) summary += "Reminders today:" + common::number_text(today) + ". ";
    if (old_active > 0) {
        summary += "Active Old reminders:" + common::number_text(old_active) + ". ";
    }
    return common::field_text(summary);
}

std::string reminder_message_of(const std::string& summary) {
    return summary.empty() ? "No Reminder today." : summary;
}

std::string alarm_message(const std::string& entry_text) {
    return common::field_text("<< REMINDER ALARM >> " + entry_text + "  ");
}

std::string alarm_texts(const std::vector<std::string>& entry_texts) {
    std::string joined;
    for (const std::string& text : entry_texts) joined += (joined.empty() ? "" : "; ") + text;
    return common::field_text(joined);
}

std::string several_alarms_message(const std::vector<std::string>& entry_texts) {
    return common::field_text("<< THERE ARE" + common::number_text(double(entry_texts.size())) +
                              " REMINDER ALARMS >> " + alarm_texts(entry_texts) + "  ");
}

std::string within_hour_message(int minutes_past, const std::string& entry_text,
                                const std::string& summary) {
    return common::field_text("Reminder" + common::number_text(minutes_past) +
                              " minutes old: " + entry_text + "  " + summary);
}

std::string several_within_hour_message(int count_before, const std::string& summary) {
    return common::field_text("There are" + common::number_text(count_before + 1) +
                              " reminders within the hour. " + summary);
}

std::string past_alarms_message(int count, const std::string& entry_text, const std::string& when) {
    if (count == 1) {
        return common::field_text("<< REMINDER ALARM " + when + " >> " + entry_text + "  ");
    }
    if (count > 1) {
        return "<< THERE ARE" + common::number_text(count) + " REMINDER ALARMS " + when + " >> ";
    }
    return "";
}

std::string earlier_today_message(int count, const std::string& entry_text) {
    return past_alarms_message(count, entry_text, "FROM EARLIER TODAY");
}

}  // namespace todo
