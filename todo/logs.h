// The two append-only text files in the current folder: the log of finished entries
// ("ToDoLog.txt") and the note of added entries ("AddFile.txt").
#pragma once

#include <string>

namespace todo {

// Logs the text column's selected entry and removes it from the list (when it was chosen).
void send_to_log();
// Appends one line to "AddFile.txt".
void append_added_note(const std::string& line);

// The log line of an entry: created date, remind-me date, two spaces, today, entry text.
std::string log_line(const std::string& created, const std::string& date, const std::string& today,
                     const std::string& text);
// The added-entries line: text, created date, priority number text, date and time, each followed
// by one space (the number text brings its own, so two stand before the priority).
std::string added_note_line(const std::string& text, const std::string& created,
                            const std::string& priority, const std::string& date,
                            const std::string& time);

}  // namespace todo
