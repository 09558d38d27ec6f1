// What a file variable holds while its file is open. Private to the file layer.
#pragma once

#include <cstdio>
#include <string>

#include "common/files.h"

namespace common {

class OpenFile {
public:
    // `target` is where the file lives; `written` is what the handle writes into: the same
    // path, or for a "W" file a temporary file beside the target that close() renames over it.
    OpenFile(std::FILE* handle, FileKind kind, std::string target, std::string written);
    ~OpenFile();  // a file nobody closed is closed (and committed) here
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // 0 when everything written reached the disk (and a "W" file took its place), else 1.
    int close();

    FileKind kind() const { return kind_; }
    std::FILE* handle() const { return handle_; }

    // The C library wants a seek between a read and a following write (and the other way
    // round) on the same handle; these keep track of which one came last.
    void before_read();
    void before_write();
    void note_write_failure() { write_failed_ = true; }

    long position() const;
    void set_position(long position);
    bool at_end();  // at or past the end of the file

private:
    enum class LastUse { None, Read, Write };

    std::FILE* handle_;
    FileKind kind_;
    std::string target_;
    std::string written_;
    LastUse last_use_ = LastUse::None;
    bool write_failed_ = false;
};

// The path as the operating system takes it: native separators, and on POSIX the office's
// single-byte text as UTF-8 (a path that already is UTF-8 is left alone).
std::string system_path(const std::string& path);

}  // namespace common
