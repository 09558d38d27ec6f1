#include "shared_list.h"

#include <cerrno>
#include <numeric>
#include <unordered_map>

#include "common/file_lock.h"
#include "common/file_problems.h"
#include "common/files.h"
#include "database_file.h"

namespace todo {

namespace {

// A file system that keeps whole seconds may give a second save within the same second the
// same stamp; once this long has passed since the stamp was taken, that second is over.
constexpr auto WHOLE_SECOND_SETTLES = std::chrono::milliseconds(2000);

std::vector<int> each_its_own(std::size_t rows) {
    std::vector<int> rows_of(rows);
    std::iota(rows_of.begin(), rows_of.end(), 0);
    return rows_of;
}

MergedList as_shown(const std::vector<Entry>& shown, const std::vector<int>& in_base) {
    return MergedList{shown, each_its_own(shown.size()), in_base, {}};
}

// Entries of the file paired with the base by the identities both hold.
std::vector<int> paired_by_identity(const std::vector<EntryId>& base,
                                    const std::vector<EntryId>& disk) {
    std::unordered_map<EntryId, int> where;
    for (std::size_t b = 0; b < base.size(); ++b)
        if (base[b] != 0) where.emplace(base[b], int(b));
    std::vector<int> pairs(disk.size(), -1);
    for (std::size_t d = 0; d < disk.size(); ++d) {
        const auto found = disk[d] != 0 ? where.find(disk[d]) : where.end();
        if (found != where.end()) pairs[d] = found->second;
    }
    return pairs;
}

}  // namespace

std::string database_lock_path(const std::string& database) {
    return database + ".lock";
}

SharedList& shared_list() {
    static SharedList list;
    return list;
}

void SharedList::read(const std::string& path, const std::vector<Entry>& entries,
                      const std::vector<EntryId>& ids) {
    path_ = path;
    base_ = entries;
    base_ids_ = ids;
    base_ids_.resize(entries.size(), 0);
    base_bytes_.clear();
    shown_as_base();
    stamp_now();
}

void SharedList::emptied() {
    base_.clear();
    base_ids_.clear();
    base_bytes_.clear();
    shown_as_base();
    stamp_now();
}

void SharedList::stamp_now() {
    stamp_ = common::file_stamp(path_);
    stamped_at_ = std::chrono::steady_clock::now();
    verify_ = common::stamp_in_whole_seconds(stamp_);
}

void SharedList::seen_shown(const std::vector<Entry>& shown, std::vector<int> in_base) {
    shown_is_base_ = false;
    shown_ = shown;
    shown_in_base_ = std::move(in_base);
}

void SharedList::shown_as_base() {
    shown_is_base_ = true;
    shown_.clear();
    shown_in_base_.clear();
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

std::vector<int> SharedList::shown_in_base(const std::vector<Entry>& shown) const {
    if (shown_is_base_) return pair_shown(base_, shown);
    const std::vector<int> since = pair_shown(shown_, shown);
    std::vector<int> in_base(shown.size(), -1);
    for (std::size_t row = 0; row < shown.size(); ++row)
        if (since[row] >= 0) in_base[row] = shown_in_base_[std::size_t(since[row])];
    return in_base;
}

bool SharedList::read_disk(std::vector<Entry>& disk, std::vector<EntryId>& ids,
                           std::vector<int>& pairs, std::string& bytes) {
    bool whole = true;
    if (!read_database_file(path_, disk, whole, ids, {base_bytes_, base_, base_ids_}, bytes))
        return false;
    pairs = pair_entries(base_, disk, paired_by_identity(base_ids_, ids));
    return true;
}

std::vector<EntryId> SharedList::identities_of(const MergedList& merged,
                                               const std::vector<int>& in_base,
                                               const std::vector<EntryId>& disk_ids) const {
    std::vector<EntryId> ids(merged.entries.size(), 0);
    for (std::size_t row = 0; row < ids.size(); ++row) {
        const int d = row < merged.disk_rows.size() ? merged.disk_rows[row] : -1;
        if (d >= 0 && std::size_t(d) < disk_ids.size()) ids[row] = disk_ids[std::size_t(d)];
    }
    // Rows that did not come from a file read now keep the base's identity.
    for (std::size_t s = 0; s < merged.screen_rows.size(); ++s) {
        const int row = merged.screen_rows[s];
        if (row < 0 || ids[std::size_t(row)] != 0 || s >= in_base.size() || in_base[s] < 0)
            continue;
        if (disk_ids.empty()) ids[std::size_t(row)] = base_ids_[std::size_t(in_base[s])];
    }
    for (EntryId& id : ids)
        if (id == 0) id = new_identity();
    return ids;
}

SaveOutcome SharedList::save(const std::vector<Entry>& shown) {
    const std::vector<int> in_base = shown_in_base(shown);
    SaveOutcome outcome;
    const std::string lock_path = database_lock_path(path_);
    common::HeldLock lock(lock_path, SAVE_LOCK_WAIT_MS);
    if (!lock.taken()) {
        outcome.list = as_shown(shown, in_base);
        outcome.problem = common::lock_problem(lock_path, lock.attempt());
        seen_shown(shown, in_base);
        return outcome;
    }
    std::vector<EntryId> disk_ids;
    // A file that went missing is not an empty list: nobody's entries are taken from it.
    if (changed_since_base() && common::file_exists(path_)) {
        const common::FileStamp read_at = common::file_stamp(path_);
        std::vector<Entry> disk;
        std::vector<int> disk_pairs;
        if (!read_disk(disk, disk_ids, disk_pairs, spare_bytes_)) {
            outcome.list = as_shown(shown, in_base);
            outcome.problem = common::file_problem(path_, errno);
            seen_shown(shown, in_base);
            return outcome;
        }
        outcome.list = merge_entries(base_, shown, in_base, disk, disk_pairs);
        outcome.merged = true;
        const std::vector<EntryId> ids = identities_of(outcome.list, in_base, disk_ids);
        // From here the file's list is the base, and the columns show the merged list.
        base_ = std::move(disk);
        base_ids_ = disk_ids;
        base_bytes_.swap(spare_bytes_);
        stamp_ = read_at;
        seen_shown(outcome.list.entries, outcome.list.disk_rows);
        if (!write_database_file(path_, outcome.list.entries, ids, {base_bytes_, base_, base_ids_},
                                 spare_bytes_)) {
            outcome.problem = common::file_problem(path_, errno);
            return outcome;
        }
        base_ids_ = ids;
        base_bytes_.swap(spare_bytes_);
    } else {
        outcome.list = as_shown(shown, in_base);
        const std::vector<EntryId> ids = identities_of(outcome.list, in_base, {});
        if (!write_database_file(path_, outcome.list.entries, ids, {base_bytes_, base_, base_ids_},
                                 spare_bytes_)) {
            outcome.problem = common::file_problem(path_, errno);
            seen_shown(shown, in_base);
            return outcome;
        }
        base_ids_ = ids;
        base_bytes_.swap(spare_bytes_);
    }
    outcome.saved = true;
    base_ = outcome.list.entries;
    shown_as_base();
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
    std::vector<EntryId> ids;
    std::vector<int> disk_pairs;
    if (!read_disk(disk, ids, disk_pairs, spare_bytes_)) return std::nullopt;
    MergedList merged = merge_entries(base_, shown, shown_in_base(shown), disk, disk_pairs);
    base_ = std::move(disk);
    base_ids_ = std::move(ids);
    base_bytes_.swap(spare_bytes_);
    seen_shown(merged.entries, merged.disk_rows);
    stamp_ = read_at;
    stamped_at_ = std::chrono::steady_clock::now();
    verify_ = common::stamp_in_whole_seconds(stamp_);
    return merged;
}

}  // namespace todo
