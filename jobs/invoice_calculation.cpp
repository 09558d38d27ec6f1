// The figures are whole pence throughout: a line is rounded once, the discount and the VAT are
// rounded once each, and the gross is the sum of what is shown, so the customer adding up the
// invoice gets the same total as the firm.
#include "invoice_calculation.h"

namespace jobs {

InvoiceAmounts invoice_amounts(const std::vector<Pence>& line_amounts, Pence carriage,
                               int discount_per_cent, int discount_threshold) {
    InvoiceAmounts a;
    for (Pence line : line_amounts) a.items_total = sum_of(a.items_total, line);
    a.carriage = carriage;
    Pence before_discount = sum_of(a.items_total, carriage);
    a.gross_before_discount = sum_of(before_discount, share_of(before_discount, VAT_PER_MILLE));
    // The threshold looks at the invoice without its discount, so a discount that takes the
    // gross below the threshold stays chosen.
    a.discount_allowed = a.gross_before_discount > Pence{discount_threshold} * 100;
    if (a.discount_allowed) a.discount = share_of(before_discount, discount_per_cent * 10);
    a.net = sum_of(before_discount, -a.discount);
    a.vat = share_of(a.net, VAT_PER_MILLE);
    a.gross = sum_of(a.net, a.vat);
    return a;
}

bool within_invoice_range(const InvoiceAmounts& a) {
    for (Pence figure :
         {a.items_total, a.carriage, a.gross_before_discount, a.discount, a.net, a.vat, a.gross})
        if (!within_invoice_range(figure)) return false;
    return true;
}

int discount_rate(const std::string& text) {
    if (text == "10%") return 10;
    if (text == "15%") return 15;
    return 0;
}

std::string line_amount_text(const std::string& each, const std::string& number) {
    TypedNumber price = read_typed_number(each);
    TypedNumber quantity = read_typed_number(number);
    if (price.reading != Reading::Number || quantity.reading != Reading::Number) return " 0";
    return amount_text(line_amount(price.value, quantity.value));
}

InvoiceFigures calculate_invoice(const InvoiceInput& input) {
    std::vector<Pence> lines;
    lines.reserve(input.line_amounts.size());
    for (const std::string& amount : input.line_amounts)
        lines.push_back(read_stored_amount(amount));
    TypedAmount carriage = read_typed_amount(input.carriage);
    InvoiceFigures figures;
    figures.carriage_read = carriage.reading == Reading::Number;
    InvoiceAmounts a = invoice_amounts(lines, carriage.pence, discount_rate(input.discount),
                                       input.discount_threshold);
    figures.items_total = amount_text(a.items_total);
    figures.net = amount_text(a.net);
    figures.vat = amount_text(a.vat);
    figures.gross = amount_text(a.gross);
    figures.discount_allowed = a.discount_allowed;
    figures.discount = a.discount_allowed ? input.discount : "0%";
    return figures;
}

}  // namespace jobs
