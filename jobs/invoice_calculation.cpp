// The figures are kept in single precision and rounded only when shown, so the gross the
// office sees is the one its invoices have always shown.
#include "invoice_calculation.h"

#include "common/text.h"

namespace jobs {
namespace {

constexpr double VAT_PER_CENT = 17.5;

float read_amount(const std::string& text) {
    return static_cast<float>(common::text_number(text));
}

std::string amount_text(float amount) {
    return common::number_text(amount);
}

// The discount rate the "Dis.." text names; only the two offered rates count, anything typed
// by hand gives none.
int discount_rate(const std::string& text) {
    if (text == "10%") return 10;
    if (text == "15%") return 15;
    return 0;
}

}  // namespace

std::string line_amount_text(const std::string& each, const std::string& number) {
    float product = read_amount(number) * read_amount(each);
    return amount_text(product);
}

InvoiceFigures calculate_invoice(const InvoiceInput& input) {
    InvoiceFigures figures;
    float total = 0;
    for (const std::string& amount : input.line_amounts) total = total + read_amount(amount);
    figures.items_total = amount_text(total);

    total = static_cast<float>(common::text_number(input.carriage) + static_cast<double>(total));

    // The discount depends on the gross of the previous calculation, so it becomes selectable
    // one calculation after the gross passes the threshold.
    figures.discount = input.discount;
    if (common::text_number(input.previous_gross) > input.discount_threshold) {
        figures.discount_allowed = true;
        if (int rate = discount_rate(input.discount); rate != 0) {
            float one_per_cent = total / 100;
            float discount = one_per_cent * static_cast<float>(rate);
            total = total - discount;
        }
    } else {
        figures.discount = "0%";
    }
    figures.net = amount_text(total);

    float one_per_cent = total / 100;
    float vat = static_cast<float>(static_cast<double>(one_per_cent) * VAT_PER_CENT);
    total = total + vat;
    figures.vat = amount_text(vat);
    figures.gross = amount_text(total);
    return figures;
}

}  // namespace jobs
