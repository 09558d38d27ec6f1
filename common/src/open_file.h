// What a file variable holds while its file is open. Private to the file layer.
#pragma once

#include <cstdio>
#include <string>

#include "common/files.h"

namespace common {

class OpenFile {
public:
    // How what was written reaches the target when the file is closed.
    enum class Commit {
        Direct,   // the handle writes the target itself ("R", "R+", "A")
        Replace,  // the handle writes a temporary beside the target, renamed over it at close
        Rewrite,  // the handle writes a scratch file, copied over the target in place at close
                  // (where the folder allows no new file beside the target)
    };

    // `target` is where the file lives; `written` is what the handle writes into (the target
    // itself, the temporary beside it, or nothing for an anonymous scratch file).
    // `original_size` is the size of an appended file when it was opened, so a failed append
    // can be taken back; -1 when there is nothing to take back.
    OpenFile(std::FILE* handle, FileKind kind, std::string target, std::string written,
             Commit commit, long original_size = -1);
    ~OpenFile();  // a file nobody closed is closed (and committed) here
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    // 0 when everything written reached the disk (and a "W" file took its place), else 1.
    int close();

    FileKind kind() const { return kind_; }
    const std::string& target() const { return target_; }
    std::FILE* handle() const { return handle_; }

    // The C library wants a seek between a read and a following write (and the other way
    // round) on the same handle; these keep track of which one came last.
    void before_read();
    void before_write();
    void after_write(std::size_t count);
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
    Commit commit_;
    long original_size_;
    LastUse last_use_ = LastUse::None;
    bool write_failed_ = false;
    bool wrote_ = false;
    std::size_t not_yet_on_its_way_ = 0;  // bytes written since the disk was last set going
};

// A name beside `target` ("<target>.~<host>.<pid>.<n>") that no other writer, in this process,
// another or on another desktop, uses at the same time: where a "W" file is written before it
// takes its place.
std::string temporary_beside(const std::string& target);

// Steps of committing a file, shared by close() and the whole-file operations.
// Flushes the C library's buffer and then the system's cache to the disk itself.
bool flush_and_sync(std::FILE* handle, const std::string& path);
// Renames `from` over `to` and makes the rename itself durable.
bool publish(const std::string& from, const std::string& to);
// Copies `bytes` over the existing file `target` without creating a file beside it; the first
// bytes (where a record file keeps its header) are written last, after everything else is on
// the disk, and never after a failed write.
bool rewrite_in_place(const std::string& target, const std::string& bytes);
// Takes an appended file back to the size it had when it was opened.
void take_back_append(const std::string& target, long original_size);
// Removes temporaries beside `target` left by processes of this machine that have ended
// (`<name>.~<host>.<pid>.<n>`); those of earlier versions (`<name>.~<pid>.<n>`, no host) only
// once they are an hour old, since they may be another desktop's save in progress.
void remove_stale_temporaries(const std::string& target);

// The path as the operating system takes it: native separators, and on POSIX the office's
// single-byte text as UTF-8 (a path that already is UTF-8 is left alone).
std::string system_path(const std::string& path);

}  // namespace common
