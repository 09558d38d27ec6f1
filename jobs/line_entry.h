// What the office types for an invoice line, read before Add and Change selected make the line:
// a unit price and a quantity (or, without automatic pricing, the line's amount) that are
// numbers, and a line that keeps the invoice within what it holds exactly. A refusal names the
// field and the text, so the office can put it right.
#pragma once

#include <string>
#include <vector>

#include "money.h"

namespace jobs {

// A field by the name the window shows beside it, and its text.
struct NamedField {
    std::string name;  // "Each", "Number", "All"
    std::string text;
};

struct LineReading {
    Pence amount = 0;
    std::string refusal;  // empty when the fields make a line
};

// Two fields are a unit price and a quantity, whose product is the amount; one field is the
// amount itself.
LineReading read_line_fields(const std::vector<NamedField>& fields);

// The refusal of a line that would take a figure of the invoice past 99,999,999.99.
std::string out_of_range_refusal(const std::vector<NamedField>& fields);

}  // namespace jobs
