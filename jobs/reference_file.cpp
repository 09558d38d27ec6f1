// The office keeps its reference files with any text editor, so a reader takes whatever bytes
// it finds: all three kinds of line end, over-long lines, stray control characters.
#include "reference_file.h"

#include <algorithm>

#include "common/files.h"
#include "common/services.h"
#include "common/text.h"

namespace jobs {

std::vector<std::string> split_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        const char* line_end = p;
        while (line_end < end && *line_end != '\r' && *line_end != '\n') ++line_end;
        std::size_t length = static_cast<std::size_t>(line_end - p);
        lines.emplace_back(p, std::min(length, common::MAX_TEXT));
        if (line_end + 1 < end && line_end[0] == '\r' && line_end[1] == '\n') ++line_end;
        p = line_end + 1;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

std::string data_file(const std::string& name) {
    return common::program_folder() + "data\\" + name;
}

bool read_whole_file(const std::string& path, std::string& bytes) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Binary, path, "R") != 0) return false;
    std::string read;
    char chunk[65536];
    int got = 0;
    while ((got = common::read_bytes(file, chunk, sizeof chunk)) > 0)
        read.append(chunk, static_cast<std::size_t>(got));
    common::close_file(file, common::FileKind::Binary);
    bytes = std::move(read);
    return true;
}

bool read_reference_file(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    if (!read_whole_file(path, bytes)) return false;
    lines = split_lines(bytes);
    return true;
}

}  // namespace jobs
