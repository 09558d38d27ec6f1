// Price list lines and picture key words, as the office writes them by hand.
#include "price_list.h"

#include <algorithm>
#include <functional>

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

namespace {

bool is_line_end(char c) {
    return c == '\r' || c == '\n';
}

// Where the line holding a match at `at` starts, when the match ends within the first 254
// characters of that line (a longer line is cut there, so a match beyond it does not count).
std::optional<std::size_t> start_of_matching_line(std::string_view list, std::size_t at,
                                                  std::size_t length) {
    std::size_t reach = common::MAX_TEXT - length;
    std::size_t lowest = at > reach ? at - reach : 0;
    for (std::size_t p = at;; --p) {
        if (p == 0 || is_line_end(list[p - 1])) return p;
        if (p == lowest) return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> price_in_list(std::string_view list, const std::string& item) {
    if (item.empty() || item.size() > common::MAX_TEXT ||
        item.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    // A skipping search: the list is long and the item text usually is too.
    std::boyer_moore_horspool_searcher searcher(item.begin(), item.end());
    std::optional<std::size_t> found_line;
    for (auto from = list.begin();;) {
        auto match = searcher(from, list.end()).first;
        if (match == list.end()) break;
        std::size_t at = static_cast<std::size_t>(match - list.begin());
        if (auto line_start = start_of_matching_line(list, at, item.size()))
            found_line = line_start;
        from = match + 1;
    }
    if (!found_line) return std::nullopt;
    std::size_t length = 0;
    while (length < common::MAX_TEXT && *found_line + length < list.size() &&
           !is_line_end(list[*found_line + length]))
        ++length;
    return item_price(std::string(list.substr(*found_line, length))).value_or("NO PRICE");
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
