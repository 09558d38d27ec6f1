#include "reminder_rules.h"

#include "common/clock.h"
#include "common/text.h"

namespace todo {

namespace {

bool contains(const std::string& lowered_text, const std::string& lowered_part) {
    return common::find_text(lowered_text, lowered_part) > 0;
}

}  // namespace

Moment moment_now() {
    Moment now;
    now.date = common::date_text("dd'-'MM'-'yyyy");
    now.day = common::date_text("dd");
    now.day_name = common::lower_text(common::date_text("ddd"));
    now.month_name = common::lower_text(common::date_text("MMM"));
    const std::string time = common::time_text();
    now.hour = static_cast<int>(common::text_integer(common::left_text(time, 2)));
    now.minute = static_cast<int>(common::text_integer(common::mid_text(time, 4, 2)));
    return now;
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

Classification classify_time_today(const std::string& time, const Moment& now) {
    Classification result;
    const long hour = common::text_integer(common::left_text(time, 2));
    if (hour < now.hour) {
        result.timing = Timing::EarlierToday;
    } else if (hour > now.hour) {
        result.timing = Timing::LaterToday;
    } else {
        const long minute = common::text_integer(common::mid_text(time, 4, 2));
        result.minutes_past = static_cast<int>(now.minute - minute);
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
