// The money figures of a job: line amounts, the total of the lines, carriage, discount, net,
// VAT at 17.5 per cent and the gross total. Worked in single precision from the texts the
// window shows, and given back as the texts it is to show.
#pragma once

#include <string>
#include <vector>

namespace jobs {

// Number text of number x each ("Each" 2.5, "Number" 3 -> " 7.50"); text that is no number
// counts as 0.
std::string line_amount_text(const std::string& each, const std::string& number);

struct InvoiceInput {
    std::vector<std::string> line_amounts;  // the "Price all" cell of every invoice line
    std::string carriage;                   // "Carrage"
    std::string previous_gross;             // "TOTAL" as shown before this calculation
    std::string discount;                   // the "Dis.." text
    int discount_threshold = 0;             // a discount may apply above this gross
};

struct InvoiceFigures {
    std::string items_total;        // "Itums"
    std::string net;                // "net": after carriage and discount
    std::string vat;                // "VAT"
    std::string gross;              // "TOTAL"
    bool discount_allowed = false;  // the "Dis.." drop-down is enabled
    std::string discount;           // the "Dis.." text to show ("0%" whenever it is not allowed)
};

InvoiceFigures calculate_invoice(const InvoiceInput& input);

}  // namespace jobs
