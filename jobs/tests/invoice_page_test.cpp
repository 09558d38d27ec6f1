// The invoice page: its body line by line, the invoice number, the discount rows, escaping of
// the office's values, template pieces, and CreateHtml through the running job manager.
#include "invoice_page.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "job_manager_fixture.h"
#include "state.h"

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
    EXPECT_EQ(html_escape("one\r\ntwo\rthree\nfour\r\n\r\n"),
              "one<br>two<br>three<br>four<br><br>");
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

// ---- CreateHtml through the running job manager ----------------------------------------------

const std::string HEAD = "<html><head><title>Invoice</title></head><body>\r\n";
const std::string FOOT = "</body></html>\r\n";

std::string page_text(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

using jobs::testing::set_immutable;

class PrintTest : public testing::JobManagerTest {
protected:
    void TearDown() override {
        if (locked) set_immutable(path_of("printdata"), false);
        JobManagerTest::TearDown();
    }

    void print() { driver.choose_tool(main_frame, ID_TOOL_BAR, CMD_PRINT); }
    std::string page() { return read_file("printdata/htmlout.htm"); }
    std::string field(int id) { return common::get_control_text(components_window, id); }

    void open_customer(const std::string& name, const std::string& address,
                       const std::string& post_code) {
        driver.check(description_window, ID_CUSTOMER, true);
        driver.type(customer_window, ID_CUSTOMER_NAME, name);
        driver.type(customer_window, 107, address);
        driver.type(customer_window, 108, post_code);
    }
    // Chooses an item as the user does, lets the tick price it, and adds the line.
    void add_item(const std::string& item, const std::string& number) {
        driver.type(components_window, ID_ITEM, item);
        tick();
        driver.type(components_window, ID_NUMBER, number);
        driver.click(components_window, ID_ADD);
    }
    // The figures exactly as the fields show them.
    void take_figures(InvoicePageValues& v) {
        v.items_total = field(ID_ITEMS_TOTAL);
        v.carriage = field(ID_CARRIAGE);
        v.discount = field(ID_DISCOUNT);
        v.net = field(ID_NET);
        v.vat = field(ID_VAT);
        v.total = field(ID_TOTAL);
    }
    bool lock_printdata() {
        locked = set_immutable(path_of("printdata"), true);
        return locked;
    }

    bool locked = false;
};

TEST_F(PrintTest, PageIsHeadBodyAndFootFromTheJobWindows) {
    driver.set_clock(2026, 12, 9, 10, 30);
    state.job_name = "inv0042";
    open_customer("Ada Brown", "12 Mill Lane", "KT1 2AB");
    add_item("Solar panel 80W", "2");
    add_item("Inverter 1000W", "1");
    tick();
    tick();  // the gross is now above the threshold, so a discount may be chosen
    ASSERT_TRUE(common::is_enabled(components_window, ID_DISCOUNT));
    driver.select_row(components_window, ID_DISCOUNT, 1);
    driver.type(components_window, ID_INVOICE_NOTES, "Scaffold booked for Monday");
    tick();
    EXPECT_EQ(field(ID_NET), " 557.98");  // 10% off 619.98

    print();

    InvoicePageValues v;
    v.customer_window_open = true;
    v.customer_field_name = v.customer_name = "Ada Brown";
    v.address = "12 Mill Lane";
    v.post_code = "KT1 2AB";
    v.job_name = "inv0042";
    v.today = "09-12-2026";
    v.lines = {{"Inverter 1000W", "1", " 120"}, {"Solar panel 80W", "2", " 499.98"}};
    take_figures(v);
    v.invoice_notes = "Scaffold booked for Monday";
    v.spacer_height = 20;
    const Lines body = invoice_body_lines(v);
    EXPECT_EQ(page(), HEAD + page_text(body) + FOOT);
    EXPECT_EQ(body[3], "<p class='style2'>Ada Brown<br>12 Mill Lane<br>KT1 2AB</p>");
    EXPECT_EQ(body[8], "<td width='30%' valign='top'><p class='style2'>0042<br>");
    EXPECT_EQ(body[36], "<td width='1%'><img src='space.jpg' width='2' height=' 20'></td>");
    EXPECT_EQ(body[53], " - 10% <br>");
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
    // Nothing is left beside the page.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_of("printdata"))) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(files, 3);

    // Printing again rewrites the page from scratch.
    driver.select_row(components_window, ID_LINE_LIST, 0);
    driver.click(components_window, ID_DELETE_SELECTED);
    tick();
    print();
    v.lines = {{"Solar panel 80W", "2", " 499.98"}};
    take_figures(v);
    EXPECT_EQ(page(), HEAD + page_text(invoice_body_lines(v)) + FOOT);
}

TEST_F(PrintTest, ClosedCustomerWindowLeavesTheNameLastSeen) {
    driver.set_clock(2027, 2, 1, 9, 0);
    state.job_name = "myinvoice";
    print();  // before any customer the name is empty
    Lines body = invoice_body_lines([&] {
        InvoicePageValues v;
        v.job_name = "myinvoice";
        v.today = "01-02-2027";
        take_figures(v);
        v.invoice_notes = "Invoice notes";
        v.spacer_height = 20;
        return v;
    }());
    EXPECT_EQ(page(), HEAD + page_text(body) + FOOT);
    EXPECT_EQ(body[7], "<td width='30%' valign='top'><p class='style2'>nvoi<br>");
    EXPECT_EQ(body[8], "<br>");
    EXPECT_EQ(body[23], "</table>");  // the table head, then straight to its end

    open_customer("Carl Dee", "3 High St", "N1 1AA");
    tick();
    driver.check(description_window, ID_CUSTOMER, false);
    state.job_name = "garden";
    print();
    const Lines lines = template_piece_lines(page());
    ASSERT_GT(lines.size(), 12u);
    EXPECT_EQ(lines[1], "<table width='100%'  border='0' cellspacing='5' cellpadding='5'>");
    EXPECT_EQ(lines[4], "</td>");  // no customer paragraph
    EXPECT_EQ(lines[8], "<td width='30%' valign='top'><p class='style2'>na<br>");
    EXPECT_EQ(lines[9], "Carl Dee<br>");
    EXPECT_EQ(lines[11], "garden.job</p></td>");
}

TEST_F(PrintTest, OfficeValuesTypedIntoTheWindowsPrintAsTyped) {
    state.job_name = "inv<7>";
    open_customer("<b>A & B</b>", "Flat 'C'", "\"X1\"");
    driver.type(components_window, ID_ITEM, "Cable & clips <2m>");
    tick();
    driver.type(components_window, ID_EACH, "3.50");  // the price list has no price for it
    driver.type(components_window, ID_NUMBER, "2");
    driver.click(components_window, ID_ADD);
    driver.type(components_window, ID_INVOICE_NOTES, "Pay <i>now</i> & thanks");
    print();
    const std::string text = page();
    EXPECT_NE(text.find("<p class='style2'>&lt;b&gt;A &amp; B&lt;/b&gt;<br>Flat &#39;C&#39;<br>"
                        "&quot;X1&quot;</p>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("<p class='style2'>&lt;7&gt;<br>\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\ninv&lt;7&gt;.job</p></td>\r\n"), std::string::npos);
    EXPECT_NE(text.find("<td width='50%'>Cable &amp; clips &lt;2m&gt;</em></td>"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n<p>Pay &lt;i&gt;now&lt;/i&gt; &amp; thanks</p>\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("<b>"), std::string::npos);
    EXPECT_EQ(text.find("<i>"), std::string::npos);
}

// An address typed on two lines shows on two lines in a browser, and the customer paragraph
// stays one line of the page.
TEST_F(PrintTest, LineBreaksInsideValuesPrintAsBreaks) {
    open_customer("Ann Lee", "7 Caf\xE9 Row\r\nUpper Town", "UT1 1AA");
    // The notes field is one line to a person's keys; a break can only reach it from the program.
    common::set_control_text(components_window, ID_INVOICE_NOTES,
                             "Scaffold Monday\r\nPanels Tuesday");
    print();
    const std::string text = page();
    EXPECT_NE(text.find("\r\n<p class='style2'>Ann Lee<br>7 Caf\xE9 Row<br>Upper Town<br>UT1 "
                        "1AA</p>\r\n</td>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\n<p>Scaffold Monday<br>Panels Tuesday</p>\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Row\r"), std::string::npos);
    EXPECT_EQ(text.find("Monday\r"), std::string::npos);
}

TEST_F(PrintTest, TemplatePiecesAreCopiedLineByLineAndWhole) {
    const std::string style(400, 's');
    write_file("printdata/htmltop.txt",
               "<html>\r<style>" + style + "</style>\nsame line\r\n\r\n<body>");
    write_file("printdata/htmlbottom.txt", "");
    print();
    const std::string text = page();
    EXPECT_EQ(
        text.rfind("<html>\r\n<style>" + style + "</style>\nsame line\r\n\r\n<body>\r\n<table", 0),
        0u);
    EXPECT_EQ(text.substr(text.size() - 8), "<hr>\r\n\r\n");  // an empty foot is one empty line
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(PrintTest, MissingPiecesAreReportedAndTheBodyStillWritten) {
    remove_file("printdata/htmltop.txt");
    print();
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "problem READING file");
    EXPECT_EQ(driver.messages()[0].caption, "error...CreateHtml...");
    const std::string without_head = page();
    EXPECT_EQ(without_head.rfind("<table width='100%'  border='0' cellspacing='5'", 0), 0u);
    EXPECT_EQ(without_head.substr(without_head.size() - FOOT.size()), FOOT);

    driver.clear_records();
    remove_file("printdata/htmlbottom.txt");
    print();
    ASSERT_EQ(driver.messages().size(), 2u);
    EXPECT_EQ(driver.messages()[1].text, "problem READING file");
    EXPECT_EQ(driver.messages()[1].caption, "error...CreateHtml...");
    EXPECT_EQ(page(), without_head.substr(0, without_head.size() - FOOT.size()));
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
}

// A folder that takes no new files (here not even from root) still has its page rewritten, in
// place; pages that fail to be written are covered step by step by the save failure tests.
TEST_F(PrintTest, APageInAFolderThatTakesNoNewFilesIsRewrittenInPlace) {
    print();
    const std::string old_page = page();
    ASSERT_FALSE(old_page.empty());
    if (!lock_printdata()) GTEST_SKIP() << "cannot make a folder unchangeable here";
    driver.type(components_window, ID_INVOICE_NOTES, "changed");
    print();
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_NE(page(), old_page);
    EXPECT_NE(page().find("changed"), std::string::npos);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path_of("printdata")))
        files += entry.path().filename().string().find(".~") == std::string::npos ? 0 : 1;
    EXPECT_EQ(files, 0) << "no temporary beside the page";
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);
}

TEST_F(PrintTest, NoPrintFolderIsReportedNotCreated) {
    std::filesystem::remove_all(path_of("printdata"));
    print();
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "problem WRITING file");
    EXPECT_FALSE(file_exists("printdata"));
    EXPECT_EQ(common::get_control_text(main_frame, ID_STATUS_BAR),
              "invoice page NOT written, it cannot be made: " + folder +
                  "printdata/htmlout.htm ...");
}

// "Print" wrote the page and said nothing of where it went.
TEST_F(PrintTest, TheStatusBarNamesThePageWrittenOrWhyNot) {
    print();
    EXPECT_EQ(common::get_control_text(main_frame, ID_STATUS_BAR),
              "invoice page written: " + folder + "printdata/htmlout.htm ...");
    const std::string written = page();
    driver.fail_file_step(common::testing::FileStep::Rename, 1, EXDEV);
    driver.type(components_window, ID_INVOICE_NOTES, "changed");
    print();
    EXPECT_EQ(common::get_control_text(main_frame, ID_STATUS_BAR),
              "invoice page NOT written, the disk did not take it: " + folder +
                  "printdata/htmlout.htm ...");
    EXPECT_EQ(page(), written);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "problem WRITING file");
}

}  // namespace
}  // namespace jobs
