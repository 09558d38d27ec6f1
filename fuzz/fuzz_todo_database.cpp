// The to-do database reader takes any bytes: a file of any length and content loads without a
// crash or a hang, and every record decodes to fields that encode and decode again unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/files.h"
#include "common/hooks.h"
#include "database.h"
#include "record.h"
#include "scratch_file.h"

namespace {

void check_record_round_trip(const unsigned char* bytes) {
    todo::RecordBuffer buffer;
    std::copy_n(bytes, todo::RECORD_LENGTH, buffer.begin());
    const todo::EntryRecord first = todo::decode_record(buffer);
    if (first.text.size() > 254 || first.time.size() > 254 || first.date.size() > 254 ||
        first.created.size() > 254) {
        std::abort();
    }
    todo::RecordBuffer again{};
    todo::encode_record(first, again);
    if (!(todo::decode_record(again) == first)) std::abort();
    // Column texts back to stored fields: a status of 1 is the one value that changes.
    const todo::EntryRecord stored = todo::record_of(todo::entry_of(first));
    if (stored.priority != first.priority || stored.text != first.text) std::abort();
    if (stored.status != (first.status == 1 ? 2 : first.status)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Nobody is there to answer the damaged-file message.
    common::layer_hooks().message_box = [](common::Window*, const std::string&, const std::string&,
                                           long) { return 1; };
    for (std::size_t at = 0; at + todo::RECORD_LENGTH <= size; at += todo::RECORD_LENGTH) {
        check_record_round_trip(data + at);
    }

    fuzzing::write_input(data, size);
    common::FileVar database;
    if (common::open_file(database, common::FileKind::Binary, fuzzing::scratch_path(), "R") == 0) {
        todo::load_entries(database);  // the main dialog is not open: only the reading runs
        common::close_file(database, common::FileKind::Binary);
    }
    return 0;
}
