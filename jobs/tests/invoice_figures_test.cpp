// The invoice figures, without windows: exact to the penny over the whole range, for the worked
// examples, for random invoices of up to 300 lines and for credit lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "invoice_calculation.h"

namespace jobs {
namespace {

using Cents = std::int64_t;

// The figures are checked against this plain reading and writing of number texts, so a fault
// in the program's own conversions cannot hide itself.
Cents exact_pence(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    Cents pounds = 0, pence = 0;
    for (; i < text.size() && text[i] != '.'; ++i) pounds = pounds * 10 + (text[i] - '0');
    if (i < text.size()) pence = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
    Cents value = pounds * 100 + pence;
    return negative ? -value : value;
}

std::string pence_text(Cents value) {
    Cents magnitude = value < 0 ? -value : value;
    std::string text = std::string(" ") + (value < 0 ? "-" : "") + std::to_string(magnitude / 100);
    if (magnitude % 100 != 0) {
        text += "." + std::to_string(magnitude % 100 / 10) + std::to_string(magnitude % 10);
    }
    return text;
}

// 17.5 % of a net, to the nearest penny, halves away from zero.
Cents vat_of(Cents net) {
    Cents magnitude = net < 0 ? -net : net;
    Cents vat = (magnitude * 175 + 500) / 1000;
    return net < 0 ? -vat : vat;
}

InvoiceInput invoice(std::vector<std::string> lines, std::string carriage = " 0",
                     std::string discount = "0%", int threshold = 500) {
    InvoiceInput input;
    input.line_amounts = std::move(lines);
    input.carriage = std::move(carriage);
    input.discount = std::move(discount);
    input.discount_threshold = threshold;
    return input;
}

void expect_figures(const InvoiceFigures& f, const std::string& items, const std::string& net,
                    const std::string& vat, const std::string& gross) {
    EXPECT_EQ(f.items_total, items);
    EXPECT_EQ(f.net, net);
    EXPECT_EQ(f.vat, vat);
    EXPECT_EQ(f.gross, gross);
}

TEST(InvoiceFigures, WorkedExamples) {
    expect_figures(calculate_invoice(invoice({})), " 0", " 0", " 0", " 0");
    expect_figures(calculate_invoice(invoice({" 100"})), " 100", " 100", " 17.50", " 117.50");
    expect_figures(calculate_invoice(invoice({" 90"}, " 10")), " 90", " 100", " 17.50", " 117.50");
    EXPECT_EQ(line_amount_text(" 2.5", "3"), " 7.50");
    EXPECT_EQ(line_amount_text("NO PRICE", "1"), " 0");
    EXPECT_EQ(line_amount_text("10", "many"), " 0");
    // Threshold 100, 10 % on lines of 100: the discount is taken off before the VAT.
    expect_figures(calculate_invoice(invoice({" 100"}, " 0", "10%", 100)), " 100", " 90", " 15.75",
                   " 105.75");

    // Three panels at 129.50 and 12.50 carriage: 401 + 70.18 is 471.18, as the customer adds it.
    std::string panels = line_amount_text("129.50", "3");
    EXPECT_EQ(panels, " 388.50");
    expect_figures(calculate_invoice(invoice({panels}, " 12.50")), " 388.50", " 401", " 70.18",
                   " 471.18");
    // 15 % of 1565.50 is 234.825, so 234.83; the invoice total is net + VAT exactly.
    expect_figures(calculate_invoice(invoice({" 776.50", " 776.50"}, " 12.50", "15%", 500)),
                   " 1553", " 1330.67", " 232.87", " 1563.54");
}

TEST(InvoiceFigures, LineAmountsAsTheOfficeTypesThem) {
    EXPECT_EQ(line_amount_text("\xA3"
                               "75",
                               "2"),
              " 150");
    EXPECT_EQ(line_amount_text(" 1,234.50", "1"), " 1234.50");
    EXPECT_EQ(line_amount_text("\xA3"
                               "1,234.50",
                               "2"),
              " 2469");
    EXPECT_EQ(line_amount_text("360", "2.5"), " 900");
    // Half a penny and more rounds up, a credit line the same way down.
    EXPECT_EQ(line_amount_text("0.125", "1"), " 0.13");
    EXPECT_EQ(line_amount_text("-0.125", "1"), " -0.13");
    EXPECT_EQ(line_amount_text("1.005", "1"), " 1.01");
    EXPECT_EQ(line_amount_text("0.1", "3"), " 0.30");
    EXPECT_EQ(line_amount_text("0.33", "0.5"), " 0.17");
    // Texts that are no numbers give no amount at all, not the number they begin with.
    for (const char* quantity : {"1,5", "2 boxes of 10", "abc", "1e12", ""})
        EXPECT_EQ(line_amount_text("10", quantity), " 0") << quantity;
}

TEST(InvoiceFigures, EveryNetUpTo99999_99AddsUp) {
    InvoiceInput input = invoice({" 0"}, " 0", "0%", 2000000000);
    Cents wrong = 0;
    for (Cents net = 1; net <= 9'999'999; ++net) {
        input.line_amounts[0] = pence_text(net);
        InvoiceFigures f = calculate_invoice(input);
        Cents vat = vat_of(net);
        bool right = exact_pence(f.net) == net && exact_pence(f.vat) == vat &&
                     exact_pence(f.gross) == net + vat && f.gross == pence_text(net + vat) &&
                     f.vat == pence_text(vat);
        if (!right && ++wrong <= 3)
            ADD_FAILURE() << "net" << f.net << " VAT" << f.vat << " gross" << f.gross;
    }
    EXPECT_EQ(wrong, 0);
}

// Random invoices from a price list the size of the office's, up to 300 lines each: Itums is
// the exact sum of the line amounts as shown, and net, VAT and gross follow to the penny.
TEST(InvoiceFigures, RandomInvoicesAddUpToThePenny) {
    const std::vector<std::string> prices = {"189.99",  "129.50",  "69.99",  "74.95",  "649.00",
                                             "1149.00", "289.00",  "119.00", "159.99", "34.99",
                                             "449.00",  "2195.00", "14.50",  "3.99",   "9.99",
                                             "7.25",    "27.80",   "759.96", "27.93",  "25.35"};
    std::mt19937 random(20240611);
    int wrong = 0;
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::string> lines;
        Cents sum = 0;
        int count = 1 + static_cast<int>(random() % 300);
        for (int i = 0; i < count; ++i) {
            std::string price = prices[random() % prices.size()];
            std::string quantity = std::to_string(1 + random() % 120);
            if (random() % 4 == 0) quantity += ".5";
            lines.push_back(line_amount_text(price, quantity));
            sum += exact_pence(lines.back());
        }
        Cents carriage = static_cast<Cents>(random() % 5000);
        InvoiceFigures f = calculate_invoice(invoice(lines, pence_text(carriage)));
        Cents net = sum + carriage;
        if (f.items_total != pence_text(sum) || f.net != pence_text(net) ||
            f.vat != pence_text(vat_of(net)) || f.gross != pence_text(net + vat_of(net)))
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

TEST(InvoiceFigures, LargeInvoicesKeepEveryPenny) {
    // 100 lines each of 759.96, 27.93 and 25.35.
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i)
        for (const char* amount : {" 759.96", " 27.93", " 25.35"}) lines.push_back(amount);
    expect_figures(calculate_invoice(invoice(lines)), " 81324", " 81324", " 14231.70", " 95555.70");
    // Up to 99,999,999.99 nothing is lost, however small the other lines.
    expect_figures(calculate_invoice(invoice({" 85000000", " 0.01", " 0.02"}, " 12.50")),
                   " 85000000.03", " 85000012.53", " 14875002.19", " 99875014.72");
}

TEST(InvoiceFigures, CreditLinesMirrorTheSale) {
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> sale, credit;
        for (int i = 0, n = 1 + static_cast<int>(random() % 20); i < n; ++i) {
            Cents amount = 1 + static_cast<Cents>(random() % 100000);
            sale.push_back(pence_text(amount));
            credit.push_back(pence_text(-amount));
        }
        InvoiceFigures s = calculate_invoice(invoice(sale, " 0", "15%", 0));
        InvoiceFigures c = calculate_invoice(invoice(credit, " 0", "15%", -1000000000));
        EXPECT_EQ(exact_pence(c.net), -exact_pence(s.net));
        EXPECT_EQ(exact_pence(c.vat), -exact_pence(s.vat));
        EXPECT_EQ(exact_pence(c.gross), -exact_pence(s.gross));
    }
    // 17.5 % of -0.10 is -0.0175: away from zero to -0.02.
    expect_figures(calculate_invoice(invoice({" -0.10"})), " -0.10", " -0.10", " -0.02", " -0.12");
}

TEST(InvoiceFigures, DiscountIsTestedOnTheGrossBeforeIt) {
    // 460 + VAT is 540.50, above 500: the discount may be chosen, and stays chosen although the
    // discounted gross, 486.45, is below the threshold.
    InvoiceFigures f = calculate_invoice(invoice({" 460"}, " 0", "10%", 500));
    EXPECT_TRUE(f.discount_allowed);
    EXPECT_EQ(f.discount, "10%");
    expect_figures(f, " 460", " 414", " 72.45", " 486.45");
    // At the threshold, not above it: no discount, and "0%" shown.
    InvoiceFigures at = calculate_invoice(invoice({" 85.10"}, " 0", "15%", 100));  // 99.99
    EXPECT_FALSE(at.discount_allowed);
    EXPECT_EQ(at.discount, "0%");
    EXPECT_EQ(at.net, " 85.10");
    // A rate typed by hand gives none but is left in place.
    InvoiceFigures typed = calculate_invoice(invoice({" 200"}, " 0", "10 %", 100));
    EXPECT_TRUE(typed.discount_allowed);
    EXPECT_EQ(typed.discount, "10 %");
    EXPECT_EQ(typed.net, " 200");
}

TEST(InvoiceFigures, CarriageAsTheOfficeTypesIt) {
    EXPECT_EQ(calculate_invoice(invoice({" 100"},
                                        "\xA3"
                                        "12.50"))
                  .net,
              " 112.50");
    EXPECT_EQ(calculate_invoice(invoice({" 100"}, " 1,000")).net, " 1100");
    InvoiceFigures odd = calculate_invoice(invoice({"NO PRICE", " 12.5 each", "", "7x"}, "free"));
    EXPECT_FALSE(odd.carriage_read);
    // Stored cells are read as they always were: up to the first character of no number.
    expect_figures(odd, " 19.50", " 19.50", " 3.41", " 22.91");
}

}  // namespace
}  // namespace jobs
