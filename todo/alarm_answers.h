// The user's answers to an alarm, from its notification or the panel icon's menu: "Done" ends the
// alarm's window as if it had been dealt with, "Snooze 10 minutes" ends it too and rings the entry
// once more ten minutes on. Neither touches the list or the database, so both serve recurring
// entries as well as exact ones. The answers last while the program runs, reloads included.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"

namespace todo {

// The answers' commands (not tool-bar commands: ids of their own).
inline constexpr int CMD_DONE = 81;
inline constexpr int CMD_SNOOZE = 82;
inline constexpr common::Instant SNOOZE_SECONDS = 10 * 60;

// One alarm as the user may answer it: the window (or snoozed ring) it belongs to, and the entry
// as its columns show it.
struct AlarmOfEntry {
    std::string key;
    std::string date, time, text;
};

// ---- For the tick ----------------------------------------------------------------------------
// A tick begins: nothing rings yet.
void begin_ringing();
// The alarm rings on this tick.
void ring(const AlarmOfEntry& alarm);
// The alarm's number, which its notification's answers carry.
long number_for_answers(const AlarmOfEntry& alarm);
// What rang on the last tick.
const std::vector<AlarmOfEntry>& ringing();
// Whether the user answered this window (or snoozed ring) already.
bool is_done(const std::string& key);

// A snoozed entry ringing again: its ring's key and when it fell due. It rings from the first
// tick at or after its time, for two minutes and at least that tick.
struct SnoozedRing {
    std::string key;
    common::Instant due = 0;
};
bool any_snoozes();
std::optional<SnoozedRing> snoozed_ring(const std::string& date, const std::string& time,
                                        const std::string& text, common::Instant now);

// ---- The user's answers ----------------------------------------------------------------------
// CMD_DONE or CMD_SNOOZE. `number` 0 answers every alarm that rang on the last tick (the panel
// menu); any other the alarm of that number (its notification).
void answer_alarm(int command, long number, common::Instant now);

// A new run of the program knows of no answers (tests start one in each test).
void forget_alarm_answers();

}  // namespace todo
