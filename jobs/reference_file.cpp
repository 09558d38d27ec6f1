// The office keeps its reference files with any text editor, so a reader takes whatever bytes
// it finds: all three kinds of line end, over-long lines, stray control characters.
#include "reference_file.h"

#include "common/files.h"
#include "common/services.h"
#include "common/text.h"

namespace jobs {

std::vector<std::string> split_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        lines.emplace_back(bytes.substr(start, std::min(end - start, common::MAX_TEXT)));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

std::string data_file(const std::string& name) {
    return common::program_folder() + "data\\" + name;
}

bool read_reference_file(const std::string& path, std::vector<std::string>& lines) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Binary, path, "R") != 0) return false;
    std::string bytes;
    char chunk[65536];
    int got = 0;
    while ((got = common::read_bytes(file, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(got));
    common::close_file(file, common::FileKind::Binary);
    lines = split_lines(bytes);
    return true;
}

}  // namespace jobs
