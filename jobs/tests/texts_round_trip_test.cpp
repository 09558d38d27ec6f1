// What the office types into a job and its customer is what is saved and what comes back, byte
// for byte: every field stops at the 254 characters its file keeps, takes the highest letters
// Windows-1252 holds, and refuses the rest in the status bar.
#include <gtest/gtest.h>

#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "installation.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;

// The highest letters Windows-1252 holds, and a text of them longer than any field.
const std::string HIGHEST = "\xA3\x80\xE9\xFF\x97\x8C\x9F\x99\xC6";  // £€éÿ—ŒŸ™Æ
std::string long_text(const std::string& start) {
    std::string text = start;
    while (text.size() < 300) text += " " + HIGHEST;
    return text;
}
// Two lines of a multi-line field, longer together than its file keeps.
std::string two_lines(const std::string& start) {
    return start + " " + HIGHEST + "\r\n" + long_text("second");
}

class TextsRoundTrip : public testing::JobManagerTest {
protected:
    void tool(int command) { driver.choose_tool(main_frame, ID_TOOL_BAR, command); }
    std::string status() { return get_control_text(main_frame, ID_STATUS_BAR); }

    // Types into every field of the window from `first` to `last`, and notes what it shows.
    void type_fields(common::Window& window, int first, int last, bool multi_line_from = 200) {
        for (int id = first; id <= last; ++id) {
            std::string typed = id >= multi_line_from ? two_lines("f" + std::to_string(id))
                                                      : long_text("f" + std::to_string(id));
            driver.type(window, id, typed);
            shown[{&window, id}] = get_control_text(window, id);
        }
    }
    std::map<std::pair<common::Window*, int>, std::string> shown;
};

TEST_F(TextsRoundTrip, ACustomerComesBackByteForByte) {
    driver.check(description_window, ID_CUSTOMER, true);
    type_fields(customer_window, 100, 110, 103);
    driver.type(customer_window, ID_CUSTOMER_NAME, "Zo\xEB " + HIGHEST);  // a name for a file
    shown[{&customer_window, 102}] = get_control_text(customer_window, 102);
    for (const auto& [field, text] : shown) {
        EXPECT_LE(text.size(), 254u) << field.second;
        EXPECT_NE(text.find(HIGHEST), std::string::npos) << field.second;
    }
    EXPECT_EQ(status(), "a field holds at most 254 characters: the rest was not taken ...");
    driver.choose_tool(customer_window, ID_TOOL_BAR, CMD_SAVE);
    std::string expected;
    for (int i = 0; i < CUSTOMER_FIELD_COUNT; ++i)
        expected += customer_marker(i) + shown[{&customer_window, 100 + i}] + "\r\n";
    const std::string file =
        "data/Zo\xC3\xAB \xC2\xA3\xE2\x82\xAC\xC3\xA9\xC3\xBF\xE2\x80\x94"
        "\xC5\x92\xC5\xB8\xE2\x84\xA2\xC3\x86.kez";  // as the disk names it
    EXPECT_EQ(read_file(file), expected);

    ResetCustomer();
    LoadCustomer(path_of(file));
    for (int id = 100; id <= 110; ++id)
        EXPECT_EQ(get_control_text(customer_window, id), shown.at({&customer_window, id})) << id;
}

TEST_F(TextsRoundTrip, AJobAndItsSurveyComeBackByteForByte) {
    driver.type(components_window, ID_ITEM, long_text("Item"));
    tick();
    driver.type(components_window, ID_EACH,
                "\xA3"
                "1,234.50");
    driver.type(components_window, ID_NUMBER, "2");
    driver.type(components_window, ID_LINE_NOTES, long_text("notes"));
    driver.click(components_window, ID_ADD);
    driver.type(components_window, ID_INVOICE_NOTES, long_text("Invoice"));
    driver.type_keys(components_window, ID_INVOICE_NOTES, "Łódź");
    EXPECT_EQ(get_control_text(components_window, ID_INVOICE_NOTES),
              "\xF3"
              "d");
    EXPECT_EQ(status(),
              "that character cannot be kept in the office's files (Windows-1252), so it was "
              "not taken ...");
    driver.type(components_window, ID_INVOICE_NOTES, long_text("Invoice"));
    const std::string item = get_control_text(components_window, ID_ITEM);
    const std::string line_notes = get_control_text(components_window, ID_LINE_NOTES);
    const std::string notes = get_control_text(components_window, ID_INVOICE_NOTES);
    EXPECT_EQ(item.size(), 254u);
    EXPECT_EQ(notes.size(), 254u);

    driver.check(description_window, ID_INSTALATION, true);
    type_fields(installation_window, 100, 111, 103);
    shown.erase({&installation_window, 111});
    driver.type(installation_window, 111, "Fit array " + HIGHEST);
    shown[{&installation_window, 111}] = get_control_text(installation_window, 111);

    driver.answer_file_requester(path_of("data/inv0042.job"));
    tool(CMD_SAVE);
    const std::string file = read_file("data/inv0042.job");
    EXPECT_NE(file.find("\r\n itum: " + item +
                        " each: \xA3"
                        "1,234.50 units: 2 alltotal: 2469 "
                        "vat: " +
                        line_notes + " fulltotal:  notes: \r\n"),
              std::string::npos);
    EXPECT_NE(file.find("\r\nInvoice notes: " + notes + "\r\n"), std::string::npos);
    for (int id = 100; id <= 111; ++id) {
        std::string value = shown[{&installation_window, id}];
        EXPECT_NE(file.find("\r\ndata code: " + std::to_string(id) + " value: " + value + "\r\n"),
                  std::string::npos)
            << id;
    }

    // Opened again, every field shows what was saved.
    driver.answer_dialog([this](common::Window& d) { driver.click(d, 3); });  // New: reset
    tool(CMD_NEW);
    driver.answer_file_requester(path_of("data/inv0042.job"));
    tool(CMD_OPEN);
    std::string cells[5];
    for (long column = 0; column < 5; ++column)
        common::control_command(components_window, ID_LINE_LIST, common::LV_GET_CELL, 0L, column,
                                &cells[column]);
    EXPECT_EQ(cells[0], item);
    EXPECT_EQ(cells[1],
              "\xA3"
              "1,234.50");
    EXPECT_EQ(cells[3], "2469");
    EXPECT_EQ(cells[4], line_notes);
    EXPECT_EQ(get_control_text(components_window, ID_INVOICE_NOTES), notes);
    for (int id = 100; id <= 111; ++id)
        EXPECT_EQ(get_control_text(installation_window, id), shown.at({&installation_window, id}))
            << id;
    // Saved again unchanged, the file is the same file.
    tool(CMD_SAVE);
    EXPECT_EQ(read_file("data/inv0042.job"), file);
}

}  // namespace
}  // namespace jobs
