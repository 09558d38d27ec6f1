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

}  // namespace jobs
