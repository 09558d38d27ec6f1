// Any bytes as a customer file: the reader never crashes, never gives a field longer than a
// field holds, and what it gives writes and reads back to the same fields.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "customer.h"
#include "record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    jobs::CustomerFieldsRead read = jobs::read_customer_lines(jobs::split_record_lines(bytes));
    jobs::CustomerFields fields;
    for (int i = 0; i < jobs::CUSTOMER_FIELD_COUNT; ++i) {
        if (read[i] && read[i]->size() > 254) __builtin_trap();
        fields[i] = read[i].value_or("");
    }
    // The file written for these fields reads back with every marker found.
    jobs::CustomerFieldsRead again = jobs::read_customer_lines(jobs::customer_file_lines(fields));
    for (int i = 0; i < jobs::CUSTOMER_FIELD_COUNT; ++i)
        if (!again[i]) __builtin_trap();
    if (*again[2] != fields[2]) __builtin_trap();  // the name, the customer's key
    return 0;
}
