// Whole-file reading and writing of the job manager's own record files (customers and jobs).
// A record file is read whole into lines and written whole from lines, so that a file is open
// only for the length of one operation and a rewrite never leaves half a file behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace jobs {

// Splits bytes into lines at CR LF, CR or LF, so files edited on other machines read the same.
// Lines are kept whole (fields cut their own texts); zero bytes are dropped, as a zero would
// have ended the text anyway. A line end at the very end starts no further line; no bytes give
// no lines.
std::vector<std::string> split_record_lines(std::string_view bytes);

// The lines of a multi-line field's text, whichever line ends it uses; an empty text is one
// empty line.
std::vector<std::string> text_lines(const std::string& text);
// Lines joined back into a field text with CR LF, the way the multi-line edits keep them.
std::string join_lines(const std::vector<std::string>& lines);

// Reads the file whole. False, with `lines` untouched, when it cannot be opened. Files beyond
// a generous size are read only up to it, so a wrong file picked by mistake cannot stall us.
bool read_record_file(const std::string& path, std::vector<std::string>& lines);

// Writes every line followed by CR LF. Results say what went wrong, for the caller's message.
enum class WriteResult { Written, NotOpened, NotCommitted };
WriteResult write_record_file(const std::string& path, const std::vector<std::string>& lines);

}  // namespace jobs
