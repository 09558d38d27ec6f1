// The job components window: invoice lines, pricing and the money figures.
#pragma once

#include <string>

namespace jobs {

inline constexpr int ID_LINE_LIST = 400;
inline constexpr int ID_ITEM = 404;
inline constexpr int ID_EACH = 407;
inline constexpr int ID_NUMBER = 408;
inline constexpr int ID_LINE_AMOUNT = 409;
inline constexpr int ID_LINE_NOTES = 412;
inline constexpr int ID_TOTAL = 416;
inline constexpr int ID_ADD = 413;
inline constexpr int ID_CHANGE_SELECTED = 414;
inline constexpr int ID_DELETE_SELECTED = 415;
inline constexpr int ID_CALC = 420;
inline constexpr int ID_DISCOUNT = 421;
inline constexpr int ID_CARRIAGE = 422;
inline constexpr int ID_INVOICE_NOTES = 423;
inline constexpr int ID_VAT = 424;
inline constexpr int ID_ITEMS_TOTAL = 425;
inline constexpr int ID_NET = 426;

// Opens the window with its controls and fonts, adds the discount entries, ResetComponents.
void build_components_window();
// Paints the window's labels and resets carriage and discount.
void ResetComponents();
// Paints the window's labels only: carriage and discount belong to the job shown.
void redraw_component_labels();

// A job's carriage and discount as its file keeps them: the carriage as a number text (" 12.50",
// 0 when the field holds no amount), the discount as "10%", "15%" or "0%".
struct JobCharges {
    std::string carriage;
    std::string discount;
};
JobCharges job_charges();
void set_job_charges(const std::string& carriage, const std::string& discount);
// The settings' carriage as a number text, what a new job starts with.
std::string default_carriage_text();
// Applies the job kind chosen by "Payment" / "Invoice": price list, "Calc.." box, colours.
void SetJobKind();
// Prices the chosen item and recomputes every figure.
void CalculateValues();

}  // namespace jobs
