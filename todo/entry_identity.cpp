#include "entry_identity.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <unordered_map>

namespace todo {

namespace {

constexpr unsigned char MARK[4] = {'k', 'z', 'I', 'D'};

void put_u64(unsigned char* at, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint64_t get_u64(const unsigned char* at) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | at[i];
    return value;
}

// FNV-1a over the identity and every field a person changes: an identity copied into another
// entry's record, or kept while the entry was changed by a program that does not know it, no
// longer checks.
std::uint64_t check_of(EntryId id, const EntryRecord& stored) {
    std::uint64_t hash = 14695981039346656037ULL;
    const auto add = [&hash](const void* bytes, std::size_t count) {
        const auto* b = static_cast<const unsigned char*>(bytes);
        for (std::size_t i = 0; i < count; ++i) hash = (hash ^ b[i]) * 1099511628211ULL;
    };
    const auto add_text = [&](const std::string& text) {
        add(text.data(), std::min(text.size(), TEXT_FIELD - 1));  // as the field keeps it
        add("", 1);
    };
    unsigned char bytes[8];
    put_u64(bytes, id);  // least significant byte first on every machine, as the file is
    add(bytes, sizeof bytes);
    add_text(stored.text);
    add_text(stored.created);
    add_text(stored.date);
    add_text(stored.time);
    write_int32(bytes, stored.priority);
    add(bytes, 4);
    return hash;
}

bool leaves_room(const EntryRecord& stored) {
    return std::min(stored.time.size(), TEXT_FIELD - 1) < IDENTITY_AT - TIME_AT;
}

}  // namespace

EntryId new_identity() {
    static std::mt19937_64 random(
        std::random_device{}() ^
        std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    EntryId id = 0;
    while (id == 0) id = random();
    return id;
}

void put_identity(RecordBuffer& buffer, EntryId id, const EntryRecord& stored) {
    if (!leaves_room(stored)) return;
    unsigned char* at = buffer.data() + IDENTITY_AT;
    std::memset(at, 0, IDENTITY_BYTES);
    if (id == 0) return;
    std::memcpy(at, MARK, sizeof MARK);
    put_u64(at + 4, id);
    put_u64(at + 12, check_of(id, stored));
}

EntryId identity_in(const RecordBuffer& buffer, const EntryRecord& stored) {
    return identity_in(buffer.data(), stored);
}

EntryId identity_in(const unsigned char* record, const EntryRecord& stored) {
    if (!leaves_room(stored)) return 0;
    const unsigned char* at = record + IDENTITY_AT;
    if (std::memcmp(at, MARK, sizeof MARK) != 0) return 0;
    const EntryId id = get_u64(at + 4);
    if (id == 0 || get_u64(at + 12) != check_of(id, stored)) return 0;
    return id;
}

void forget_doubled(std::vector<EntryId>& ids) {
    std::unordered_map<EntryId, int> seen;
    for (EntryId id : ids)
        if (id != 0) ++seen[id];
    for (EntryId& id : ids)
        if (id != 0 && seen[id] > 1) id = 0;
}

}  // namespace todo
