// What one status call tells about a file: enough to see that another desktop has replaced it
// since it was last read, without reading it.
#pragma once

#include <cstdint>
#include <string>

namespace common {

struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modified_ns = 0;  // last write, nanoseconds since 1970 as the file system keeps it
    std::int64_t changed_ns = 0;   // last change of the file's entry (a rename onto it), POSIX
    std::uint64_t file_id = 0;     // the file itself: a save renamed into place is a new one
    bool operator==(const FileStamp&) const = default;
};

// One status call. A missing or unreachable file has exists false.
FileStamp file_stamp(const std::string& path);

// A file system that keeps whole seconds only (a share reached over SFTP, FAT) may give two
// saves in one second the same stamp; such a stamp is trusted only once that second is over.
bool stamp_in_whole_seconds(const FileStamp& stamp);

}  // namespace common
