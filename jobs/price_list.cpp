// Price list lines and picture key words, as the office writes them by hand.
#include "price_list.h"

#include "common/text.h"

namespace jobs {
namespace {

constexpr char POUND = '\xA3';  // "£" in the office's single-byte text
constexpr std::size_t PRICE_LENGTH = 10;

}  // namespace

std::string item_name(const std::string& line) {
    std::size_t tab = line.find('\t');
    return tab == std::string::npos ? line : line.substr(0, tab);
}

std::optional<std::string> item_price(const std::string& line) {
    std::size_t pound = line.find(POUND);
    if (pound == std::string::npos) return std::nullopt;
    std::string price = line.substr(pound + 1, PRICE_LENGTH);
    std::size_t end = price.find_last_not_of(" \t");
    price.erase(end == std::string::npos ? 0 : end + 1);
    return price;
}

std::optional<std::string> price_of_item(const std::vector<std::string>& lines,
                                         const std::string& item) {
    if (item.empty()) return std::nullopt;
    const std::string* found = nullptr;
    for (const std::string& line : lines)
        if (line.find(item) != std::string::npos) found = &line;
    if (found == nullptr) return std::nullopt;
    return item_price(*found).value_or("NO PRICE");
}

std::optional<std::string> picture_key_of_item(const std::vector<std::string>& key_words,
                                               const std::string& item) {
    std::string lower_item = common::lower_text(item);
    std::optional<std::string> found;
    for (const std::string& key : key_words)
        if (!key.empty() && lower_item.find(key) != std::string::npos) found = key;
    return found;
}

}  // namespace jobs
