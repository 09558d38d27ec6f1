// The two one-line files through which the to-do program talks to other programs: the message
// file it writes (its message line, or for a helper program the input path and the last alarm)
// and the message-input file from which it takes a new entry.
#pragma once

#include <string>
#include <vector>

namespace todo {

// ---- Pure layouts ----------------------------------------------------------------------------
// The line that decides whether the message file is rewritten: prefix, a space, the message line.
std::string message_file_line(const std::string& prefix, const std::string& message_line);
// The lines of the message file: with the fine-tune flag "no" the composed line; otherwise the
// message-input path and the text of the last alarm.
std::vector<std::string> message_file_lines(const std::string& fine_tune_flag,
                                            const std::string& composed_line,
                                            const std::string& input_path,
                                            const std::string& alarm_text);
// The entry text a message-input file carries: its first line (no lines: the empty text). A line
// of UTF-8 with letters beyond ASCII is taken into Windows-1252; any other line byte for byte.
std::string entry_text_of_input(const std::vector<std::string>& lines);

// ---- Files -----------------------------------------------------------------------------------
// Writes the lines whole (beside the file, renamed into place); false when nothing was written.
bool write_message_file(const std::string& path, const std::vector<std::string>& lines);

// How a waiting message-input file was taken.
enum class InputTaken {
    None,     // no file waits, or it cannot be read
    Claimed,  // renamed to its claimed name first, so a line written meanwhile waits its turn
    InPlace,  // read where it lies: it may be read but not renamed
};

// Takes the message-input file when one waits: claims it by renaming it, then reads its first
// line; a file that may not be renamed is read where it lies. A claimed file that could not be
// read stays claimed and is taken by a later call. The caller adds the entry and then calls
// finish_message_input, so a crash in between adds the entry twice rather than never.
InputTaken take_message_input(const std::string& path, std::string& entry_text);
// Deletes the file taken; false when it could not be deleted.
bool finish_message_input(const std::string& path, InputTaken how);

// The name a message-input file is claimed under while it is being read.
std::string claimed_input_path(const std::string& path);

}  // namespace todo
