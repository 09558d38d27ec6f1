// Committing what was written: to the disk itself, by a rename that survives a power cut, or
// in place where a folder takes no new files; and tidying up after writers that were killed.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "common/file_lock.h"
#include "file_faults.h"
#include "open_file.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace common {

namespace fs = std::filesystem;

namespace {

// The bytes a record file's header lives in. They are written last, on their own, so that a
// header never announces records that are not yet on the disk. One sector: written whole or
// not at all by the disk.
constexpr std::size_t HEAD_BYTES = 512;
constexpr std::size_t CHUNK_BYTES = 1 << 16;

bool sync_handle(std::FILE* handle, const std::string& path) {
    if (file_step_fails(FileStep::Sync, path)) return false;
#ifdef _WIN32
    return _commit(_fileno(handle)) == 0;
#else
    return fsync(fileno(handle)) == 0;
#endif
}

bool flush_handle(std::FILE* handle, const std::string& path) {
    if (file_step_fails(FileStep::Flush, path)) return false;
    return std::fflush(handle) == 0;
}

// A rename is kept by the folder's entry; until the folder reaches the disk, a power cut may
// bring the old name back. A folder that cannot be synced (some file systems refuse) has still
// been renamed in, so that is not a failed save.
void sync_folder_of(const std::string& path) {
#ifndef _WIN32
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor < 0) return;
    (void)fsync(descriptor);
    ::close(descriptor);
#else
    (void)path;
#endif
}

bool write_at(std::FILE* handle, const std::string& path, std::size_t at, const char* bytes,
              std::size_t count) {
    if (count == 0) return true;
    if (std::fseek(handle, static_cast<long>(at), SEEK_SET) != 0) return false;
    if (file_step_fails(FileStep::Write, path)) return false;
    return std::fwrite(bytes, 1, count, handle) == count && flush_handle(handle, path);
}

bool cut_to(std::FILE* handle, std::size_t size) {
#ifdef _WIN32
    return _chsize_s(_fileno(handle), static_cast<__int64>(size)) == 0;
#else
    return ftruncate(fileno(handle), static_cast<off_t>(size)) == 0;
#endif
}

bool all_digits(const std::string& text) {
    return !text.empty() && text.size() <= 19 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool plain_host_name(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

// Who wrote a temporary of `base`: "base.~host.pid.n", or "base.~pid.n" as earlier versions
// named them, without the host.
struct TemporaryWriter {
    bool is_temporary = false;
    bool names_host = false;
    std::string host;
    unsigned long process = 0;
};

TemporaryWriter writer_of(const std::string& name, const std::string& base) {
    const std::string lead = base + ".~";
    if (name.size() <= lead.size() || name.compare(0, lead.size(), lead) != 0) return {};
    std::vector<std::string> parts;
    std::size_t from = lead.size();
    for (std::size_t dot; (dot = name.find('.', from)) != std::string::npos; from = dot + 1)
        parts.push_back(name.substr(from, dot - from));
    parts.push_back(name.substr(from));
    if (parts.size() < 2 || parts.size() > 3) return {};
    const std::string& process = parts[parts.size() - 2];
    if (!all_digits(process) || !all_digits(parts.back())) return {};
    if (parts.size() == 3 && !plain_host_name(parts[0])) return {};
    return {true, parts.size() == 3, parts.size() == 3 ? parts[0] : std::string(),
            std::stoul(process)};
}

// A temporary without a host may come from an earlier version on another desktop of a shared
// folder, whose process number says nothing here. No save takes anywhere near an hour, so one
// older than that is left over, whoever left it.
constexpr auto UNNAMED_HOST_LEFT_OVER = std::chrono::hours(1);

bool left_over(const fs::directory_entry& file, const TemporaryWriter& writer) {
    if (!writer.is_temporary || writer.process == this_process()) return false;
    if (writer.names_host) return writer.host == this_host() && !process_running(writer.process);
    std::error_code error;
    const fs::file_time_type written = file.last_write_time(error);
    return !error && !process_running(writer.process) &&
           fs::file_time_type::clock::now() - written > UNNAMED_HOST_LEFT_OVER;
}

// A long file that a rename replaces is given a second name first, so the rename only moves a
// name and the file itself goes with its last name, beside the save: dropping ten megabytes
// from the cache and the disk takes milliseconds nobody waiting on the save needs to wait.
// "" for a short file, or where no second name could be given.
std::string keep_long_file_aside(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return {};
#else
    constexpr std::uintmax_t LONG_FILE_BYTES = std::uintmax_t{1} << 20;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size < LONG_FILE_BYTES) return {};
    const std::string aside = temporary_beside(path);
    return ::link(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
#endif
}

// Removes the second name. Should the program end first, the name is one of its temporaries
// and the next save of the file tidies it away.
void let_go_of(const std::string& aside) {
#ifndef _WIN32
    std::thread([aside] { ::unlink(aside.c_str()); }).detach();
#else
    (void)aside;
#endif
}

}  // namespace

bool flush_and_sync(std::FILE* handle, const std::string& path) {
    return flush_handle(handle, path) && sync_handle(handle, path);
}

bool publish(const std::string& from, const std::string& to) {
    if (file_step_fails(FileStep::Rename, to)) return false;
    const std::string old_copy = keep_long_file_aside(to);
    std::error_code error;
    fs::rename(from, to, error);
    if (!error) sync_folder_of(to);
    // Only now: the folder's flush would otherwise wait for the old file to be taken apart.
    if (!old_copy.empty()) let_go_of(old_copy);
    return !error;
}

bool rewrite_in_place(const std::string& target, const std::string& bytes) {
    std::FILE* handle = std::fopen(target.c_str(), "r+b");
    if (!handle) return false;
    std::fseek(handle, 0, SEEK_END);
    const long end = std::ftell(handle);
    const std::size_t old_size = end > 0 ? static_cast<std::size_t>(end) : 0;
    const std::size_t head = std::min(HEAD_BYTES, bytes.size());
    // First what grows the file: if the disk is full, the old contents are still untouched.
    const std::size_t grown_from = std::max(old_size, head);
    bool ok =
        write_at(handle, target, grown_from, bytes.data() + std::min(grown_from, bytes.size()),
                 bytes.size() > grown_from ? bytes.size() - grown_from : 0);
    // Then the rest from the end backwards, and the head alone once the rest is on the disk.
    for (std::size_t stop = std::min(grown_from, bytes.size()); ok && stop > head;) {
        const std::size_t start = std::max(head, stop > CHUNK_BYTES ? stop - CHUNK_BYTES : 0);
        ok = write_at(handle, target, start, bytes.data() + start, stop - start);
        stop = start;
    }
    ok = ok && sync_handle(handle, target);
    if (!ok) {
        // The old head still speaks for the file: give it back its old length too.
        cut_to(handle, old_size);
        std::fclose(handle);
        return false;
    }
    ok = write_at(handle, target, 0, bytes.data(), head);
    if (ok && bytes.size() < old_size) ok = cut_to(handle, bytes.size());
    ok = ok && sync_handle(handle, target);
    return std::fclose(handle) == 0 && ok;
}

void take_back_append(const std::string& target, long original_size) {
    std::error_code error;
    if (original_size >= 0 &&
        fs::file_size(target, error) > static_cast<std::uintmax_t>(original_size))
        fs::resize_file(target, static_cast<std::uintmax_t>(original_size), error);
}

void remove_stale_temporaries(const std::string& target) {
    const fs::path path(target);
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    const std::string base = path.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!left_over(*it, writer_of(name, base))) continue;
        std::error_code ignored;
        if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
    }
}

}  // namespace common
