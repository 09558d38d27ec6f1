// Customer and job files are edited by hand now and then and copied between machines, so the
// reader takes any bytes and every kind of line end; the writer goes through the file layer's
// "W" mode, which writes beside the old file and swaps it in only when everything was written.
#include "record_file.h"

#include "common/files.h"

namespace jobs {

namespace {

// Far beyond any real customer or job file (a job of a thousand lines is about 100 KB).
constexpr std::size_t kMaxRecordFileBytes = 16 * 1024 * 1024;

}  // namespace

std::vector<std::string> split_record_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else if (c != '\0') {
            line.push_back(c);
        }
    }
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') lines.push_back(line);
    return lines;
}

std::vector<std::string> text_lines(const std::string& text) {
    std::vector<std::string> lines = split_record_lines(text);
    if (lines.empty() || (!text.empty() && (text.back() == '\r' || text.back() == '\n')))
        lines.emplace_back();
    return lines;
}

std::string join_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool read_record_file(const std::string& path, std::vector<std::string>& lines) {
    if (path.empty()) return false;
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Binary, path, "R") != 0) return false;
    std::string bytes;
    char chunk[65536];
    int got = 0;
    while (bytes.size() < kMaxRecordFileBytes &&
           (got = common::read_bytes(file, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, static_cast<std::size_t>(got));
    common::close_file(file, common::FileKind::Binary);
    lines = split_record_lines(bytes);
    return true;
}

WriteResult write_record_file(const std::string& path, const std::vector<std::string>& lines) {
    if (path.empty()) return WriteResult::NotOpened;
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, path, "W") != 0)
        return WriteResult::NotOpened;
    for (const std::string& line : lines) common::write_value(file, common::FileKind::Text, line);
    if (common::close_file(file, common::FileKind::Text) != 0) return WriteResult::NotCommitted;
    return WriteResult::Written;
}

}  // namespace jobs
