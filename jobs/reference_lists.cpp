// The settings file and the office's reference lists, read into the controls that offer them.
// Nothing is kept in tables of our own: prices are looked up in the file whenever they are
// needed, so an edited price list takes effect at once.
#include "reference_lists.h"

#include <vector>

#include "common/services.h"
#include "common/text.h"
#include "components.h"
#include "installation.h"
#include "price_list.h"
#include "reference_file.h"
#include "settings_file.h"
#include "state.h"

namespace jobs {

Settings settings;
std::string price_list_name;
int product_count = 0;
std::string last_priced_item;

namespace {

constexpr long FLAGS_EXCLAMATION_OK = 0;
// The installation window's drop-downs the lists fill.
constexpr int ID_INSTALLATION_TYPE = ID_FIRST_SURVEY_FIELD;
constexpr int ID_JOBS_TODO = ID_PROCESS_TODO;

void tell(const std::string& text, const std::string& caption) {
    common::message_box(&main_frame, text, caption, FLAGS_EXCLAMATION_OK);
}

// Adds every line of a list file to a drop-down of the installation window.
void fill_installation_list(const std::string& file, int id, const std::string& problem) {
    std::vector<std::string> lines;
    if (!read_reference_file(data_file(file), lines)) {
        tell(problem, "Message...");
        return;
    }
    for (const std::string& line : lines) common::list_add(installation_window, id, line);
}

}  // namespace

void LoadINI() {
    std::vector<std::string> lines;
    if (!read_reference_file(data_file("KezDatabaseINI.ini"), lines)) {
        tell("problem opening INI file", "error...LoadINI...");
        return;
    }
    for (const std::string& line : lines) apply_settings_line(settings, line);
}

void LoadProducts() {
    show_status("loading products file: " + price_list_name);
    product_count = 0;
    std::vector<std::string> lines;
    if (!read_reference_file(data_file(price_list_name), lines)) {
        tell("Unable to open Price list file", "Message...LoadProducts...");
        show_status("problem loading products file: " + price_list_name);
        return;
    }
    std::vector<std::string> names;
    names.reserve(lines.size());
    for (const std::string& line : lines) names.push_back(item_name(line));
    common::list_add_all(components_window, ID_ITEM, names);
    product_count = static_cast<int>(names.size());
}

void ClearProducts() {
    // One entry more than was loaded, as the drop-down has always been cleared; on an empty
    // drop-down the surplus one takes nothing.
    common::list_delete_rows(components_window, ID_ITEM, 0, product_count + 1);
    product_count = 0;
}

void LoadJobTypes() {
    fill_installation_list("JobTypeList.dat", ID_INSTALLATION_TYPE,
                           "Unable to open job type list file");
}

void LoadProcessList() {
    fill_installation_list("ProcessList.dat", ID_JOBS_TODO,
                           "Unable to open Instalation Process list file");
}

void FindItemPrice(const std::string& item) {
    std::string list;
    if (!read_whole_file(data_file(price_list_name), list)) {
        tell("Unable to open Price list file", "Message...CalculateValues...");
        return;
    }
    if (auto each = price_in_list(list, item)) {
        common::set_control_text(components_window, ID_NUMBER, "1");
        common::set_control_text(components_window, ID_EACH, *each);
    }
}

void FindItemPicture(const std::string& item) {
    std::vector<std::string> key_words;
    if (!read_reference_file(data_file("ImageFileNames.dat"), key_words)) {
        tell("Unable to open Image list file", "Message...CalculateValues...");
        return;
    }
    auto key = picture_key_of_item(key_words, item);
    if (!key) return;
    if (state.current_picture != 0)
        common::delete_image(state.current_picture, common::IMAGE_PICTURE);
    state.current_picture = common::load_image(data_file(*key + ".jpg"), common::IMAGE_PICTURE);
}

}  // namespace jobs
