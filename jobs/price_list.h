// Price list lines ("KezPriceList.dat", "CostPriceList.dat") and the picture key words
// ("ImageFileNames.dat"): the item a line offers, its price, and the lookups by item text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jobs {

// The item's name: the text before the first TAB, or the whole line.
std::string item_name(const std::string& line);
// The price text after the first pound sign (byte 163): at most 10 characters, blanks and tabs
// at its end removed. None when the line has no pound sign.
std::optional<std::string> item_price(const std::string& line);

// What "Each" shows for an item: the price of the last line that holds the item text ("NO
// PRICE" when that line has none). None when no line holds it, or the item text is empty.
std::optional<std::string> price_of_item(const std::vector<std::string>& lines,
                                         const std::string& item);

// The same answer as price_of_item on the lines of a whole list file, found without taking
// the file apart: the lookup runs whenever the chosen item changes, on lists of any length.
std::optional<std::string> price_in_list(std::string_view list, const std::string& item);

// The key word whose picture belongs to the item: the last non-empty key word that occurs in
// the item text made lower case. None when no key word does.
std::optional<std::string> picture_key_of_item(const std::vector<std::string>& key_words,
                                               const std::string& item);

}  // namespace jobs
