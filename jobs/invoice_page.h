// The HTML invoice page "printdata\htmlout.htm".
#pragma once

#include <string>
#include <vector>

namespace jobs {

void CreateHtml();

// ---- The page as texts, without windows or files -------------------------------------------

// One row of the invoice list as the page prints it.
struct InvoicePageLine {
    std::string item;       // cell 0
    std::string number;     // cell 2
    std::string price_all;  // cell 3
};

// Everything the page body is made of, as the job windows show it at the moment of printing.
struct InvoicePageValues {
    bool customer_window_open = false;
    std::string customer_field_name;  // the customer window's name field (only while it is open)
    std::string address;
    std::string post_code;
    std::string customer_name;  // the job manager's customer name, printed under "Name:"
    std::string job_name;
    std::string today;                   // "dd-MM-yyyy"
    std::vector<InvoicePageLine> lines;  // top row first
    std::string items_total, carriage, discount, net, vat, total;
    std::string invoice_notes;
    int spacer_height = 0;
};

// The text with & < > " ' written as HTML character references, so that whatever the office
// typed prints as typed and never as markup, and each line break inside it (CR LF, CR or LF)
// written as "<br>": a browser shows a two-line address on two lines, and the body line that
// holds the value stays one line of the page file.
std::string html_escape(const std::string& text);
// "inv" anywhere in the job name: the four characters from its fourth on; otherwise "na".
std::string invoice_number(const std::string& job_name);
// Only the drop-down's own entries "10%" and "15%" take a discount row.
bool discount_applied(const std::string& discount);
// The body lines between the office's head and foot pieces, each without its line end.
std::vector<std::string> invoice_body_lines(const InvoicePageValues& values);
// A template piece split into the lines it is copied as: CR LF or a lone CR ends a line, a lone
// LF belongs to its line, lines are kept whole; an empty piece is one empty line.
std::vector<std::string> template_piece_lines(const std::string& bytes);

}  // namespace jobs
