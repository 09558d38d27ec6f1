// Reading the office's reference files (settings, price lists, picture key words, process
// steps, installation types): any bytes in, lines out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace jobs {

// The lines of a reference file. A line ends at CR LF, CR or LF (files edited on other
// machines lose nothing), is cut to 254 characters, and a line end at the very end of the
// text starts no further line. An empty text is one empty line, so every file has at least
// one line.
std::vector<std::string> split_lines(std::string_view bytes);

// "data\" + name below the program folder.
std::string data_file(const std::string& name);

// Reads the whole file into `bytes`. False, with `bytes` untouched, when the file cannot be
// opened.
bool read_whole_file(const std::string& path, std::string& bytes);

// Reads the whole file into `lines` (split as above). False, with `lines` untouched, when the
// file cannot be opened.
bool read_reference_file(const std::string& path, std::vector<std::string>& lines);

}  // namespace jobs
