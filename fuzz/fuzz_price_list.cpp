// Any bytes as a price list or a picture key word list: every line gives a name and maybe a
// price, and the lookups by item text finish with answers that keep to the format.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "price_list.h"
#include "reference_file.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = jobs::split_lines(bytes);
    check(!lines.empty());
    for (const std::string& line : lines) {
        check(line.size() <= 254);
        check(line.find_first_of("\r\n") == std::string::npos);
        std::string name = jobs::item_name(line);
        check(name.find('\t') == std::string::npos);
        if (auto price = jobs::item_price(line)) {
            check(price->size() <= 10);
            check(price->empty() || (price->back() != ' ' && price->back() != '\t'));
        }
    }
    // Look up the names the list itself offers, as the user would by choosing them.
    for (std::size_t i = 0; i < lines.size() && i < 8; ++i) {
        std::string item = jobs::item_name(lines[i]);
        auto each = jobs::price_of_item(lines, item);
        check(!item.empty() || !each.has_value());
        // The lookup over the whole file must give what the lines give.
        check(jobs::price_in_list(bytes, item) == each);
        jobs::picture_key_of_item(lines, item);
    }
    return 0;
}
