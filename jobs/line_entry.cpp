// Reading an invoice line's fields. Nothing here guesses: "1,5" might be one and a half or
// fifteen, "2 boxes of 10" two or twenty, so neither is read at all.
#include "line_entry.h"

namespace jobs {

namespace {

const std::string PAST_THE_RANGE = " past 99,999,999.99";

std::string quoted(const NamedField& field) {
    return "\"" + field.text + "\" in \"" + field.name + "\"";
}

std::string refusal_of(Reading reading, const NamedField& field) {
    if (reading == Reading::TooLarge) return quoted(field) + " takes the invoice" + PAST_THE_RANGE;
    return quoted(field) + " is not a number";
}

}  // namespace

LineReading read_line_fields(const std::vector<NamedField>& fields) {
    LineReading line;
    if (fields.size() == 1) {
        TypedAmount amount = read_typed_amount(fields[0].text);
        if (amount.reading != Reading::Number) return {0, refusal_of(amount.reading, fields[0])};
        line.amount = amount.pence;
        return line;
    }
    TypedNumber price = read_typed_number(fields.at(0).text);
    if (price.reading != Reading::Number) return {0, refusal_of(price.reading, fields[0])};
    TypedNumber quantity = read_typed_number(fields.at(1).text);
    if (quantity.reading != Reading::Number) return {0, refusal_of(quantity.reading, fields[1])};
    line.amount = line_amount(price.value, quantity.value);
    if (!within_invoice_range(line.amount)) line.refusal = out_of_range_refusal(fields);
    return line;
}

std::string out_of_range_refusal(const std::vector<NamedField>& fields) {
    std::string named;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) named += " and ";
        named += "\"" + fields[i].name + "\" " + fields[i].text;
    }
    return "The line of " + named + " takes the invoice" + PAST_THE_RANGE;
}

}  // namespace jobs
