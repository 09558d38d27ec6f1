#include "settings_file.h"

#include <cctype>

#include "common/text.h"
#include "record.h"

namespace todo {

namespace {

bool is_number_byte(char c) {
    return c == '-' || c == '.' || std::isdigit(static_cast<unsigned char>(c));
}

// Reads a number the way a text file's numbers are read: bytes before the first "-" or digit
// are skipped, the number runs while "-", "." or digits follow, and the byte ending it is
// consumed too. Kept within the line, so a line without numbers reads 0 and swallows nothing.
int take_number(const std::string& line, std::size_t& at) {
    while (at < line.size() && line[at] != '-' &&
           !std::isdigit(static_cast<unsigned char>(line[at]))) {
        ++at;
    }
    const std::size_t start = at;
    while (at < line.size() && is_number_byte(line[at])) ++at;
    const std::string number = line.substr(start, at - start);
    if (at < line.size()) ++at;
    return rounded_value(number);
}

std::string line_or_empty(const std::vector<std::string>& lines, std::size_t index) {
    return index < lines.size() ? common::field_text(lines[index]) : std::string();
}

}  // namespace

std::string position_line(int x, int y, const std::string& prefix) {
    return common::number_text(x) + " " + common::number_text(y) + " " + prefix;
}

void read_position_line(const std::string& line, int& x, int& y, std::string& prefix) {
    std::size_t at = 0;
    x = take_number(line, at);
    y = take_number(line, at);
    prefix = common::field_text(line.substr(at));
}

std::vector<std::string> settings_lines(const Settings& settings) {
    return {settings.program_path,
            settings.sound_path,
            common::number_text(settings.run_program),
            common::number_text(settings.play_sound),
            settings.database_path,
            position_line(settings.x, settings.y, settings.message_prefix),
            settings.message_file_flag,
            settings.show_output_flag,
            settings.message_file_path,
            settings.fine_tune_flag,
            settings.message_input_path};
}

void read_settings_lines(const std::vector<std::string>& lines, Settings& settings) {
    settings.program_path = line_or_empty(lines, 0);
    settings.sound_path = line_or_empty(lines, 1);
    settings.run_program = rounded_value(line_or_empty(lines, 2));
    settings.play_sound = rounded_value(line_or_empty(lines, 3));
    settings.database_path = line_or_empty(lines, 4);
    read_position_line(line_or_empty(lines, 5), settings.x, settings.y, settings.message_prefix);
    settings.message_file_flag = line_or_empty(lines, 6);
    settings.show_output_flag = line_or_empty(lines, 7);
    settings.message_file_path = line_or_empty(lines, 8);
    settings.fine_tune_flag = line_or_empty(lines, 9);
    settings.message_input_path = line_or_empty(lines, 10);
    if (settings.message_file_flag.empty()) settings.message_file_flag = "yes";
    if (settings.show_output_flag.empty()) settings.show_output_flag = "no";
}

}  // namespace todo
