// CreateHtml: the print command writes the current job as "printdata\htmlout.htm", the office's
// head piece, a body made from the job windows, and the office's foot piece.
#include "invoice_page.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/files.h"
#include "common/services.h"
#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {

namespace {

const std::string CAPTION = "error...CreateHtml...";
const std::string PAGE = "printdata\\htmlout.htm";
const std::string HEAD_PIECE = "printdata\\htmltop.txt";
const std::string FOOT_PIECE = "printdata\\htmlbottom.txt";

// The customer window's address and post code fields.
constexpr int ID_CUSTOMER_ADDRESS = 107;
constexpr int ID_CUSTOMER_POST_CODE = 108;

void report(const std::string& text) {
    common::message_box(nullptr, text, CAPTION, 0);
}

std::string cell_text(int row, int column) {
    std::string text;
    common::control_command(components_window, ID_LINE_LIST, common::LV_GET_CELL, long{row},
                            long{column}, &text);
    return text;
}

std::vector<InvoicePageLine> invoice_lines() {
    // The line count is kept equal to the list; a list that is shorter still never prints
    // rows that are not there.
    const int rows = common::control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT);
    const int count = std::min(state.invoice_line_count, rows);
    std::vector<InvoicePageLine> lines;
    for (int row = 0; row < count; ++row) {
        lines.push_back({cell_text(row, 0), cell_text(row, 2), cell_text(row, 3)});
    }
    return lines;
}

InvoicePageValues values_shown() {
    InvoicePageValues v;
    v.customer_window_open = state.customer_window_open;
    if (v.customer_window_open) {
        v.customer_field_name = common::get_control_text(customer_window, ID_CUSTOMER_NAME);
        v.address = common::get_control_text(customer_window, ID_CUSTOMER_ADDRESS);
        v.post_code = common::get_control_text(customer_window, ID_CUSTOMER_POST_CODE);
    }
    v.customer_name = state.customer_name;
    v.job_name = state.job_name;
    v.today = common::date_text("dd'-'MM'-'yyyy");
    v.lines = invoice_lines();
    v.items_total = common::get_control_text(components_window, ID_ITEMS_TOTAL);
    v.carriage = common::get_control_text(components_window, ID_CARRIAGE);
    v.discount = common::get_control_text(components_window, ID_DISCOUNT);
    v.net = common::get_control_text(components_window, ID_NET);
    v.vat = common::get_control_text(components_window, ID_VAT);
    v.total = common::get_control_text(components_window, ID_TOTAL);
    v.invoice_notes = common::get_control_text(components_window, ID_INVOICE_NOTES);
    v.spacer_height = settings.spacer_height;
    return v;
}

// The page is written as bytes, so that long template lines and long customer lines go in
// whole; every line ends with CR LF.
void write_lines(common::FileVar& page, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string text = line + "\r\n";
        common::write_bytes(page, text.data(), text.size());
    }
}

// Copies an office template piece into the page; false when it cannot be read.
bool copy_piece(common::FileVar& page, const std::string& path) {
    common::FileVar piece;
    if (common::open_file(piece, common::FileKind::Binary, path, "R") != 0) return false;
    std::string bytes;
    char buffer[4096];
    int got = 0;
    while ((got = common::read_bytes(piece, buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    common::close_file(piece, common::FileKind::Binary);
    write_lines(page, template_piece_lines(bytes));
    return true;
}

}  // namespace

void CreateHtml() {
    const std::string folder = common::program_folder();
    // The status bar names the page, so the office knows which file to open in the browser.
    const std::string named = common::native_path(folder + PAGE);
    common::FileVar page;
    // "W" writes beside the old page and replaces it only when the new one is complete.
    if (common::open_file(page, common::FileKind::Binary, folder + PAGE, "W") != 0) {
        show_status("invoice page NOT written, it cannot be made: " + named + " ...");
        report("problem WRITING file");
        return;
    }
    if (!copy_piece(page, folder + HEAD_PIECE)) report("problem READING file");
    write_lines(page, invoice_body_lines(values_shown()));
    if (!copy_piece(page, folder + FOOT_PIECE)) report("problem READING file");
    // A page that did not reach the disk has left the previous one in place: say so.
    if (common::close_file(page, common::FileKind::Binary) != 0) {
        show_status("invoice page NOT written, the disk did not take it: " + named + " ...");
        report("problem WRITING file");
        return;
    }
    show_status("invoice page written: " + named + " ...");
}

}  // namespace jobs
