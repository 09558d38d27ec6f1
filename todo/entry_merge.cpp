#include "entry_merge.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

namespace todo {

namespace {

// An entry as the file keeps it: texts cut to their fields, numbers rounded. Two versions that
// the file would store alike are alike.
struct Kept {
    std::string text, created, date, time;
    std::int32_t priority = 0;
    std::int32_t status = 0;
};

Kept kept_of(const Entry& entry) {
    const EntryRecord record = record_of(entry);
    const auto cut = [](const std::string& text) { return text.substr(0, TEXT_FIELD - 1); };
    return {cut(record.text), cut(record.created), cut(record.date),
            cut(record.time), record.priority,     record.status};
}

// A list's entries as the file keeps them, each worked out only when it is first looked at:
// two versions of a long list are mostly alike as they stand, and then nothing is worked out.
class KeptList {
public:
    explicit KeptList(const std::vector<Entry>& entries) : entries_(entries) {}
    std::size_t size() const { return entries_.size(); }
    const Entry& entry(std::size_t i) const { return entries_[i]; }
    const Kept& operator[](std::size_t i) {
        auto found = kept_.find(i);
        if (found == kept_.end()) found = kept_.emplace(i, kept_of(entries_[i])).first;
        return found->second;
    }

private:
    const std::vector<Entry>& entries_;
    std::unordered_map<std::size_t, Kept> kept_;  // the few that are looked at
};

// Alike as the columns show them, status aside: then alike in the file too.
bool alike_as_shown(const Entry& one, const Entry& other) {
    return one.text == other.text && one.created == other.created &&
           one.priority == other.priority && one.date == other.date && one.time == other.time;
}

// The ways of pairing two versions of a list, most certain first.
enum class Pairing { AllButStatus, TextAndCreated, AllButText };

// A text of the fields one pairing compares. The file's texts hold no zero byte, so one
// separates them.
std::string key_of(const Kept& kept, Pairing pairing) {
    std::string key;
    const auto add = [&key](const std::string& part) {
        key += part;
        key += '\0';
    };
    if (pairing != Pairing::AllButText) add(kept.text);
    add(kept.created);
    if (pairing != Pairing::TextAndCreated) {
        add(std::to_string(kept.priority));
        add(kept.date);
        add(kept.time);
    }
    return key;
}

struct Pairs {
    std::vector<int> of_later;  // later index -> earlier index, -1 when unpaired
    std::vector<char> earlier_paired;
};

// Pairs equal keys in the order the entries stand, so two alike entries pair with two alike;
// `alike` has the last word on a pair (keys may be hashes). The entries of `earlier` waiting
// under one key are chained in their order (a queue per key without a container each: a list of
// ten thousand would otherwise be as many allocations).
template <typename Key, typename KeyOf, typename Alike>
void pair_on_keys(KeptList& earlier, KeptList& later, Pairs& pairs, KeyOf key_of_entry,
                  Alike alike) {
    struct Queue {
        int first = -1, last = -1;
    };
    std::unordered_map<Key, Queue> waiting;
    std::vector<int> next(earlier.size(), -1);
    for (std::size_t i = 0; i < earlier.size(); ++i) {
        if (pairs.earlier_paired[i]) continue;
        Queue& queue = waiting[key_of_entry(earlier, i)];
        if (queue.last >= 0) next[std::size_t(queue.last)] = int(i);
        if (queue.first < 0) queue.first = int(i);
        queue.last = int(i);
    }
    if (waiting.empty()) return;
    for (std::size_t j = 0; j < later.size(); ++j) {
        if (pairs.of_later[j] >= 0) continue;
        const auto found = waiting.find(key_of_entry(later, j));
        if (found == waiting.end() || found->second.first < 0) continue;
        const int i = found->second.first;
        if (!alike(std::size_t(i), j)) continue;
        found->second.first = next[std::size_t(i)];
        pairs.of_later[j] = i;
        pairs.earlier_paired[std::size_t(i)] = 1;
    }
}

void pair_on(Pairing pairing, KeptList& earlier, KeptList& later, Pairs& pairs) {
    pair_on_keys<std::string>(
        earlier, later, pairs,
        [pairing](KeptList& list, std::size_t i) { return key_of(list[i], pairing); },
        [](std::size_t, std::size_t) { return true; });
}

bool alike_but_status(const Kept& one, const Kept& other) {
    return one.text == other.text && one.created == other.created &&
           one.priority == other.priority && one.date == other.date && one.time == other.time;
}

// A hash of what alike_as_shown compares.
std::uint64_t hash_as_shown(const Entry& entry) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string* field :
         {&entry.text, &entry.created, &entry.priority, &entry.date, &entry.time}) {
        for (char c : *field) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        hash = (hash ^ 0xFFu) * 1099511628211ULL;
    }
    return hash;
}

// Entries alike as the columns show them, wherever they stand: most of two versions of a list,
// found without working out how the file keeps each entry. Two different entries with one hash
// are left to the pairings that follow.
void pair_as_shown(KeptList& earlier, KeptList& later, Pairs& pairs) {
    pair_on_keys<std::uint64_t>(
        earlier, later, pairs,
        [](KeptList& list, std::size_t i) { return hash_as_shown(list.entry(i)); },
        [&](std::size_t i, std::size_t j) {
            return alike_as_shown(earlier.entry(i), later.entry(j));
        });
}

bool alike_but_status(KeptList& earlier, std::size_t i, KeptList& later, std::size_t j) {
    return alike_as_shown(earlier.entry(i), later.entry(j)) ||
           alike_but_status(earlier[i], later[j]);
}

// Two versions of a list share most of it, in the same order: what they begin and end with
// alike is paired without looking further.
void pair_common_ends(KeptList& earlier, KeptList& later, Pairs& pairs) {
    const std::size_t shorter = std::min(earlier.size(), later.size());
    std::size_t front = 0;
    while (front < shorter && alike_but_status(earlier, front, later, front)) {
        pairs.of_later[front] = int(front);
        pairs.earlier_paired[front] = 1;
        ++front;
    }
    for (std::size_t back = 1; back <= shorter - front; ++back) {
        const std::size_t i = earlier.size() - back, j = later.size() - back;
        if (!alike_but_status(earlier, i, later, j)) break;
        pairs.of_later[j] = int(i);
        pairs.earlier_paired[i] = 1;
    }
}

// The entries paired so far, in the later list's order. Empty when their order differs
// between the lists (the list was sorted): then where an entry stands says nothing.
std::vector<std::pair<int, int>> anchors_in_order(const Pairs& pairs) {
    std::vector<std::pair<int, int>> anchors;
    for (std::size_t j = 0; j < pairs.of_later.size(); ++j) {
        const int i = pairs.of_later[j];
        if (i < 0) continue;
        if (!anchors.empty() && i < anchors.back().first) return {};
        anchors.emplace_back(i, int(j));
    }
    return anchors;
}

int fields_alike(const Kept& one, const Kept& other) {
    return int(one.text == other.text) + int(one.priority == other.priority) +
           int(one.date == other.date) + int(one.time == other.time);
}

// A stretch between paired entries where entries were deleted as well as changed: each entry
// of the later list goes with the entry of the earlier one, made on the same day, that it is
// most alike in the fields a person changes, and still alike in one at least.
void pair_most_alike(KeptList& earlier, KeptList& later, const std::vector<int>& left,
                     const std::vector<int>& right, Pairs& pairs) {
    for (int j : right) {
        int best = -1;
        int best_alike = 0;
        for (int i : left) {
            if (pairs.earlier_paired[std::size_t(i)]) continue;
            const Kept& one = earlier[std::size_t(i)];
            const Kept& other = later[std::size_t(j)];
            if (one.created != other.created) continue;
            const int alike = fields_alike(one, other);
            if (alike > best_alike) {
                best = i;
                best_alike = alike;
            }
        }
        if (best < 0) continue;
        pairs.of_later[std::size_t(j)] = best;
        pairs.earlier_paired[std::size_t(best)] = 1;
    }
}

// An entry changed in more than one way at once keeps its place among the others: between two
// entries paired already, as many entries unpaired on each side, made on the same day, are the
// same entries changed. After the last entry paired only where no addition can stand there:
// additions go to the end, and an entry deleted at the end and one added would look like one
// entry changed. Between this program's last save and its columns there is no addition, since
// adding saves at once (unless that save failed).
enum class Tail { Paired, Left };

void pair_by_place(KeptList& earlier, KeptList& later, Tail tail, Pairs& pairs) {
    std::vector<std::pair<int, int>> anchors = anchors_in_order(pairs);
    const bool reordered =
        anchors.empty() &&
        std::any_of(pairs.of_later.begin(), pairs.of_later.end(), [](int i) { return i >= 0; });
    if (reordered) return;
    anchors.insert(anchors.begin(), {-1, -1});
    if (tail == Tail::Paired) anchors.emplace_back(int(earlier.size()), int(later.size()));
    for (std::size_t a = 0; a + 1 < anchors.size(); ++a) {
        std::vector<int> left, right;
        for (int i = anchors[a].first + 1; i < anchors[a + 1].first; ++i)
            if (!pairs.earlier_paired[std::size_t(i)]) left.push_back(i);
        for (int j = anchors[a].second + 1; j < anchors[a + 1].second; ++j)
            if (pairs.of_later[std::size_t(j)] < 0) right.push_back(j);
        if (left.empty() || right.empty()) continue;
        if (left.size() == right.size()) {
            for (std::size_t k = 0; k < left.size(); ++k) {
                if (earlier[std::size_t(left[k])].created != later[std::size_t(right[k])].created)
                    continue;
                pairs.of_later[std::size_t(right[k])] = left[k];
                pairs.earlier_paired[std::size_t(left[k])] = 1;
            }
        } else {
            pair_most_alike(earlier, later, left, right, pairs);
        }
    }
}

std::vector<int> pair_kept(KeptList& earlier, KeptList& later, Tail tail,
                           std::vector<int> already = {}) {
    Pairs pairs{std::vector<int>(later.size(), -1), std::vector<char>(earlier.size(), 0)};
    bool any_known = false;
    if (already.size() == later.size()) {
        pairs.of_later = std::move(already);
        for (int i : pairs.of_later) {
            if (i < 0) continue;
            pairs.earlier_paired[std::size_t(i)] = 1;
            any_known = true;
        }
    }
    // Without identities (a file the office's older program wrote), most of two lists still
    // begin and end alike.
    if (!any_known) pair_common_ends(earlier, later, pairs);
    pair_as_shown(earlier, later, pairs);
    for (Pairing pairing : {Pairing::AllButStatus, Pairing::TextAndCreated, Pairing::AllButText})
        pair_on(pairing, earlier, later, pairs);
    pair_by_place(earlier, later, tail, pairs);
    return pairs.of_later;
}

bool changed_by_hand(const Kept& before, const Kept& after) {
    return !alike_but_status(before, after);
}

// One entry changed on either side or both. True in `clash` when a field was changed on both
// to different values: the file's stands.
Entry merge_fields(const Entry& here, const Entry& there, const Kept& base, const Kept& mine,
                   const Kept& theirs, bool& clash) {
    Entry merged = there;
    const auto take = [&](std::string Entry::*field, bool mine_changed, bool theirs_changed,
                          bool alike) {
        if (mine_changed && !theirs_changed) merged.*field = here.*field;
        if (mine_changed && theirs_changed && !alike) clash = true;
    };
    take(&Entry::text, mine.text != base.text, theirs.text != base.text, mine.text == theirs.text);
    take(&Entry::created, mine.created != base.created, theirs.created != base.created,
         mine.created == theirs.created);
    take(&Entry::priority, mine.priority != base.priority, theirs.priority != base.priority,
         mine.priority == theirs.priority);
    take(&Entry::date, mine.date != base.date, theirs.date != base.date, mine.date == theirs.date);
    take(&Entry::time, mine.time != base.time, theirs.time != base.time, mine.time == theirs.time);
    // Statuses are worked out again on every tick, on both desktops alike; the one here is
    // the newer reading.
    if (mine.status != base.status) merged.status = here.status;
    return merged;
}

// Whether this program reordered the entries it shares with the base.
bool sorted_here(const std::vector<int>& screen_pairs) {
    int last = -1;
    for (int b : screen_pairs) {
        if (b < 0) continue;
        if (b < last) return true;
        last = b;
    }
    return false;
}

void sort_by_priority(MergedList& merged) {
    std::vector<std::size_t> order(merged.entries.size());
    std::vector<std::int32_t> keys;
    keys.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        keys.push_back(rounded_value(merged.entries[i].priority));
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<int> new_row(order.size());
    std::vector<Entry> sorted;
    std::vector<int> disk_rows;
    sorted.reserve(order.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        new_row[order[row]] = int(row);
        sorted.push_back(std::move(merged.entries[order[row]]));
        disk_rows.push_back(merged.disk_rows[order[row]]);
    }
    merged.entries = std::move(sorted);
    merged.disk_rows = std::move(disk_rows);
    for (int& row : merged.screen_rows)
        if (row >= 0) row = new_row[std::size_t(row)];
}

std::vector<int> inverse(const std::vector<int>& pairs, std::size_t size) {
    std::vector<int> of(size, -1);
    for (std::size_t j = 0; j < pairs.size(); ++j)
        if (pairs[j] >= 0) of[std::size_t(pairs[j])] = int(j);
    return of;
}

}  // namespace

std::vector<int> pair_entries(const std::vector<Entry>& earlier, const std::vector<Entry>& later,
                              std::vector<int> already) {
    KeptList kept_earlier(earlier), kept_later(later);
    return pair_kept(kept_earlier, kept_later, Tail::Left, std::move(already));
}

std::vector<int> pair_shown(const std::vector<Entry>& earlier, const std::vector<Entry>& later) {
    KeptList kept_earlier(earlier), kept_later(later);
    return pair_kept(kept_earlier, kept_later, Tail::Paired);
}

bool changed_by_hand(const Entry& before, const Entry& after) {
    return changed_by_hand(kept_of(before), kept_of(after));
}

bool alike_in_file(const std::vector<Entry>& one, const std::vector<Entry>& other) {
    if (one.size() != other.size()) return false;
    for (std::size_t i = 0; i < one.size(); ++i) {
        if (one[i] == other[i]) continue;
        const Kept a = kept_of(one[i]);
        const Kept b = kept_of(other[i]);
        if (changed_by_hand(a, b) || a.status != b.status) return false;
    }
    return true;
}

MergedList merge_entries(const std::vector<Entry>& base, const std::vector<Entry>& screen,
                         const std::vector<Entry>& disk) {
    return merge_entries(base, screen, pair_shown(base, screen), disk, pair_entries(base, disk));
}

MergedList merge_entries(const std::vector<Entry>& base, const std::vector<Entry>& screen,
                         const std::vector<int>& screen_pairs, const std::vector<Entry>& disk,
                         const std::vector<int>& disk_pairs) {
    KeptList kept_base(base), kept_screen(screen), kept_disk(disk);
    const std::vector<int> on_screen = inverse(screen_pairs, base.size());
    const std::vector<int> on_disk = inverse(disk_pairs, base.size());

    MergedList merged;
    merged.screen_rows.assign(screen.size(), -1);
    merged.entries.reserve(disk.size() + screen.size());
    for (std::size_t d = 0; d < disk.size(); ++d) {
        const int b = disk_pairs[d];
        if (b < 0) {  // added on another desktop
            merged.disk_rows.push_back(int(d));
            merged.entries.push_back(disk[d]);
            continue;
        }
        const int s = on_screen[std::size_t(b)];
        if (s < 0) {  // deleted here
            if (!alike_as_shown(base[std::size_t(b)], disk[d]) &&
                changed_by_hand(kept_base[std::size_t(b)], kept_disk[d]))
                merged.lost.push_back({disk[d], LostVersion::Why::DeletedHere});
            continue;
        }
        bool clash = false;
        merged.screen_rows[std::size_t(s)] = int(merged.entries.size());
        merged.disk_rows.push_back(int(d));
        const Entry& here = screen[std::size_t(s)];
        const Entry& before = base[std::size_t(b)];
        // Unchanged here, as most entries are: the file's version as it stands.
        if (here == before) {
            merged.entries.push_back(disk[d]);
            continue;
        }
        merged.entries.push_back(merge_fields(here, disk[d], kept_base[std::size_t(b)],
                                              kept_screen[std::size_t(s)], kept_disk[d], clash));
        if (clash) merged.lost.push_back({screen[std::size_t(s)], LostVersion::Why::ChangedOnBoth});
    }
    for (std::size_t b = 0; b < base.size(); ++b) {
        const int s = on_screen[b];
        if (s >= 0 && on_disk[b] < 0 && !alike_as_shown(base[b], screen[std::size_t(s)]) &&
            changed_by_hand(kept_base[b], kept_screen[std::size_t(s)]))
            merged.lost.push_back({screen[std::size_t(s)], LostVersion::Why::DeletedElsewhere});
    }
    for (std::size_t s = 0; s < screen.size(); ++s) {
        if (screen_pairs[s] >= 0) continue;  // added here
        merged.screen_rows[s] = int(merged.entries.size());
        merged.disk_rows.push_back(-1);
        merged.entries.push_back(screen[s]);
    }
    if (sorted_here(screen_pairs)) sort_by_priority(merged);
    return merged;
}

}  // namespace todo
