// Opening, closing and positioning files, and the whole-file operations (copy, delete, rename)
// with the path rules both programs rely on.
#include "common/files.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/file_lock.h"
#include "common/services.h"
#include "file_faults.h"
#include "open_file.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#define KEZ_GETPID _getpid
#define KEZ_ACCESS _access
#define KEZ_WRITABLE 2
#else
#include <fcntl.h>
#include <unistd.h>
#define KEZ_GETPID getpid
#define KEZ_ACCESS access
#define KEZ_WRITABLE W_OK
#endif

namespace common {

namespace fs = std::filesystem;

// The host is part of the name: on a shared folder another desktop's process may have this
// process's number, and only this machine can tell whether one of its own processes has ended.
std::string temporary_beside(const std::string& target) {
    static std::atomic<unsigned long> counter{0};
    return target + ".~" + this_host() + "." + std::to_string(KEZ_GETPID()) + "." +
           std::to_string(++counter);
}

namespace {

bool is_file_kind(FileKind kind) {
    return kind == FileKind::Text || kind == FileKind::Binary;
}

void report_misuse(const char* text) {
    message_box(nullptr, text, "Error", 0);
}

// A "W" file replaces what its name points at: through a symbolic link, the linked file.
std::string resolved_target(const std::string& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path real = fs::canonical(path, error);
        if (!error) return real.string();
    }
    return path;
}

enum class Mode { Read, Write, Append, ReadWrite, Invalid };

Mode parse_mode(std::string mode) {
    for (char& c : mode) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (mode == "R") return Mode::Read;
    if (mode == "W") return Mode::Write;
    if (mode == "A") return Mode::Append;
    if (mode == "R+") return Mode::ReadWrite;
    return Mode::Invalid;
}

// A file that could never take the target's place is refused when it is opened, where the
// programs look for failure, rather than only when it is closed.
bool replaceable(const std::string& target) {
    std::error_code error;
    fs::file_status status = fs::status(target, error);
    if (!fs::exists(status)) return true;
    if (!fs::is_regular_file(status)) return false;
    return KEZ_ACCESS(target.c_str(), KEZ_WRITABLE) == 0;
}

// A folder may let its files be written but take no new ones (a shared folder with such
// rights, or one owned by another user). There the new contents go to a scratch file and are
// copied over the target in place when the file is closed.
bool folder_refuses_new_files(int error) {
    return error == EACCES || error == EPERM;
}

std::FILE* create_temporary(const std::string& target, const std::string& temporary) {
    if (file_step_fails(FileStep::Create, target)) return nullptr;
    return std::fopen(temporary.c_str(), "w+b");
}

std::unique_ptr<OpenFile> open_for_writing(FileKind kind, const std::string& path) {
    std::string target = resolved_target(path);
    if (!replaceable(target)) return nullptr;
    remove_stale_temporaries(target);
    std::string temporary = temporary_beside(target);
    if (std::FILE* handle = create_temporary(target, temporary))
        return std::make_unique<OpenFile>(handle, kind, target, temporary,
                                          OpenFile::Commit::Replace);
    std::error_code error;
    if (!folder_refuses_new_files(errno) || !fs::is_regular_file(target, error)) return nullptr;
    std::FILE* scratch = std::tmpfile();
    if (!scratch) return nullptr;
    return std::make_unique<OpenFile>(scratch, kind, target, std::string(),
                                      OpenFile::Commit::Rewrite);
}

std::unique_ptr<OpenFile> open_for_appending(FileKind kind, const std::string& path) {
    // "a" would force every write to the end; the office's files may be positioned after
    // opening, so the file is opened for update and moved to its end instead.
    std::FILE* handle = std::fopen(path.c_str(), "r+b");
    if (!handle) {
        std::error_code error;
        if (fs::exists(path, error)) return nullptr;  // there but not writable
        if (file_step_fails(FileStep::Create, path)) return nullptr;
        handle = std::fopen(path.c_str(), "w+b");
    }
    if (!handle) return nullptr;
    std::fseek(handle, 0, SEEK_END);
    return std::make_unique<OpenFile>(handle, kind, path, path, OpenFile::Commit::Direct,
                                      std::ftell(handle));
}

std::unique_ptr<OpenFile> open_existing(FileKind kind, const std::string& path, const char* how) {
    std::error_code error;
    if (fs::is_directory(path, error)) return nullptr;
    std::FILE* handle = std::fopen(path.c_str(), how);
    if (!handle) return nullptr;
    return std::make_unique<OpenFile>(handle, kind, path, path, OpenFile::Commit::Direct);
}

}  // namespace

// ---- OpenFile ----------------------------------------------------------------------------

OpenFile::OpenFile(std::FILE* handle, FileKind kind, std::string target, std::string written,
                   Commit commit, long original_size)
    : handle_(handle),
      kind_(kind),
      target_(std::move(target)),
      written_(std::move(written)),
      commit_(commit),
      original_size_(original_size) {}

OpenFile::~OpenFile() {
    if (handle_) close();
}

namespace {

// The whole contents of a scratch file.
bool contents_of(std::FILE* handle, std::string& bytes) {
    if (std::fseek(handle, 0, SEEK_END) != 0) return false;
    const long size = std::ftell(handle);
    if (size < 0 || std::fseek(handle, 0, SEEK_SET) != 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), handle) == bytes.size();
}

}  // namespace

int OpenFile::close() {
    if (!handle_) return 0;
    std::FILE* handle = handle_;
    handle_ = nullptr;
    bool ok = !write_failed_ && !std::ferror(handle);
    switch (commit_) {
        case Commit::Direct:
            // Only what was written has anything to flush (and anything to fail doing so).
            if (wrote_)
                ok = !file_step_fails(FileStep::Flush, target_) && std::fflush(handle) == 0 && ok;
            ok = std::fclose(handle) == 0 && ok;
            // An append that did not reach the disk whole is taken back, so the file never
            // ends in half a line.
            if (!ok) take_back_append(target_, original_size_);
            break;
        case Commit::Replace: {
            ok = ok && flush_and_sync(handle, target_);
            ok = std::fclose(handle) == 0 && ok;
            std::error_code error;
            if (ok) {
                // The new file keeps the permissions of the one it replaces.
                fs::file_status old_status = fs::status(target_, error);
                if (!error && fs::is_regular_file(old_status))
                    fs::permissions(written_, old_status.permissions(), error);
                ok = publish(written_, target_);
            }
            // Otherwise the old file stays as it was; the unfinished new one goes.
            if (!ok) fs::remove(written_, error);
            break;
        }
        case Commit::Rewrite: {
            std::string bytes;
            ok = ok && !file_step_fails(FileStep::Flush, target_) && std::fflush(handle) == 0;
            ok = ok && contents_of(handle, bytes) && rewrite_in_place(target_, bytes);
            std::fclose(handle);
            break;
        }
    }
    return ok ? 0 : 1;
}

void OpenFile::before_read() {
    // The seek writes out what is still buffered; a failure there is a failed write.
    if (last_use_ == LastUse::Write && std::fseek(handle_, 0, SEEK_CUR) != 0) write_failed_ = true;
    last_use_ = LastUse::Read;
}

void OpenFile::before_write() {
    if (last_use_ == LastUse::Read) std::fseek(handle_, 0, SEEK_CUR);
    wrote_ = true;
    last_use_ = LastUse::Write;
}

// A long file written for a rename is set on its way to the disk while the rest of it is still
// being written, so the flush at close (a database of ten thousand entries is ten megabytes)
// waits for the last stretch only instead of all of it.
void OpenFile::after_write(std::size_t count) {
#if defined(__linux__)
    constexpr std::size_t WRITE_BEHIND_BYTES = std::size_t{1} << 20;
    if (commit_ != Commit::Replace) return;
    not_yet_on_its_way_ += count;
    if (not_yet_on_its_way_ < WRITE_BEHIND_BYTES) return;
    not_yet_on_its_way_ = 0;
    if (std::fflush(handle_) != 0) {
        write_failed_ = true;
        return;
    }
    // Only starts the writing: whether it reached the disk is still known at close.
    (void)sync_file_range(fileno(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)count;
#endif
}

long OpenFile::position() const {
    return std::ftell(handle_);
}

void OpenFile::set_position(long position) {
    if (last_use_ == LastUse::Write && std::fflush(handle_) != 0) write_failed_ = true;
    std::fseek(handle_, position < 0 ? 0 : position, SEEK_SET);
    last_use_ = LastUse::None;
}

bool OpenFile::at_end() {
    // Looking at the next byte costs nothing while it is in the read buffer, which matters
    // because the programs ask before every line they read.
    before_read();
    int next = std::fgetc(handle_);
    if (next == EOF) {
        // The file may still grow, so later reads must try again; an error stays noted.
        if (!std::ferror(handle_)) std::clearerr(handle_);
        return true;
    }
    std::ungetc(next, handle_);
    return false;
}

// ---- FileVar -----------------------------------------------------------------------------

FileVar::FileVar() = default;
FileVar::~FileVar() = default;
FileVar::FileVar(FileVar&&) noexcept = default;
FileVar& FileVar::operator=(FileVar&&) noexcept = default;

void FileVar::reset(std::unique_ptr<OpenFile> file) {
    file_ = std::move(file);
}

std::unique_ptr<OpenFile> FileVar::release() {
    return std::move(file_);
}

// ---- opening and closing -----------------------------------------------------------------

int open_file(FileVar& file, FileKind kind, const std::string& path, const std::string& mode) {
    if (!is_file_kind(kind)) {
        report_misuse("Runtime error (OPENFILE): file variable expected");
        return 1;
    }
    std::string where = system_path(path);
    if (where.empty()) return 1;
    std::unique_ptr<OpenFile> opened;
    switch (parse_mode(mode)) {
        case Mode::Read:
            opened = open_existing(kind, where, "rb");
            break;
        case Mode::ReadWrite:
            if (kind == FileKind::Binary) opened = open_existing(kind, where, "r+b");
            break;
        case Mode::Write:
            opened = open_for_writing(kind, where);
            break;
        case Mode::Append:
            opened = open_for_appending(kind, where);
            break;
        case Mode::Invalid:
            break;
    }
    if (!opened) return 1;
    file.reset(std::move(opened));  // a file the variable still held is closed first
    return 0;
}

int close_file(FileVar& file, FileKind kind) {
    if (!is_file_kind(kind)) {
        report_misuse("Runtime Error: Invalid file variable");
        return 1;
    }
    std::unique_ptr<OpenFile> open = file.release();
    if (!open) return 0;
    return open->close();
}

bool at_end(FileVar& file, FileKind kind) {
    if (!is_file_kind(kind)) {
        report_misuse("Runtime error (EOF): file variable expected");
        return true;
    }
    OpenFile* open = file.file();
    if (!open) return true;
    return open->at_end();
}

long file_position(FileVar& file) {
    OpenFile* open = file.file();
    return open ? open->position() : 0;
}

void file_position(FileVar& file, long position) {
    if (OpenFile* open = file.file()) open->set_position(position);
}

// ---- whole files -------------------------------------------------------------------------

namespace {

// Whether two files hold the same bytes, read a block at a time and stopping at the first
// difference; a file that cannot be read holds nothing in common with the other.
bool same_bytes(const std::string& one, const std::string& other) {
    std::error_code error;
    const auto size = fs::file_size(one, error);
    if (error || fs::file_size(other, error) != size || error) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> a(std::fopen(one.c_str(), "rb"), std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> b(std::fopen(other.c_str(), "rb"), std::fclose);
    if (!a || !b) return false;
    std::string block_a(1 << 16, '\0');
    std::string block_b(block_a.size(), '\0');
    for (;;) {
        const std::size_t got = std::fread(block_a.data(), 1, block_a.size(), a.get());
        if (std::fread(block_b.data(), 1, block_b.size(), b.get()) != got ||
            block_a.compare(0, got, block_b, 0, got) != 0) {
            return false;
        }
        if (got < block_a.size()) return std::feof(a.get()) && std::feof(b.get());
    }
}

}  // namespace

bool file_delete(const std::string& path) {
    std::string where = system_path(path);
    std::error_code error;
    if (where.empty() || fs::is_directory(where, error)) return false;
    if (file_step_fails(FileStep::Delete, where)) return false;
    return fs::remove(where, error);
}

bool file_copy(const std::string& from, const std::string& to, bool fail_if_exists) {
    std::string source = system_path(from);
    std::string target = system_path(to);
    std::error_code error;
    if (source.empty() || target.empty() || !fs::is_regular_file(source, error)) return false;
    if (fs::exists(target, error) && (fail_if_exists || fs::equivalent(source, target, error)))
        return false;
    // A copy that already holds every byte of the original stays as it is. The to-do program
    // backs its database up at every start, and would otherwise write the same bytes again and
    // wait for the disk to take them each time it is opened without a change.
    if (same_bytes(source, target)) return true;
    // Written like any other rewrite ("W"), so an interrupted copy never leaves half a backup
    // in place of a whole one.
    FileVar original;
    FileVar copy;
    if (open_file(original, FileKind::Binary, from, "R") != 0) return false;
    if (open_file(copy, FileKind::Binary, to, "W") != 0) return false;
    std::string block(1 << 16, '\0');
    for (int got; (got = read_bytes(original, block.data(), block.size())) > 0;) {
        if (write_bytes(copy, block.data(), static_cast<std::size_t>(got)) != got) break;
    }
    // A read that stopped early leaves the copy unfinished: it must not replace anything.
    if (!at_end(original, FileKind::Binary) || std::ferror(original.file()->handle()))
        copy.file()->note_write_failure();
    close_file(original, FileKind::Binary);
    return close_file(copy, FileKind::Binary) == 0;
}

bool file_exists(const std::string& path) {
    std::string where = system_path(path);
    std::error_code error;
    return !where.empty() && fs::exists(where, error);
}

bool file_rename(const std::string& from, const std::string& to) {
    std::string source = system_path(from);
    std::string target = system_path(to);
    if (source.empty() || target.empty()) return false;
    if (file_step_fails(FileStep::Rename, source)) return false;
    std::error_code error;
    fs::rename(source, target, error);
    return !error;
}

}  // namespace common
