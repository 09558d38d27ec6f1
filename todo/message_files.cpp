#include "message_files.h"

#include "common/files.h"
#include "common/text.h"
#include "common/utf8_text.h"
#include "input_claims.h"

namespace todo {

using common::FileKind;

std::string message_file_line(const std::string& prefix, const std::string& message_line) {
    return common::field_text(prefix + " " + message_line);
}

std::vector<std::string> message_file_lines(const std::string& fine_tune_flag,
                                            const std::string& composed_line,
                                            const std::string& input_path,
                                            const std::string& alarm_text) {
    if (fine_tune_flag == "no") return {composed_line};
    return {input_path, alarm_text};
}

std::string entry_text_of_input(const std::vector<std::string>& lines) {
    if (lines.empty()) return std::string();
    // Other programs write UTF-8; a line that is UTF-8 is read as such, any other byte for byte.
    const std::optional<std::string> decoded = common::windows_1252_from_utf8(lines.front());
    return common::field_text(decoded ? *decoded : lines.front());
}

bool write_message_file(const std::string& path, const std::vector<std::string>& lines) {
    common::FileVar file;
    if (common::open_file(file, FileKind::Text, path, "W") != 0) return false;
    for (const std::string& line : lines) common::write_value(file, FileKind::Text, line);
    return common::close_file(file, FileKind::Text) == 0;
}

std::string claimed_input_path(const std::string& path) {
    return claim_name(path);
}

InputTaken take_message_input(const std::string& path, std::string& entry_text) {
    const std::string claimed = claimed_input_path(path);
    // A file claimed on an earlier tick that could not be read then goes first, then one a
    // program of this machine left when it ended; another program's claim is its own.
    InputTaken how = InputTaken::Claimed;
    bool in_place = false;
    if (!common::file_exists(claimed) && !take_over_left_claim(path, claimed) &&
        !claim_input(path, claimed, in_place)) {
        if (!in_place) return InputTaken::None;
        how = InputTaken::InPlace;
    }
    common::FileVar file;
    if (common::open_file(file, FileKind::Text, how == InputTaken::Claimed ? claimed : path, "R") !=
        0)
        return InputTaken::None;
    std::vector<std::string> lines;
    std::string line;
    if (common::read_value(file, FileKind::Text, line) == 0) lines.push_back(line);
    common::close_file(file, FileKind::Text);
    entry_text = entry_text_of_input(lines);
    return how;
}

bool finish_message_input(const std::string& path, InputTaken how) {
    if (how == InputTaken::None) return true;
    return common::file_delete(how == InputTaken::Claimed ? claimed_input_path(path) : path);
}

}  // namespace todo
