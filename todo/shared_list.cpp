#include "shared_list.h"

#include <cerrno>

#include "common/file_lock.h"
#include "common/file_problems.h"
#include "common/files.h"
#include "database_file.h"

namespace todo {

namespace {

// A file system that keeps whole seconds may give a second save within the same second the
// same stamp; once this long has passed since the stamp was taken, that second is over.
constexpr auto WHOLE_SECOND_SETTLES = std::chrono::milliseconds(2000);

MergedList as_shown(const std::vector<Entry>& shown) {
    MergedList list{shown, std::vector<int>(shown.size()), {}};
    for (std::size_t row = 0; row < shown.size(); ++row) list.screen_rows[row] = int(row);
    return list;
}

}  // namespace

std::string database_lock_path(const std::string& database) {
    return database + ".lock";
}

SharedList& shared_list() {
    static SharedList list;
    return list;
}

void SharedList::read(const std::string& path, const std::vector<Entry>& entries) {
    path_ = path;
    base_ = entries;
    stamp_now();
}

void SharedList::emptied() {
    base_.clear();
    stamp_now();
}

void SharedList::stamp_now() {
    stamp_ = common::file_stamp(path_);
    stamped_at_ = std::chrono::steady_clock::now();
    verify_ = common::stamp_in_whole_seconds(stamp_);
}

bool SharedList::changed_since_base() {
    if (!(common::file_stamp(path_) == stamp_)) return true;
    if (!verify_ || std::chrono::steady_clock::now() - stamped_at_ < WHOLE_SECOND_SETTLES)
        return false;
    // Read once to be sure: after this the stamp alone tells.
    verify_ = false;
    std::vector<Entry> disk;
    bool whole = true;
    return read_database_file(path_, disk, whole) && !alike_in_file(disk, base_);
}

SaveOutcome SharedList::save(const std::vector<Entry>& shown) {
    SaveOutcome outcome;
    outcome.list = as_shown(shown);
    const std::string lock_path = database_lock_path(path_);
    common::HeldLock lock(lock_path, SAVE_LOCK_WAIT_MS);
    if (!lock.taken()) {
        outcome.problem = common::lock_problem(lock_path, lock.attempt());
        return outcome;
    }
    // A file that went missing is not an empty list: nobody's entries are taken from it.
    if (changed_since_base() && common::file_exists(path_)) {
        const common::FileStamp read_at = common::file_stamp(path_);
        std::vector<Entry> disk;
        bool whole = true;
        if (!read_database_file(path_, disk, whole)) {
            outcome.problem = common::file_problem(path_, errno);
            return outcome;
        }
        outcome.list = merge_entries(base_, shown, disk);
        outcome.merged = true;
        base_ = std::move(disk);
        stamp_ = read_at;
    }
    if (!write_database_file(path_, outcome.list.entries)) {
        outcome.problem = common::file_problem(path_, errno);
        return outcome;
    }
    outcome.saved = true;
    base_ = outcome.list.entries;
    stamp_now();
    return outcome;
}

std::optional<MergedList> SharedList::take_in(const std::vector<Entry>& shown) {
    if (path_.empty() || !changed_since_base()) return std::nullopt;
    const common::HeldLock lock(database_lock_path(path_), 0);
    if (!lock.taken()) return std::nullopt;
    const common::FileStamp read_at = common::file_stamp(path_);
    if (!read_at.exists) {
        // Gone (deleted by hand, or the share went away): nothing to take in until it is back.
        stamp_ = read_at;
        return std::nullopt;
    }
    std::vector<Entry> disk;
    bool whole = true;
    if (!read_database_file(path_, disk, whole)) return std::nullopt;
    MergedList merged = merge_entries(base_, shown, disk);
    base_ = std::move(disk);
    stamp_ = read_at;
    stamped_at_ = std::chrono::steady_clock::now();
    verify_ = common::stamp_in_whole_seconds(stamp_);
    return merged;
}

}  // namespace todo
