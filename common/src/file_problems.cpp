#include "common/file_problems.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "open_file.h"

#ifdef _WIN32
#include <io.h>
#define KEZ_ACCESS _access
#define KEZ_WRITABLE 2
#else
#include <unistd.h>
#define KEZ_ACCESS access
#define KEZ_WRITABLE W_OK
#endif

namespace common {

namespace fs = std::filesystem;

namespace {

std::string folder_of(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

std::string file_problem(const std::string& path, int error) {
    const std::string where = system_path(path);
    const std::string folder = folder_of(where);
    std::error_code ignored;
    if (!fs::is_directory(folder, ignored)) return "the folder " + folder + " cannot be reached";
    if (fs::is_directory(where, ignored)) return where + " is a folder, not a file";
    if (fs::exists(where, ignored) && KEZ_ACCESS(where.c_str(), KEZ_WRITABLE) != 0)
        return "the file " + where + " is read-only";
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return "the folder " + folder + " does not let this user write there";
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "the disk is full";
        case EIO:
            return "writing in the folder " + folder + " failed (input/output error)";
        case ENOENT:
        case ENOTDIR:
#ifdef ENOTCONN
        case ENOTCONN:
#endif
#ifdef ESTALE
        case ESTALE:
#endif
            return "the folder " + folder + " cannot be reached";
        case 0:
            return "the file " + where + " could not be written";
        default:
            return std::string("the system says: ") + std::strerror(error);
    }
}

std::string lock_problem(const std::string& lock_path, const LockAttempt& attempt) {
    if (attempt.outcome == LockAttempt::Outcome::Failed)
        return file_problem(lock_path, attempt.error);
    const LockHolder& holder = attempt.holder;
    if (holder.host.empty()) return "it is locked by another program (" + lock_path + ")";
    return "it is locked by " + holder.user + " on " + holder.host + " since " +
           lock_time_text(holder.since);
}

}  // namespace common
