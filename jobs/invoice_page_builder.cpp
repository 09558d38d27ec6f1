// The invoice page's body and template pieces as texts. CreateHtml gathers the values from the
// job windows and moves these lines into the page file.
#include <string>
#include <vector>

#include "common/text.h"
#include "invoice_page.h"

namespace jobs {

namespace {

// The page is single-byte Windows text; 163 is the pound sign there.
const std::string POUND = "\xA3";

void add_customer_block(std::vector<std::string>& body, const InvoicePageValues& v) {
    body.push_back("<table width='100%'  border='0' cellspacing='5' cellpadding='5'>");
    body.push_back("<tr>");
    body.push_back("<td valign='top'>");
    if (v.customer_window_open) {
        body.push_back("<p class='style2'>" + html_escape(v.customer_field_name) + "<br>" +
                       html_escape(v.address) + "<br>" + html_escape(v.post_code) + "</p>");
    }
    body.push_back("</td>");
    body.push_back("<td align='right'>");
    body.push_back("<p class='style2'>Invoice No.<br>Name:<br>Date:<br>Ref:<br></p>");
    body.push_back("</td>");
    body.push_back("<td width='30%' valign='top'><p class='style2'>" +
                   html_escape(invoice_number(v.job_name)) + "<br>");
    body.push_back(html_escape(v.customer_name) + "<br>");
    body.push_back(html_escape(v.today) + "<br>");
    body.push_back(html_escape(v.job_name) + ".job" + "</p></td>");
    body.push_back("<hr>");
    body.push_back("</tr>");
    body.push_back("</table>");
    body.push_back("<hr>");
}

void add_line_table(std::vector<std::string>& body, const InvoicePageValues& v) {
    body.push_back("<table width='100%'  border='0' cellspacing='2' cellpadding='2'>");
    body.push_back("<tr>");
    body.push_back(
        "<td valign='top'><table width='100%'  border='1' cellspacing='3' cellpadding='3'>");
    body.push_back("<tr>");
    body.push_back("<td width='50%'><em>Item description </em></td>");
    body.push_back("<td width='5%'><em>Qty.</em></td>");
    body.push_back("<td width='15%'><em>Amount</em></td>");
    body.push_back("</tr>");
    for (const InvoicePageLine& line : v.lines) {
        body.push_back("<tr>");
        // The stray "</em>" is how the office's pages have always looked; browsers ignore it.
        body.push_back("<td width='50%'>" + html_escape(line.item) + "</em></td>");
        body.push_back("<td width='5%'>" + html_escape(line.number) + "</td>");
        body.push_back("<td width='15%'>" + html_escape(line.price_all) + "</td>");
        body.push_back("</tr>");
    }
    body.push_back("</table>");
    body.push_back("</td>");
    body.push_back("<td width='1%'><img src='space.jpg' width='2' height='" +
                   common::number_text(v.spacer_height) + "'></td>");
    body.push_back("</table>");
    // The field's own caption means the office wrote no notes.
    if (v.invoice_notes != "Invoice notes") {
        body.push_back("<p>" + html_escape(v.invoice_notes) + "</p>");
    }
    body.push_back("<hr>");
}

// Labels and figures stand side by side; without a discount both columns lose that row and
// gain a closing "<br>", so they stay the same height.
void add_totals(std::vector<std::string>& body, const InvoicePageValues& v) {
    const bool discount = discount_applied(v.discount);
    const std::string column_end = discount ? "</p></td>" : "<br></p></td>";
    body.push_back("<td><table width='100%'  border='0' cellspacing='3' cellpadding='3'>");
    body.push_back("<tr>");
    body.push_back(
        "<td width='50%' align='left' valign='top'><span class='style13'>Goods will be "
        "dispatched upon reciept of payment. <br>");
    body.push_back("Please make cheques payable to Kez systems Ltd.</span></td>");
    body.push_back("<td width='20%' align='right'><p class='style2'>Itum Totals " + POUND + "<br>");
    body.push_back("Carriage Net " + POUND + "<br>");
    if (discount) body.push_back("Discount <br>");
    body.push_back("Net Total " + POUND + "<br>");
    body.push_back("Total VAT " + POUND + "<br>");
    body.push_back("Invoice Total " + POUND + "<br>");
    body.push_back(column_end);
    body.push_back("<td width='30%'><p class='style2'>" + html_escape(v.items_total) + "<br>");
    body.push_back(html_escape(v.carriage) + "<br>");
    if (discount) body.push_back(" - " + html_escape(v.discount) + " <br>");
    body.push_back(html_escape(v.net) + "<br>");
    body.push_back(html_escape(v.vat) + "<br>");
    body.push_back(html_escape(v.total) + "<br>");
    body.push_back(column_end);
    body.push_back("</tr>");
    body.push_back("</table>");
    body.push_back("<hr>");
}

}  // namespace

std::string html_escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "<br>";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&#39;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string invoice_number(const std::string& job_name) {
    if (common::find_text(job_name, "inv") == 0) return "na";
    return common::mid_text(job_name, 4, 4);
}

bool discount_applied(const std::string& discount) {
    return discount == "10%" || discount == "15%";
}

std::vector<std::string> invoice_body_lines(const InvoicePageValues& values) {
    std::vector<std::string> body;
    body.reserve(52 + 5 * values.lines.size());
    add_customer_block(body, values);
    add_line_table(body, values);
    add_totals(body, values);
    return body;
}

std::vector<std::string> template_piece_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    // Read line after line until the end, as a text reader would: even an empty piece yields
    // the one (empty) line read before the end was seen.
    do {
        const std::size_t cr = bytes.find('\r', pos);
        const std::size_t end = cr == std::string::npos ? bytes.size() : cr;
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size()) {
            ++pos;  // the CR
            if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
        }
    } while (pos < bytes.size());
    return lines;
}

}  // namespace jobs
