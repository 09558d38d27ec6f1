// "todo.ini" read from any bytes: every setting stays a field of at most 254 characters, the
// flags are never empty, and what was read is written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "../todo/settings_file.h"  // the job manager has a settings_file.h of its own
#include "common/files.h"
#include "scratch_file.h"

namespace {

// The lines as the program reads "todo.ini": through the file layer's text reader, at most
// eleven of them.
std::vector<std::string> lines_of(const std::uint8_t* data, std::size_t size) {
    fuzzing::write_input(data, size);
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, fuzzing::scratch_path(), "R") != 0)
        std::abort();
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < todo::SETTINGS_LINES &&
           common::read_value(file, common::FileKind::Text, line) == 0)
        lines.push_back(line);
    common::close_file(file, common::FileKind::Text);
    return lines;
}

// The same for lines the program wrote.
std::vector<std::string> lines_of(const std::string& bytes) {
    return lines_of(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool same(const todo::Settings& a, const todo::Settings& b) {
    return a.program_path == b.program_path && a.sound_path == b.sound_path &&
           a.run_program == b.run_program && a.play_sound == b.play_sound &&
           a.database_path == b.database_path && a.x == b.x && a.y == b.y &&
           a.message_prefix == b.message_prefix && a.message_file_flag == b.message_file_flag &&
           a.show_output_flag == b.show_output_flag && a.message_file_path == b.message_file_path &&
           a.fine_tune_flag == b.fine_tune_flag && a.message_input_path == b.message_input_path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    todo::Settings read;
    todo::read_settings_lines(lines_of(data, size), read);
    for (const std::string* text :
         {&read.program_path, &read.sound_path, &read.database_path, &read.message_prefix,
          &read.message_file_path, &read.message_input_path, &read.fine_tune_flag}) {
        if (text->size() > 254) std::abort();
    }
    if (read.message_file_flag.empty() || read.show_output_flag.empty()) std::abort();

    const std::vector<std::string> written = todo::settings_lines(read);
    if (written.size() != 11) std::abort();
    std::string file;
    for (const std::string& line : written) file += line + "\r\n";
    todo::Settings again;
    todo::read_settings_lines(lines_of(file), again);
    // Line 6 longer than a field loses the end of its prefix; everything else comes back.
    if (written[5].size() <= 254 && !same(read, again)) std::abort();
    return 0;
}
