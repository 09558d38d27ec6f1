// The job components window: the invoice lines of a job, the item being priced and the money
// figures. The lines live only in the list view; every figure is worked out from it again.
#include "components.h"

#include <vector>

#include "common/services.h"
#include "common/text.h"
#include "invoice_calculation.h"
#include "line_entry.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {
namespace {

using common::CommandArg;
common::Window& window = components_window;

constexpr long WHITE = common::rgb(255, 255, 255);
constexpr long INVOICE_GREEN = common::rgb(0, 100, 0);
constexpr long PAYMENT_BLUE = common::rgb(0, 0, 100);

constexpr int COLUMN_ITEM = 0;
constexpr int COLUMN_EACH = 1;
constexpr int COLUMN_NUMBER = 2;
constexpr int COLUMN_PRICE_ALL = 3;
constexpr int COLUMN_NOTES = 4;
constexpr int ROW_SELECTED = 2;

struct ControlLayout {
    int id, kind;
    const char* caption;
    int x, y, width, height;
    long style;
};

constexpr ControlLayout CONTROLS[] = {
    {ID_LINE_LIST, common::KIND_LIST_VIEW, "egh", 2, 2, 612, 160, 0x50000001},
    {ID_ITEM, common::KIND_COMBO_BOX, "Itum", 2, 200, 775, 700, 0x50A00682},
    {ID_EACH, common::KIND_EDIT, "Each", 38, 170, 75, 23, 0x50800040},
    {ID_NUMBER, common::KIND_EDIT, "Number", 177, 170, 50, 23, 0x50800000},
    {ID_LINE_AMOUNT, common::KIND_EDIT, "all", 258, 170, 75, 23, 0x50800000},
    {ID_LINE_NOTES, common::KIND_EDIT, "", 381, 170, 233, 23, 0x50800080},
    {ID_TOTAL, common::KIND_EDIT, "TOTAL", 679, 155, 98, 23, 0x50800000},
    {ID_ADD, common::KIND_BUTTON, "Add", 2, 230, 50, 20, 0x50000000},
    {ID_CHANGE_SELECTED, common::KIND_BUTTON, "Change selected", 57, 230, 120, 20, 0x50000000},
    {ID_DELETE_SELECTED, common::KIND_BUTTON, "Delete selected", 182, 230, 120, 20, 0x50000000},
    {ID_CALC, common::KIND_CHECK_BOX, "Calc..", 307, 228, 60, 23, 0x50000003},
    {ID_DISCOUNT, common::KIND_COMBO_BOX, "Dis..", 679, 65, 70, 94, 0x50800602},
    {ID_CARRIAGE, common::KIND_EDIT, "Carrage", 679, 35, 70, 23, 0x50800000},
    {ID_INVOICE_NOTES, common::KIND_EDIT, "Invoice notes", 381, 228, 396, 23, 0x50800080},
    {ID_VAT, common::KIND_EDIT, "VAT", 679, 125, 98, 23, 0x50800080},
    {ID_ITEMS_TOTAL, common::KIND_EDIT, "Itums", 679, 5, 98, 23, 0x50800080},
    {ID_NET, common::KIND_EDIT, "net", 679, 95, 98, 23, 0x50800080},
};

// The blanks widen the columns: the item column takes most of the list.
const std::string COLUMN_HEADINGS[] = {
    "Itum" + common::spaces(77), "Each" + common::spaces(15), "Number" + common::spaces(1),
    "Price all" + common::spaces(12), "Notes" + common::spaces(30)};

struct Label {
    const char* text;
    int x, y;
};

constexpr Label LABELS[] = {{"Each", 3, 173},      {"Number", 123, 173}, {"All", 235, 173},
                            {"Notes", 340, 173},   {"Total", 642, 7},    {"Carrage", 623, 37},
                            {"Discount", 619, 67}, {"Net", 652, 97},     {"VAT ", 647, 127},
                            {"Gross", 638, 157}};

std::string field(int id) {
    return common::field_text(common::get_control_text(window, id));
}

int row_count() {
    return common::control_command(window, ID_LINE_LIST, common::LV_ROW_COUNT);
}

std::string cell(int row, int column) {
    std::string text;
    common::control_command(window, ID_LINE_LIST, common::LV_GET_CELL, CommandArg(long{row}),
                            CommandArg(long{column}), CommandArg(&text));
    return common::field_text(text);
}

void set_cell(int row, int column, const std::string& text) {
    common::control_command(window, ID_LINE_LIST, common::LV_SET_CELL, CommandArg(long{row}),
                            CommandArg(long{column}), CommandArg(text));
}

void paint(long background) {
    common::set_window_color(window, background);
    common::set_text_background(window, background);
    common::set_text_color(window, WHITE);
    for (const Label& label : LABELS) {
        common::move_pen(window, label.x, label.y);
        common::print_text(window, label.text);
    }
}

// The first selected row from the top; -1 when none is.
int selected_row() {
    int rows = row_count();
    for (int row = 0; row < rows; ++row)
        if (common::control_command(window, ID_LINE_LIST, common::LV_IS_SELECTED,
                                    CommandArg(long{row})) == ROW_SELECTED)
            return row;
    return -1;
}

// The line amounts of the list, leaving out one row (-1: none).
std::vector<Pence> line_amounts_without(int left_out) {
    std::vector<Pence> amounts;
    int rows = row_count();
    for (int row = 0; row < rows; ++row)
        if (row != left_out) amounts.push_back(read_stored_amount(cell(row, COLUMN_PRICE_ALL)));
    return amounts;
}

Pence carriage_shown() {
    TypedAmount carriage = read_typed_amount(field(ID_CARRIAGE));
    return carriage.reading == Reading::Number ? carriage.pence : 0;
}

// Why the fields make no line, naming the field and its text; empty when they make one. The
// line's amount is left in `amount`.
std::string line_refusal(int replaced_row, Pence& amount) {
    const bool priced = common::get_check(window, ID_CALC) == 1;
    std::vector<NamedField> fields;
    if (priced)
        fields = {{"Each", field(ID_EACH)}, {"Number", field(ID_NUMBER)}};
    else
        fields = {{"All", field(ID_LINE_AMOUNT)}};
    LineReading line = read_line_fields(fields);
    if (!line.refusal.empty()) return line.refusal;
    std::vector<Pence> amounts = line_amounts_without(replaced_row);
    amounts.push_back(line.amount);
    InvoiceAmounts figures = invoice_amounts(
        amounts, carriage_shown(), discount_rate(field(ID_DISCOUNT)), settings.discount_threshold);
    if (!within_invoice_range(figures)) return out_of_range_refusal(fields);
    amount = line.amount;
    return {};
}

// A new line at the top of the list from the fields, which keep their contents; the amount is
// the one the checks worked out, as a number text.
void insert_line_from_fields(Pence amount) {
    common::control_command(window, ID_LINE_LIST, common::LV_INSERT_ROW, CommandArg(0L),
                            CommandArg(field(ID_ITEM)));
    set_cell(0, COLUMN_EACH, field(ID_EACH));
    set_cell(0, COLUMN_NUMBER, field(ID_NUMBER));
    set_cell(0, COLUMN_PRICE_ALL, amount_text(amount));
    set_cell(0, COLUMN_NOTES, field(ID_LINE_NOTES));
    state.invoice_line_count = row_count();
}

void refuse(const std::string& caption, const std::string& text) {
    common::message_box(&window, text, caption, 0);
}

void add_line() {
    CalculateValues();
    if (field(ID_ITEM).empty()) return;
    Pence amount = 0;
    std::string refusal = line_refusal(-1, amount);
    if (!refusal.empty()) {
        refuse("Message...Add...", refusal + ", so the line was not added.");
        return;
    }
    insert_line_from_fields(amount);
}

void change_selected_line() {
    if (field(ID_ITEM).empty()) return;
    int row = selected_row();
    if (row < 0) {
        refuse("Message...Change selected...", "No line is selected: nothing was changed.");
        return;
    }
    Pence amount = 0;
    std::string refusal = line_refusal(row, amount);
    if (!refusal.empty()) {
        refuse("Message...Change selected...", refusal + ", so the line was not changed.");
        return;
    }
    common::control_command(window, ID_LINE_LIST, common::LV_DELETE_ROW, CommandArg(long{row}));
    insert_line_from_fields(amount);
}

void delete_selected_line() {
    if (row_count() == 0) return;
    int row = selected_row();
    if (row < 0) {
        refuse("Message...Delete selected...", "No line is selected: nothing was deleted.");
        return;
    }
    common::control_command(window, ID_LINE_LIST, common::LV_DELETE_ROW, CommandArg(long{row}));
    state.invoice_line_count = row_count();
}

void copy_selected_line_to_fields() {
    int row = selected_row();
    if (row < 0) return;
    common::set_control_text(window, ID_ITEM, cell(row, COLUMN_ITEM));
    common::set_control_text(window, ID_EACH, cell(row, COLUMN_EACH));
    common::set_control_text(window, ID_NUMBER, cell(row, COLUMN_NUMBER));
    common::set_control_text(window, ID_LINE_AMOUNT, cell(row, COLUMN_PRICE_ALL));
    common::set_control_text(window, ID_LINE_NOTES, cell(row, COLUMN_NOTES));
    // The line was priced when it was added: the next tick keeps its price and quantity
    // instead of looking the item up again.
    last_priced_item = cell(row, COLUMN_ITEM);
}

int handle_components(common::Window& w) {
    const common::Event& e = common::event();
    if (e.event_class == common::EV_CLOSE) {
        common::close_window(w);
        state.components_window_open = false;
        return 0;
    }
    if (e.event_class != common::EV_CONTROL) return 0;
    if (e.control_id == ID_LINE_LIST) {
        if (e.notify_code == common::NOTIFY_LV_DOUBLE_CLICK) copy_selected_line_to_fields();
        return 0;
    }
    if (e.notify_code != common::NOTIFY_CLICKED) return 0;
    switch (e.control_id) {
        case ID_ADD:
            add_line();
            break;
        case ID_CHANGE_SELECTED:
            change_selected_line();
            break;
        case ID_DELETE_SELECTED:
            delete_selected_line();
            break;
        default:
            break;
    }
    return 0;
}

void price_chosen_item() {
    std::string item = field(ID_ITEM);
    // The files are read only when the item changes, not on every tick.
    if (item != last_priced_item) {
        last_priced_item = item;
        FindItemPrice(item);
        FindItemPicture(item);
    }
    common::set_control_text(window, ID_LINE_AMOUNT,
                             line_amount_text(field(ID_EACH), field(ID_NUMBER)));
}

}  // namespace

void build_components_window() {
    common::open_window(window, 215, 43, 784, 260, 0x800040, &main_frame, "", handle_components);
    for (const ControlLayout& c : CONTROLS)
        common::add_control(window, c.kind, c.caption, c.x, c.y, c.width, c.height, c.style, c.id);
    for (long column = 0; column < 5; ++column)
        common::control_command(window, ID_LINE_LIST, common::LV_INSERT_COLUMN, CommandArg(column),
                                CommandArg(COLUMN_HEADINGS[column]));
    for (int id : {ID_EACH, ID_NUMBER, ID_LINE_AMOUNT, ID_LINE_NOTES})
        common::set_font(window, "ANSI_CHARSET", 8, 100, 0xFF0000, id);
    common::set_font(window, "CENTURY_GOTHIC", 10, 900, 0xFF0000, 0);
    state.components_window_open = true;
    for (const char* rate : {"0%", "10%", "15%"}) common::list_add(window, ID_DISCOUNT, rate);
    ResetComponents();
}

void ResetComponents() {
    redraw_component_labels();
    set_job_charges(default_carriage_text(), "0%");
}

void redraw_component_labels() {
    paint(INVOICE_GREEN);
}

std::string default_carriage_text() {
    return common::number_text(settings.default_carriage);
}

JobCharges job_charges() {
    TypedAmount carriage = read_typed_amount(field(ID_CARRIAGE));
    int rate = discount_rate(field(ID_DISCOUNT));
    return {amount_text(carriage.reading == Reading::Number ? carriage.pence : 0),
            rate == 0 ? "0%" : field(ID_DISCOUNT)};
}

void set_job_charges(const std::string& carriage, const std::string& discount) {
    common::set_control_text(window, ID_CARRIAGE, carriage);
    common::set_control_text(window, ID_DISCOUNT, discount);
}

void SetJobKind() {
    bool payment = common::get_check(description_window, ID_PAYMENT) == 1;
    if (payment) {
        common::set_check(description_window, ID_INVOICE, 0);
        common::enable_control(window, ID_CALC, true);
    } else {
        common::enable_control(description_window, ID_INVOICE, true);
        common::set_check(description_window, ID_INVOICE, 1);
        common::set_check(window, ID_CALC, 1);
        common::enable_control(window, ID_CALC, false);
    }
    ClearProducts();
    price_list_name = payment ? "CostPriceList.dat" : "KezPriceList.dat";
    LoadProducts();
    // A new background erases what was drawn, so the labels are drawn again with it.
    paint(payment ? PAYMENT_BLUE : INVOICE_GREEN);
    common::move_pen(window, 407, 170);
    common::print_text(window, "Total =");
}

void CalculateValues() {
    if (!window.is_open()) return;
    if (common::get_check(window, ID_CALC) == 1) price_chosen_item();

    InvoiceInput input;
    input.line_amounts.reserve(static_cast<std::size_t>(std::max(state.invoice_line_count, 0)));
    for (int row = 0; row < state.invoice_line_count; ++row)
        input.line_amounts.push_back(cell(row, COLUMN_PRICE_ALL));
    input.carriage = field(ID_CARRIAGE);
    input.discount = field(ID_DISCOUNT);
    input.discount_threshold = settings.discount_threshold;
    InvoiceFigures figures = calculate_invoice(input);
    if (!figures.carriage_read)
        show_status("carriage is not an amount and counts as 0: " + input.carriage + " ...");

    common::set_control_text(window, ID_ITEMS_TOTAL, figures.items_total);
    common::enable_control(window, ID_DISCOUNT, figures.discount_allowed);
    if (!figures.discount_allowed) common::set_control_text(window, ID_DISCOUNT, figures.discount);
    common::set_control_text(window, ID_NET, figures.net);
    common::set_control_text(window, ID_VAT, figures.vat);
    common::set_control_text(window, ID_TOTAL, figures.gross);
}

}  // namespace jobs
