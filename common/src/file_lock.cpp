// Lock files: made with an exclusive create, which every file system and network share the
// office may use passes through, holding the holder's name in a few text lines.
#include "common/file_lock.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

#include "open_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace common {

namespace fs = std::filesystem;

namespace {

constexpr const char* FIRST_LINE = "kez-office lock";
// A breaker that died half-way through breaking a stale lock blocks the breaking no longer.
constexpr auto BREAKER_LIFETIME = std::chrono::seconds(30);
constexpr auto RETRY_PAUSE = std::chrono::milliseconds(25);
// A lock file is a few lines; anything longer is not one of ours.
constexpr std::streamsize LONGEST_LOCK_FILE = 4096;

std::string holder_text(const LockHolder& holder) {
    return std::string(FIRST_LINE) + "\nuser: " + holder.user + "\nhost: " + holder.host +
           "\nprocess: " + std::to_string(holder.process) +
           "\nsince: " + std::to_string(holder.since) +
           "\nrefreshed: " + std::to_string(holder.refreshed) + "\n";
}

long long number_after(const std::string& line, std::size_t at) {
    try {
        return std::stoll(line.substr(at));
    } catch (...) {
        return 0;
    }
}

std::optional<LockHolder> parse_holder(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != FIRST_LINE) return std::nullopt;
    LockHolder holder;
    bool has_host = false;
    bool has_refresh = false;
    while (std::getline(lines, line)) {
        if (line.rfind("user: ", 0) == 0) holder.user = line.substr(6);
        if (line.rfind("host: ", 0) == 0) {
            holder.host = line.substr(6);
            has_host = true;
        }
        if (line.rfind("process: ", 0) == 0)
            holder.process = static_cast<unsigned long>(number_after(line, 9));
        if (line.rfind("since: ", 0) == 0) holder.since = number_after(line, 7);
        if (line.rfind("refreshed: ", 0) == 0) {
            holder.refreshed = number_after(line, 11);
            has_refresh = true;
        }
    }
    if (!has_host || !has_refresh) return std::nullopt;
    return holder;
}

bool read_small_file(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(static_cast<std::size_t>(LONGEST_LOCK_FILE), '\0');
    in.read(text.data(), LONGEST_LOCK_FILE);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return true;
}

// 0 when the file was made here with these contents, else the error (EEXIST: it is there).
int create_exclusive(const std::string& path, const std::string& contents) {
#ifdef _WIN32
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST
               : error == ERROR_ACCESS_DENIED                              ? EACCES
                                                                           : ENOENT;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == contents.size() ? 0 : EIO;
#else
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (descriptor < 0) return errno;
    const ssize_t written = ::write(descriptor, contents.data(), contents.size());
    ::close(descriptor);
    return written == static_cast<ssize_t>(contents.size()) ? 0 : EIO;
#endif
}

bool older_than(const std::string& path, std::chrono::seconds age) {
    std::error_code error;
    const fs::file_time_type written = fs::last_write_time(path, error);
    return !error && fs::file_time_type::clock::now() - written > age;
}

// A lock file that holds no holder (one being written this instant, or a stray file) is stale
// only once it has stood unchanged for as long as a silent holder may.
bool file_is_stale(const std::string& path, const std::optional<LockHolder>& holder,
                   long long stale_seconds) {
    if (holder) return lock_is_stale(*holder, stale_seconds);
    return older_than(path, std::chrono::seconds(stale_seconds));
}

// Two desktops may find the same stale lock at once. Making a new lock is exclusive anyway;
// only removing the stale one needs care, lest one of them remove the lock the other has just
// made. So the removing is done under a second lock, and only when the lock file still holds
// exactly what was judged stale.
void break_stale_lock(const std::string& path, const std::string& judged) {
    const std::string breaker = path + ".break";
    if (create_exclusive(breaker, holder_text(this_holder())) != 0) {
        if (older_than(breaker, BREAKER_LIFETIME)) {
            std::error_code ignored;
            fs::remove(breaker, ignored);
        }
        return;
    }
    std::string now;
    std::error_code ignored;
    if (read_small_file(path, now) && now == judged) fs::remove(path, ignored);
    fs::remove(breaker, ignored);
}

bool same_holding(const LockHolder& one, const LockHolder& other) {
    return one.host == other.host && one.process == other.process && one.since == other.since;
}

}  // namespace

bool lock_is_stale(const LockHolder& holder, long long stale_seconds) {
    if (holder.host == this_host() && holder.process != this_process() &&
        !process_running(holder.process))
        return true;
    return seconds_now() - holder.refreshed > stale_seconds;
}

LockAttempt take_lock(const std::string& lock_path, int wait_ms, long long stale_seconds) {
    const std::string path = system_path(lock_path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
    LockAttempt attempt;
    for (;;) {
        const LockHolder mine = this_holder();
        const int error = create_exclusive(path, holder_text(mine));
        if (error == 0) return {LockAttempt::Outcome::Taken, mine, 0};
        if (error != EEXIST) {
            attempt = {LockAttempt::Outcome::Failed, {}, error};
            // A lock half made (the disk filled while writing it) must not stay behind.
            if (error == EIO) {
                std::error_code ignored;
                fs::remove(path, ignored);
            }
            return attempt;
        }
        std::string seen;
        const bool readable = read_small_file(path, seen);
        const std::optional<LockHolder> holder = parse_holder(seen);
        if (readable && file_is_stale(path, holder, stale_seconds)) {
            break_stale_lock(path, seen);
            continue;
        }
        attempt = {LockAttempt::Outcome::Held, holder.value_or(LockHolder{}), 0};
        if (std::chrono::steady_clock::now() >= deadline) return attempt;
        std::this_thread::sleep_for(RETRY_PAUSE);
    }
}

std::optional<LockHolder> lock_holder(const std::string& lock_path) {
    std::string text;
    if (!read_small_file(system_path(lock_path), text)) return std::nullopt;
    if (std::optional<LockHolder> holder = parse_holder(text)) return holder;
    return LockHolder{};  // a lock whose holder it does not name
}

bool refresh_lock(const std::string& lock_path, const LockHolder& mine) {
    const std::string path = system_path(lock_path);
    const std::optional<LockHolder> now = lock_holder(lock_path);
    if (!now || !same_holding(*now, mine)) return false;
    LockHolder renewed = mine;
    renewed.refreshed = seconds_now();
    // Renewed by a rename, so a reader never finds the lock file empty.
    const std::string fresh = temporary_beside(path);
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out << holder_text(renewed);
        if (!out.flush()) {
            std::error_code ignored;
            fs::remove(fresh, ignored);
            return true;  // not renewed this time; still ours
        }
    }
    std::error_code error;
    fs::rename(fresh, path, error);
    if (error) fs::remove(fresh, error);
    return true;
}

void release_lock(const std::string& lock_path, const LockHolder& mine) {
    const std::optional<LockHolder> now = lock_holder(lock_path);
    if (!now || !same_holding(*now, mine)) return;
    std::error_code ignored;
    fs::remove(system_path(lock_path), ignored);
}

std::string lock_time_text(long long seconds) {
    const std::time_t moment = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &moment);
#else
    localtime_r(&moment, &local);
#endif
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d on %02d-%02d-%04d", local.tm_hour, local.tm_min,
                  local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
    return text;
}

HeldLock::HeldLock(std::string lock_path, int wait_ms, long long stale_seconds)
    : path_(std::move(lock_path)), attempt_(take_lock(path_, wait_ms, stale_seconds)) {}

HeldLock::~HeldLock() {
    if (taken()) release_lock(path_, attempt_.holder);
}

}  // namespace common
