// The job manager's settings file and the office's reference lists: price lists, item
// pictures, process steps and installation types.
#pragma once

#include <string>

namespace jobs {

// Values read from "data\KezDatabaseINI.ini" (zero or empty when the key is missing).
struct Settings {
    int spacer_height = 0;          // "space:": height of the spacer picture on the invoice
    float default_carriage = 0;     // "carrage:": initial content of the "Carrage" field
    std::string question_file;      // "messagefile:": where a help question is written
    std::string answer_file;        // "messageinput:": where a help answer is picked up
    int discount_threshold = 0;     // "discountat:": total above which a discount applies
};
extern Settings settings;

// The price list in use: "KezPriceList.dat" or "CostPriceList.dat".
extern std::string price_list_name;

void LoadINI();
void LoadProducts();
void ClearProducts();
// Fill the installation window's drop-downs.
void LoadJobTypes();
void LoadProcessList();

// Lines the last LoadProducts put into the item drop-down (ClearProducts takes them out).
extern int product_count;
// The item text whose price and picture were looked up last (CalculateValues looks again
// only when the item text differs).
extern std::string last_priced_item;

// The item price lookup: "Number" 1 and "Each" the list price ("NO PRICE" when the matching
// line has none) from the last line of the price list in use that holds the item text.
void FindItemPrice(const std::string& item);
// The item picture lookup: the picture of the last key word found in the item text becomes
// the current picture.
void FindItemPicture(const std::string& item);

}  // namespace jobs
