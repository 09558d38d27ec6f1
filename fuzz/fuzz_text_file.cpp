// Any bytes make a readable file: texts, numbers and records are read until the end, and
// every read either moves forward or reports the end, so reading always finishes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/files.h"
#include "common/text.h"
#include "scratch_file.h"

namespace {

using fuzzing::scratch_path;
using fuzzing::write_input;

// Reads mixed values in a pattern chosen by the first byte, until the end.
void read_values(uint8_t pattern, size_t size) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, scratch_path(), "R") != 0) std::abort();
    long last = -1;
    for (unsigned step = 0;; ++step) {
        std::string text;
        double number = 0;
        int whole = 0;
        int result;
        switch ((pattern >> (step % 4 * 2)) & 3) {
            case 0:
            case 1:
                result = common::read_value(file, common::FileKind::Text, text);
                if (text.size() > common::MAX_TEXT) std::abort();
                break;
            case 2:
                result = common::read_value(file, common::FileKind::Text, number);
                common::number_text(number);
                break;
            default:
                result = common::read_value(file, common::FileKind::Text, whole);
                break;
        }
        long position = common::file_position(file);
        if (result == -1) break;
        if (position <= last || position > static_cast<long>(size)) std::abort();
        last = position;
    }
    if (!common::at_end(file, common::FileKind::Text)) std::abort();
    common::close_file(file, common::FileKind::Text);
}

void read_records(size_t size) {
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Binary, scratch_path(), "R") != 0) std::abort();
    char record[7];
    long count = 0;
    for (long number = 1; common::read_record(file, number, record, sizeof record) > 0; ++number)
        ++count;
    if (count != static_cast<long>((size + sizeof record - 1) / sizeof record)) std::abort();
    common::close_file(file, common::FileKind::Binary);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    write_input(data, size);
    read_values(size > 0 ? data[0] : 0, size);
    read_records(size);
    // The text helpers take the same bytes as a text.
    std::string text(reinterpret_cast<const char*>(data), size);
    common::text_number(text);
    common::text_integer(text);
    common::lower_text(text);
    common::find_text(text, "\r\n", static_cast<long>(size % 7));
    common::mid_text(text, static_cast<long>(size % 5), static_cast<long>(size % 3) - 1);
    return 0;
}
