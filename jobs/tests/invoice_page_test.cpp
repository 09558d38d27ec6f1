// The invoice page: its body line by line, the invoice number, the discount rows, escaping of
// the office's values, template pieces, and CreateHtml through the running job manager.
#include "invoice_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace jobs {
namespace {

using Lines = std::vector<std::string>;

InvoicePageValues known_job() {
    InvoicePageValues v;
    v.customer_window_open = true;
    v.customer_field_name = "Mrs Ada Brown";
    v.address = "12 Mill Lane";
    v.post_code = "KT1 2AB";
    v.customer_name = "Mrs Ada Brown";
    v.job_name = "inv0042";
    v.today = "09-12-2026";
    v.lines = {{"Inverter 3kW", " 1", " 600"}, {"Panel 250W", " 4", " 1000"}};
    v.items_total = " 1600";
    v.carriage = " 50";
    v.discount = "10%";
    v.net = " 1485";
    v.vat = " 259.88";
    v.total = " 1744.88";
    v.invoice_notes = "Scaffold booked for Monday";
    v.spacer_height = 300;
    return v;
}

TEST(InvoiceBody, KnownJobWithCustomerDiscountAndNotes) {
    const Lines expected = {
        "<table width='100%'  border='0' cellspacing='5' cellpadding='5'>",
        "<tr>",
        "<td valign='top'>",
        "<p class='style2'>Mrs Ada Brown<br>12 Mill Lane<br>KT1 2AB</p>",
        "</td>",
        "<td align='right'>",
        "<p class='style2'>Invoice No.<br>Name:<br>Date:<br>Ref:<br></p>",
        "</td>",
        "<td width='30%' valign='top'><p class='style2'>0042<br>",
        "Mrs Ada Brown<br>",
        "09-12-2026<br>",
        "inv0042.job</p></td>",
        "<hr>",
        "</tr>",
        "</table>",
        "<hr>",
        "<table width='100%'  border='0' cellspacing='2' cellpadding='2'>",
        "<tr>",
        "<td valign='top'><table width='100%'  border='1' cellspacing='3' cellpadding='3'>",
        "<tr>",
        "<td width='50%'><em>Item description </em></td>",
        "<td width='5%'><em>Qty.</em></td>",
        "<td width='15%'><em>Amount</em></td>",
        "</tr>",
        "<tr>",
        "<td width='50%'>Inverter 3kW</em></td>",
        "<td width='5%'> 1</td>",
        "<td width='15%'> 600</td>",
        "</tr>",
        "<tr>",
        "<td width='50%'>Panel 250W</em></td>",
        "<td width='5%'> 4</td>",
        "<td width='15%'> 1000</td>",
        "</tr>",
        "</table>",
        "</td>",
        "<td width='1%'><img src='space.jpg' width='2' height=' 300'></td>",
        "</table>",
        "<p>Scaffold booked for Monday</p>",
        "<hr>",
        "<td><table width='100%'  border='0' cellspacing='3' cellpadding='3'>",
        "<tr>",
        "<td width='50%' align='left' valign='top'><span class='style13'>Goods will be "
        "dispatched upon reciept of payment. <br>",
        "Please make cheques payable to Kez systems Ltd.</span></td>",
        "<td width='20%' align='right'><p class='style2'>Itum Totals \xA3<br>",
        "Carriage Net \xA3<br>",
        "Discount <br>",
        "Net Total \xA3<br>",
        "Total VAT \xA3<br>",
        "Invoice Total \xA3<br>",
        "</p></td>",
        "<td width='30%'><p class='style2'> 1600<br>",
        " 50<br>",
        " - 10% <br>",
        " 1485<br>",
        " 259.88<br>",
        " 1744.88<br>",
        "</p></td>",
        "</tr>",
        "</table>",
        "<hr>",
    };
    const Lines body = invoice_body_lines(known_job());
    ASSERT_EQ(body.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(body[i], expected[i]) << "line " << i;
}

TEST(InvoiceBody, BareJobWithoutCustomerWindowLinesDiscountOrNotes) {
    InvoicePageValues v;
    v.job_name = "garden";
    v.today = "01-02-2027";
    v.items_total = "Itums";  // before the first calculation the fields show their names
    v.carriage = " 0";
    v.discount = "0%";
    v.net = "net";
    v.vat = "VAT";
    v.total = "TOTAL";
    v.invoice_notes = "Invoice notes";
    const Lines expected = {
        "<table width='100%'  border='0' cellspacing='5' cellpadding='5'>",
        "<tr>",
        "<td valign='top'>",
        "</td>",
        "<td align='right'>",
        "<p class='style2'>Invoice No.<br>Name:<br>Date:<br>Ref:<br></p>",
        "</td>",
        "<td width='30%' valign='top'><p class='style2'>na<br>",
        "<br>",
        "01-02-2027<br>",
        "garden.job</p></td>",
        "<hr>",
        "</tr>",
        "</table>",
        "<hr>",
        "<table width='100%'  border='0' cellspacing='2' cellpadding='2'>",
        "<tr>",
        "<td valign='top'><table width='100%'  border='1' cellspacing='3' cellpadding='3'>",
        "<tr>",
        "<td width='50%'><em>Item description </em></td>",
        "<td width='5%'><em>Qty.</em></td>",
        "<td width='15%'><em>Amount</em></td>",
        "</tr>",
        "</table>",
        "</td>",
        "<td width='1%'><img src='space.jpg' width='2' height=' 0'></td>",
        "</table>",
        "<hr>",
        "<td><table width='100%'  border='0' cellspacing='3' cellpadding='3'>",
        "<tr>",
        "<td width='50%' align='left' valign='top'><span class='style13'>Goods will be "
        "dispatched upon reciept of payment. <br>",
        "Please make cheques payable to Kez systems Ltd.</span></td>",
        "<td width='20%' align='right'><p class='style2'>Itum Totals \xA3<br>",
        "Carriage Net \xA3<br>",
        "Net Total \xA3<br>",
        "Total VAT \xA3<br>",
        "Invoice Total \xA3<br>",
        "<br></p></td>",
        "<td width='30%'><p class='style2'>Itums<br>",
        " 0<br>",
        "net<br>",
        "VAT<br>",
        "TOTAL<br>",
        "<br></p></td>",
        "</tr>",
        "</table>",
        "<hr>",
    };
    const Lines body = invoice_body_lines(v);
    ASSERT_EQ(body.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(body[i], expected[i]) << "line " << i;
}

// Counts the lines of the body that equal a text.
int count_lines(const Lines& body, const std::string& text) {
    int n = 0;
    for (const std::string& line : body) n += line == text ? 1 : 0;
    return n;
}

TEST(InvoiceBody, OnlyTheDropDownsOwnDiscountsTakeADiscountRow) {
    InvoicePageValues v = known_job();
    v.discount = "15%";
    Lines body = invoice_body_lines(v);
    EXPECT_EQ(count_lines(body, "Discount <br>"), 1);
    EXPECT_EQ(count_lines(body, " - 15% <br>"), 1);
    EXPECT_EQ(count_lines(body, "</p></td>"), 2);
    EXPECT_EQ(count_lines(body, "<br></p></td>"), 0);

    // Typed texts that merely look like a discount print no discount row in either column.
    for (const std::string typed : {"10 %", " 10%", "10", "20%", ""}) {
        v.discount = typed;
        body = invoice_body_lines(v);
        EXPECT_EQ(count_lines(body, "Discount <br>"), 0) << typed;
        EXPECT_EQ(count_lines(body, "<br></p></td>"), 2) << typed;
        EXPECT_EQ(count_lines(body, "</p></td>"), 0) << typed;
    }
}

TEST(InvoiceBody, NotesParagraphUnlessLeftAsTheFieldsCaption) {
    InvoicePageValues v = known_job();
    v.invoice_notes = "Invoice notes";
    EXPECT_EQ(count_lines(invoice_body_lines(v), "<p>Invoice notes</p>"), 0);
    v.invoice_notes = "";
    EXPECT_EQ(count_lines(invoice_body_lines(v), "<p></p>"), 1);
    v.invoice_notes = "invoice notes";  // the test is exact, case included
    EXPECT_EQ(count_lines(invoice_body_lines(v), "<p>invoice notes</p>"), 1);
}

TEST(InvoiceBody, OfficeValuesPrintAsTypedAndNeverAsMarkup) {
    InvoicePageValues v = known_job();
    const std::string typed = "<b>A & B</b> \"x\" 'y'";
    const std::string shown = "&lt;b&gt;A &amp; B&lt;/b&gt; &quot;x&quot; &#39;y&#39;";
    v.customer_field_name = v.address = v.post_code = v.customer_name = typed;
    v.job_name = "inv<1>&";
    v.lines = {{typed, typed, typed}};
    v.items_total = v.carriage = v.net = v.vat = v.total = typed;
    v.invoice_notes = typed;
    v.discount = "10%";
    const Lines body = invoice_body_lines(v);
    EXPECT_EQ(body[3], "<p class='style2'>" + shown + "<br>" + shown + "<br>" + shown + "</p>");
    EXPECT_EQ(body[8], "<td width='30%' valign='top'><p class='style2'>&lt;1&gt;&amp;<br>");
    EXPECT_EQ(body[9], shown + "<br>");
    EXPECT_EQ(body[11], "inv&lt;1&gt;&amp;.job</p></td>");
    EXPECT_EQ(body[25], "<td width='50%'>" + shown + "</em></td>");
    EXPECT_EQ(body[26], "<td width='5%'>" + shown + "</td>");
    EXPECT_EQ(body[27], "<td width='15%'>" + shown + "</td>");
    EXPECT_EQ(count_lines(body, "<p>" + shown + "</p>"), 1);
    EXPECT_EQ(count_lines(body, "<td width='30%'><p class='style2'>" + shown + "<br>"), 1);
    EXPECT_EQ(count_lines(body, shown + "<br>"), 5);  // name, carriage, net, VAT, total
    for (const std::string& line : body) EXPECT_EQ(line.find("<b>"), std::string::npos) << line;

    EXPECT_EQ(html_escape("caf\xE9 \xA3"
                          "5 & more"),
              "caf\xE9 \xA3"
              "5 &amp; more");
    EXPECT_EQ(html_escape("&amp;"), "&amp;amp;");  // typed references print as typed too
}

TEST(InvoiceNumber, FourCharactersFromTheFourthWhenTheNameHoldsInv) {
    EXPECT_EQ(invoice_number("inv0042"), "0042");
    EXPECT_EQ(invoice_number("myinvoice"), "nvoi");
    EXPECT_EQ(invoice_number("garden"), "na");
    EXPECT_EQ(invoice_number("INV0042"), "na");  // case-sensitive
    EXPECT_EQ(invoice_number("inv12"), "12");    // a short name gives fewer characters
    EXPECT_EQ(invoice_number("inv"), "");
    EXPECT_EQ(invoice_number(""), "na");
    EXPECT_EQ(invoice_number("inv0042-final"), "0042");
}

TEST(TemplatePiece, LinesEndAtCrOrCrLfAndAreKeptWhole) {
    EXPECT_EQ(template_piece_lines(""), Lines{""});
    EXPECT_EQ(template_piece_lines("\r\n"), Lines{""});
    EXPECT_EQ(template_piece_lines("<html>"), Lines{"<html>"});
    EXPECT_EQ(template_piece_lines("<html>\r\n<body>\r\n"), (Lines{"<html>", "<body>"}));
    EXPECT_EQ(template_piece_lines("a\rb\r\n\r\nc"), (Lines{"a", "b", "", "c"}));
    EXPECT_EQ(template_piece_lines("a\nb\r\n"), Lines{"a\nb"});  // a lone LF is not a line end
    EXPECT_EQ(template_piece_lines("a\r\r"), (Lines{"a", ""}));
    const std::string style(5000, 's');
    EXPECT_EQ(template_piece_lines(style + "\r\nend"), (Lines{style, "end"}));
    EXPECT_EQ(template_piece_lines(std::string("x\0y\r\n", 5)), Lines{std::string("x\0y", 3)});
}

}  // namespace
}  // namespace jobs
