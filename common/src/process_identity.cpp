// Who this process is, for the lock files and temporaries that several desktops sharing one
// office folder leave beside the office's files: the machine, the user, the process.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/file_lock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace common {

namespace {

// Only letters, digits, "-" and "_": a host name goes into file names, between dots that
// separate it from the process and the counter, on every file system a share may have.
std::string as_file_name_part(const std::string& name) {
    std::string part;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        part += plain ? c : '-';
    }
    return part.empty() ? std::string("host") : part;
}

std::string one_line(std::string text) {
    text.erase(
        std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
        text.end());
    return text;
}

std::string host_name() {
#ifdef _WIN32
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
#else
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
#endif
}

std::string user_name() {
#ifdef _WIN32
    char name[257] = {};
    DWORD size = sizeof name;
    if (GetUserNameA(name, &size) && size > 0) return std::string(name, size - 1);
    const char* variable = std::getenv("USERNAME");
#else
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_name != nullptr)
        return entry->pw_name;
    const char* variable = std::getenv("USER");
    if (variable == nullptr) variable = std::getenv("LOGNAME");
#endif
    return variable != nullptr ? variable : "";
}

}  // namespace

std::string this_host() {
    static const std::string host = as_file_name_part(host_name());
    return host;
}

std::string this_user() {
    static const std::string user = one_line(user_name());
    return user.empty() ? std::string("someone") : user;
}

unsigned long this_process() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

bool process_running(unsigned long process) {
#ifdef _WIN32
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
    if (!handle) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    CloseHandle(handle);
    return running;
#else
    if (process == 0 || process > static_cast<unsigned long>(INT32_MAX)) return true;
    return kill(static_cast<pid_t>(process), 0) == 0 || errno != ESRCH;
#endif
}

long long seconds_now() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

LockHolder this_holder() {
    const long long now = seconds_now();
    return LockHolder{this_user(), this_host(), this_process(), now, now};
}

}  // namespace common
