// Text and record files. Every data file of both programs passes through these operations.
//
// On a text file a text is written followed by CR LF and a number as its number text followed
// by one space; a line ends at CR (a following LF is consumed). Binary files are read and
// written as bytes, at the current position or by record number (counted from 1).
//
// Paths may use "\\" or "/" as separator; both work on every platform.
// A file opened with "W" is written beside its path and renamed into place by close_file, so
// no rewrite ever leaves a half-written file: readers see the old file until the close. The
// written bytes reach the disk before the rename, and the rename reaches it after (POSIX).
// Where the folder takes no new file but the file itself may be written, "W" writes over the
// file in place at the close instead, its first bytes last. Temporaries
// ("<name>.~<host>.<pid>.<n>") left beside a file by a writer of this machine that was killed are
// removed the next time the file is written; another desktop's are its own to remove. An append
// ("A") that fails is taken back to the file's length before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace common {

// The kind a file variable is declared as. Any other value is misuse and is reported.
enum class FileKind : int { Text = 1, Binary = 2 };

class OpenFile;  // private to the file layer

// An open file, or none. Moving is allowed, copying is not.
class FileVar {
public:
    FileVar();
    ~FileVar();  // closes (and commits) a file still open
    FileVar(FileVar&&) noexcept;
    FileVar& operator=(FileVar&&) noexcept;
    FileVar(const FileVar&) = delete;
    FileVar& operator=(const FileVar&) = delete;

    bool is_open() const { return file_ != nullptr; }
    OpenFile* file() const { return file_.get(); }
    void reset(std::unique_ptr<OpenFile> file);
    std::unique_ptr<OpenFile> release();

private:
    std::unique_ptr<OpenFile> file_;
};

// Mode "R", "W", "A" or "R+" (either case; "R+" for binary files only).
// 0 when the file is open, 1 when it could not be opened (the variable keeps its value).
int open_file(FileVar& file, FileKind kind, const std::string& path, const std::string& mode);
// Closes the file; a "W" file is renamed over its target here. Returns 0 when everything
// written reached the disk, 1 when not (a failed "W" file leaves the old file as it was).
int close_file(FileVar& file, FileKind kind);
bool at_end(FileVar& file, FileKind kind);
long file_position(FileVar& file);
void file_position(FileVar& file, long position);

// Text files: a text and CR LF; a number's text and one space. Binary: the bytes as they are.
// Result: the number of bytes written.
int write_value(FileVar& file, FileKind kind, const std::string& text);
int write_value(FileVar& file, FileKind kind, const char* text);
int write_value(FileVar& file, FileKind kind, double number);
int write_value(FileVar& file, FileKind kind, int number);
int write_value(FileVar& file, FileKind kind, long number);
int write_bytes(FileVar& file, const void* bytes, std::size_t count);  // binary files

// 0 when something was read, -1 at the end of the file (text "" or number 0 left behind).
// A text variable receives the next line (cut to 254 characters, the rest of the line is
// skipped); a number variable the next number, rounded for integers.
int read_value(FileVar& file, FileKind kind, std::string& text);
int read_value(FileVar& file, FileKind kind, double& number);
int read_value(FileVar& file, FileKind kind, int& number);
int read_value(FileVar& file, FileKind kind, long& number);
int read_bytes(FileVar& file, void* bytes, std::size_t count);  // binary: bytes read

// Record n (from 1) occupies bytes (n - 1) * length to n * length - 1. Writing past the end
// extends the file; reading past the end reads nothing and leaves the record as it was.
// Record number 0 does nothing. Result: bytes read or written.
int read_record(FileVar& file, long number, void* record, std::size_t length);
int write_record(FileVar& file, long number, const void* record, std::size_t length);

bool file_delete(const std::string& path);  // true when deleted
bool file_copy(const std::string& from, const std::string& to, bool fail_if_exists);
bool file_exists(const std::string& path);
// Renames, replacing the target (on every platform). True on success.
bool file_rename(const std::string& from, const std::string& to);

// The path as the platform wants it: "\\" becomes "/" on POSIX, doubled separators collapse.
std::string native_path(const std::string& path);
// The base name of a path without folder and without extension ("data\\a.job" -> "a"), for
// either separator.
std::string base_name(const std::string& path);

}  // namespace common
