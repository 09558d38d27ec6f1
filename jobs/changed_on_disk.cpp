#include "changed_on_disk.h"

#include <map>
#include <optional>

#include "common/file_lock.h"
#include "common/file_stamp.h"
#include "common/files.h"
#include "common/services.h"

namespace jobs {

namespace {

std::map<std::string, common::FileStamp>& seen() {
    static std::map<std::string, common::FileStamp> stamps;
    return stamps;
}

std::string by_whom(const std::string& lock_path) {
    if (lock_path.empty()) return {};
    const std::optional<common::LockHolder> holder = common::lock_holder(lock_path);
    if (!holder || holder->host.empty()) return {};
    if (holder->host == common::this_host() && holder->process == common::this_process()) return {};
    return " by " + holder->user + " on " + holder->host;
}

}  // namespace

void note_file_seen(const std::string& path) {
    seen()[common::native_path(path)] = common::file_stamp(path);
}

bool may_write_over(const std::string& path, const std::string& lock_path) {
    const auto known = seen().find(common::native_path(path));
    if (known == seen().end()) return true;
    const common::FileStamp now = common::file_stamp(path);
    if (!now.exists || now == known->second) return true;
    const long long changed = now.modified_ns / 1000000000;
    const int answer = common::message_box(
        nullptr,
        common::native_path(path) + "\r\nwas changed on disk at " +
            common::lock_time_text(changed) + by_whom(lock_path) +
            ", after it was opened here.\r\n\r\nSave over it?",
        "The file changed on disk...", common::MB_YESNO | common::MB_ICONQUESTION);
    return answer == common::IDYES;
}

}  // namespace jobs
