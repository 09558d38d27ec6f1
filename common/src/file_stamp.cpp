// File stamps from one status call of the platform.
#include "common/file_stamp.h"

#include "open_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace common {

FileStamp file_stamp(const std::string& path) {
    FileStamp stamp;
    const std::string where = system_path(path);
    if (where.empty()) return stamp;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(where.c_str(), GetFileExInfoStandard, &data)) return stamp;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return stamp;
    stamp.exists = true;
    stamp.size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::uint64_t ticks = (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime;  // 100 ns since 1601
    stamp.modified_ns = static_cast<std::int64_t>(ticks - 116444736000000000ULL) * 100;
    const std::uint64_t created = (std::uint64_t(data.ftCreationTime.dwHighDateTime) << 32) |
                                  data.ftCreationTime.dwLowDateTime;
    stamp.changed_ns = static_cast<std::int64_t>(created);
#else
    struct stat status;
    if (::stat(where.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(status.st_size);
#if defined(__APPLE__)
    const timespec modified = status.st_mtimespec;
    const timespec changed = status.st_ctimespec;
#else
    const timespec modified = status.st_mtim;
    const timespec changed = status.st_ctim;
#endif
    stamp.modified_ns = std::int64_t(modified.tv_sec) * 1000000000 + modified.tv_nsec;
    stamp.changed_ns = std::int64_t(changed.tv_sec) * 1000000000 + changed.tv_nsec;
    stamp.file_id = static_cast<std::uint64_t>(status.st_ino);
#endif
    return stamp;
}

bool stamp_in_whole_seconds(const FileStamp& stamp) {
    return stamp.exists && stamp.modified_ns % 1000000000 == 0;
}

}  // namespace common
