#include "alarm_answers.h"

#include <algorithm>
#include <map>

namespace todo {

namespace {

constexpr common::Instant ALARM_SECONDS = 2 * 60;
constexpr common::Instant KEPT_FOR = 2 * 24 * 60 * 60;
constexpr std::size_t NUMBERS_KEPT = 200;

struct Snooze {
    std::string date, time, text;
    common::Instant due = 0;
    std::optional<common::Instant> rings_until;  // from its first ring
};

struct Answers {
    long last_number = 0;
    std::vector<AlarmOfEntry> ringing;
    std::map<long, AlarmOfEntry> numbered;        // alarms that rang, for their notifications
    std::map<std::string, common::Instant> done;  // by key, when answered
    std::vector<Snooze> snoozes;
};
Answers answers;

bool same_entry(const Snooze& snooze, const AlarmOfEntry& alarm) {
    return snooze.date == alarm.date && snooze.time == alarm.time && snooze.text == alarm.text;
}

std::string key_of(const Snooze& snooze) {
    return "snooze\x1f" + std::to_string(snooze.due) + '\x1f' + snooze.date + '\x1f' + snooze.time +
           '\x1f' + snooze.text;
}

std::vector<AlarmOfEntry> answered(long number) {
    if (number == 0) return answers.ringing;
    const auto found = answers.numbered.find(number);
    if (found == answers.numbered.end()) return {};
    return {found->second};
}

void forget_old(common::Instant now) {
    std::erase_if(answers.done, [now](const auto& done) { return done.second < now - KEPT_FOR; });
    while (answers.numbered.size() > NUMBERS_KEPT) answers.numbered.erase(answers.numbered.begin());
}

}  // namespace

void begin_ringing() {
    answers.ringing.clear();
}

void ring(const AlarmOfEntry& alarm) {
    answers.ringing.push_back(alarm);
}

long number_for_answers(const AlarmOfEntry& alarm) {
    answers.numbered[++answers.last_number] = alarm;
    return answers.last_number;
}

const std::vector<AlarmOfEntry>& ringing() {
    return answers.ringing;
}

bool is_done(const std::string& key) {
    return answers.done.count(key) != 0;
}

bool any_snoozes() {
    return !answers.snoozes.empty();
}

std::optional<SnoozedRing> snoozed_ring(const std::string& date, const std::string& time,
                                        const std::string& text, common::Instant now) {
    for (auto snooze = answers.snoozes.begin(); snooze != answers.snoozes.end(); ++snooze) {
        if (snooze->date != date || snooze->time != time || snooze->text != text) continue;
        if (now < snooze->due) return std::nullopt;
        if (!snooze->rings_until)
            snooze->rings_until = std::max(snooze->due + ALARM_SECONDS, now + 1);
        const std::string key = key_of(*snooze);
        if (now >= *snooze->rings_until || is_done(key)) {
            answers.snoozes.erase(snooze);
            return std::nullopt;
        }
        return SnoozedRing{key, snooze->due};
    }
    return std::nullopt;
}

void answer_alarm(int command, long number, common::Instant now) {
    if (command != CMD_DONE && command != CMD_SNOOZE) return;
    for (const AlarmOfEntry& alarm : answered(number)) {
        answers.done[alarm.key] = now;
        std::erase_if(answers.snoozes,
                      [&alarm](const Snooze& snooze) { return same_entry(snooze, alarm); });
        if (command == CMD_SNOOZE) {
            answers.snoozes.push_back(
                {alarm.date, alarm.time, alarm.text, now + SNOOZE_SECONDS, {}});
        }
    }
    forget_old(now);
}

void forget_alarm_answers() {
    answers = Answers{};
}

}  // namespace todo
