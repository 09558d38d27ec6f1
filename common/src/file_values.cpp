// Values on open files: texts and numbers on text files, bytes and records on binary files.
//
// On a text file a text ends at CR (a following LF goes with it), so a lone LF stays part of
// the text; a number is found by skipping to the first "-" or digit, and the byte that ends it
// is consumed, which is why numbers are written followed by one space.
#include <cmath>
#include <cstring>
#include <limits>

#include "common/files.h"
#include "common/text.h"
#include "file_faults.h"
#include "open_file.h"

namespace common {

namespace {

// The longest number text a read collects; further number characters are skipped.
constexpr std::size_t MAX_NUMBER_TEXT = 39;
// A text on a binary file occupies a fixed field: its characters, then zero bytes.
constexpr std::size_t TEXT_FIELD = MAX_TEXT + 1;

// The open file, or none when the variable is none or the kind is not a file kind.
OpenFile* usable(FileVar& file, FileKind kind) {
    if (kind != FileKind::Text && kind != FileKind::Binary) return nullptr;
    return file.file();
}

int put(OpenFile& open, const void* bytes, std::size_t count) {
    if (count == 0) return 0;
    open.before_write();
    if (file_step_fails(FileStep::Write, open.target())) {
        open.note_write_failure();
        return 0;
    }
    std::size_t written = std::fwrite(bytes, 1, count, open.handle());
    if (written != count) open.note_write_failure();
    open.after_write(written);
    return static_cast<int>(written);
}

std::size_t take(OpenFile& open, void* bytes, std::size_t count) {
    if (count == 0) return 0;
    open.before_read();
    return std::fread(bytes, 1, count, open.handle());
}

// Reads one line ending at CR; keeps MAX_TEXT characters and skips the rest of a longer line.
int read_line(OpenFile& open, std::string& text) {
    text.clear();
    open.before_read();
    std::FILE* handle = open.handle();
    int c = std::fgetc(handle);
    if (c == EOF) return -1;
    while (c != EOF && c != '\r') {
        if (text.size() < MAX_TEXT) text += static_cast<char>(c);
        c = std::fgetc(handle);
    }
    if (c == '\r') {
        int next = std::fgetc(handle);
        if (next != '\n' && next != EOF) std::ungetc(next, handle);
    }
    return 0;
}

// Reads the next number text; -1 when the file ends before a "-" or a digit.
int read_number_text(OpenFile& open, std::string& number) {
    number.clear();
    open.before_read();
    std::FILE* handle = open.handle();
    int c = std::fgetc(handle);
    while (c != EOF && c != '-' && !(c >= '0' && c <= '9')) c = std::fgetc(handle);
    if (c == EOF) return -1;
    // The byte that ends the number (normally the space written after it) is consumed too.
    while (c == '-' || c == '.' || (c >= '0' && c <= '9')) {
        if (number.size() < MAX_NUMBER_TEXT) number += static_cast<char>(c);
        c = std::fgetc(handle);
    }
    return 0;
}

template <typename Integer>
Integer rounded(double value) {
    constexpr double low = static_cast<double>(std::numeric_limits<Integer>::min());
    constexpr double high = static_cast<double>(std::numeric_limits<Integer>::max());
    if (std::isnan(value)) return 0;
    double near = std::round(value);
    if (near <= low) return std::numeric_limits<Integer>::min();
    if (near >= high) return std::numeric_limits<Integer>::max();
    return static_cast<Integer>(near);
}

template <typename Number>
int write_number(FileVar& file, FileKind kind, Number number) {
    OpenFile* open = usable(file, kind);
    if (!open) return 0;
    if (kind == FileKind::Binary) return put(*open, &number, sizeof number);
    std::string text = number_text(static_cast<double>(number)) + " ";
    return put(*open, text.data(), text.size());
}

template <typename Number>
int read_number(FileVar& file, FileKind kind, Number& number) {
    OpenFile* open = usable(file, kind);
    if (!open) return -1;
    if (kind == FileKind::Binary) {
        Number value{};
        if (take(*open, &value, sizeof value) != sizeof value) return -1;
        number = value;
        return 0;
    }
    std::string text;
    if (read_number_text(*open, text) != 0) {
        number = 0;
        return -1;
    }
    double value = text_number(text);
    if constexpr (std::is_integral_v<Number>)
        number = rounded<Number>(value);
    else
        number = value;
    return 0;
}

}  // namespace

// ---- writing -----------------------------------------------------------------------------

int write_value(FileVar& file, FileKind kind, const std::string& text) {
    OpenFile* open = usable(file, kind);
    if (!open) return 0;
    if (kind == FileKind::Binary) {
        char field[TEXT_FIELD] = {};
        std::memcpy(field, text.data(), std::min(text.size(), MAX_TEXT));
        return put(*open, field, sizeof field);
    }
    std::string line = text + "\r\n";
    return put(*open, line.data(), line.size());
}

int write_value(FileVar& file, FileKind kind, const char* text) {
    return write_value(file, kind, std::string(text ? text : ""));
}

int write_value(FileVar& file, FileKind kind, double number) {
    return write_number(file, kind, number);
}

int write_value(FileVar& file, FileKind kind, int number) {
    return write_number(file, kind, number);
}

int write_value(FileVar& file, FileKind kind, long number) {
    return write_number(file, kind, number);
}

int write_bytes(FileVar& file, const void* bytes, std::size_t count) {
    OpenFile* open = file.file();
    if (!open || !bytes) return 0;
    return put(*open, bytes, count);
}

// ---- reading -----------------------------------------------------------------------------

int read_value(FileVar& file, FileKind kind, std::string& text) {
    OpenFile* open = usable(file, kind);
    if (!open) return -1;
    if (kind == FileKind::Text) return read_line(*open, text);
    char field[TEXT_FIELD] = {};
    if (take(*open, field, sizeof field) != sizeof field) {
        text.clear();
        return -1;
    }
    text.assign(field, strnlen(field, MAX_TEXT));
    return 0;
}

int read_value(FileVar& file, FileKind kind, double& number) {
    return read_number(file, kind, number);
}

int read_value(FileVar& file, FileKind kind, int& number) {
    return read_number(file, kind, number);
}

int read_value(FileVar& file, FileKind kind, long& number) {
    return read_number(file, kind, number);
}

int read_bytes(FileVar& file, void* bytes, std::size_t count) {
    OpenFile* open = file.file();
    if (!open || !bytes) return 0;
    return static_cast<int>(take(*open, bytes, count));
}

// ---- records -----------------------------------------------------------------------------

namespace {

// Where record `number` starts, or -1 for a number that names no record.
long record_start(long number, std::size_t length) {
    if (number < 1 || length == 0) return -1;
    if (static_cast<unsigned long>(number - 1) >
        static_cast<unsigned long>(std::numeric_limits<long>::max()) / length)
        return -1;
    return (number - 1) * static_cast<long>(length);
}

}  // namespace

int read_record(FileVar& file, long number, void* record, std::size_t length) {
    OpenFile* open = file.file();
    long start = record_start(number, length);
    if (!open || !record || start < 0) return 0;
    open->set_position(start);
    // Past the end nothing is read, so the record stays as it was.
    return static_cast<int>(take(*open, record, length));
}

int write_record(FileVar& file, long number, const void* record, std::size_t length) {
    OpenFile* open = file.file();
    long start = record_start(number, length);
    if (!open || !record || start < 0) return 0;
    open->set_position(start);
    return put(*open, record, length);
}

}  // namespace common
