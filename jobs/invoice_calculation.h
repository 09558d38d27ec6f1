// The money figures of a job: line amounts, the total of the lines, carriage, discount, net,
// VAT at 17.5 per cent and the gross total. Worked in whole pence from the texts the window
// shows, and given back as the texts it is to show (" 401", " 70.18").
#pragma once

#include <string>
#include <vector>

#include "money.h"

namespace jobs {

inline constexpr int VAT_PER_MILLE = 175;  // 17.5 %

// The figures of an invoice in pence. The discount is a share of the lines and carriage; the VAT
// a share of the net; the gross exactly net + VAT.
struct InvoiceAmounts {
    Pence items_total = 0;            // "Itums": the sum of the line amounts
    Pence carriage = 0;               // "Carrage"
    Pence gross_before_discount = 0;  // what the gross would be without a discount
    Pence discount = 0;
    Pence net = 0;  // lines + carriage - discount
    Pence vat = 0;
    Pence gross = 0;                // "TOTAL"
    bool discount_allowed = false;  // the gross before any discount is above the threshold
};

// The discount applies only when allowed; the threshold is in whole pounds.
InvoiceAmounts invoice_amounts(const std::vector<Pence>& line_amounts, Pence carriage,
                               int discount_per_cent, int discount_threshold);
// True when every figure lies within what an invoice holds exactly.
bool within_invoice_range(const InvoiceAmounts& amounts);

// The rate the "Dis.." text names: only the two offered rates count, anything typed by hand
// gives none.
int discount_rate(const std::string& text);

// Number text of number x each ("Each" 2.5, "Number" 3 -> " 7.50"), read as the office types
// them; " 0" when either is not a number.
std::string line_amount_text(const std::string& each, const std::string& number);

struct InvoiceInput {
    std::vector<std::string> line_amounts;  // the "Price all" cell of every invoice line
    std::string carriage;                   // "Carrage"
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
    bool carriage_read = true;      // false: "Carrage" holds no amount and counted as 0
};

InvoiceFigures calculate_invoice(const InvoiceInput& input);

}  // namespace jobs
