// An identity for each entry, kept in bytes of the record that the file's format leaves free:
// the end of the remind-me time's field, far past the time's own few characters and its zero
// byte. Readers of the format never look there. The office's older program copies whatever its
// record buffer held into those bytes, so every record it writes carries the same bytes, and an
// identity is taken only when it is found once in the file and its check, worked out from the
// entry's own fields, still holds; otherwise the entry is known by what it holds (entry_merge.h).
#pragma once

#include <cstdint>
#include <vector>

#include "record.h"

namespace todo {

using EntryId = std::uint64_t;  // 0: none

// Where the identity sits in a record, and the longest time text that leaves room for it.
inline constexpr std::size_t IDENTITY_AT = TIME_AT + 230;
inline constexpr std::size_t IDENTITY_BYTES = 24;

// A new identity, never 0.
EntryId new_identity();
// Writes `id` (0: none) into the record after its fields were encoded from `stored`; a time text
// too long to leave room keeps no identity.
void put_identity(RecordBuffer& buffer, EntryId id, const EntryRecord& stored);
// The identity in a record read from the file, 0 when there is none or its check fails.
EntryId identity_in(const RecordBuffer& buffer, const EntryRecord& stored);
EntryId identity_in(const unsigned char* record, const EntryRecord& stored);
// Identities found more than once in one file prove nothing: they become 0.
void forget_doubled(std::vector<EntryId>& ids);

}  // namespace todo
