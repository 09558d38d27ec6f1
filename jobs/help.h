// The help dialog and its exchange of one-line files with another program.
#pragma once

#include <string>

namespace jobs {

// Controls of the help dialog.
inline constexpr int ID_HELP_QUESTION = 4;  // bottom box: the question typed
inline constexpr int ID_HELP_CANCEL = 5;
inline constexpr int ID_HELP_SEND = 6;
inline constexpr int ID_HELP_ANSWER = 7;  // top box: the question echoed, then the answer

// Records the help dialog's template (start-up); it is not shown.
void declare_help_dialog();
// The Help command: closes the dialog when it is open, otherwise shows it modally.
void toggle_help();
// Run by every tick while the help dialog is open: shows an answer that has arrived.
void check_help_answer();

// The answer file's first line, as the help dialog shows it. False when there is no answer
// file to read.
bool read_answer_file(const std::string& path, std::string& answer);

// The question file's one line (without its line end): the code "*5820*" and the question,
// with any line break in the question turned into a blank so that it stays one line.
std::string question_line(const std::string& question);

}  // namespace jobs
