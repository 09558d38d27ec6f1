// The job components window: pricing the chosen item, the invoice lines and the figures the
// tick shows, and switching between invoices and payments.
#include "components.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "job_manager_fixture.h"
#include "reference_lists.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;

class ComponentsTest : public testing::JobManagerTest {
protected:
    std::string text(int id) { return get_control_text(components_window, id); }
    std::string cell(int row, int column) {
        std::string value;
        common::control_command(components_window, ID_LINE_LIST, common::LV_GET_CELL,
                                common::CommandArg(long{row}), common::CommandArg(long{column}),
                                common::CommandArg(&value));
        return value;
    }
    int rows() {
        return common::control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT);
    }
    // Chooses an item as the user does, lets the tick price it, and adds the line.
    void add_item(const std::string& item, const std::string& number = "") {
        driver.type(components_window, ID_ITEM, item);
        tick();
        if (!number.empty()) driver.type(components_window, ID_NUMBER, number);
        driver.click(components_window, ID_ADD);
    }
    std::vector<std::string> items_column() {
        std::vector<std::string> items;
        for (int r = 0; r < rows(); ++r) items.push_back(cell(r, 0));
        return items;
    }
    bool printed(int x, int y, const std::string& text) {
        auto texts = common::printed_texts(components_window);
        return std::any_of(texts.begin(), texts.end(), [&](const common::PrintedText& p) {
            return p.x == x && p.y == y && p.text == text;
        });
    }
};

TEST_F(ComponentsTest, ChosenItemIsPricedAndAddedAtTheTop) {
    int start_picture = state.current_picture;
    driver.type(components_window, ID_ITEM, "Solar panel 80W");
    tick();
    EXPECT_EQ(text(ID_EACH), "249.99");
    EXPECT_EQ(text(ID_NUMBER), "1");
    EXPECT_EQ(text(ID_LINE_AMOUNT), " 249.99");
    EXPECT_NE(state.current_picture, 0);
    EXPECT_NE(state.current_picture, start_picture);  // the panel picture replaced it

    driver.type(components_window, ID_LINE_NOTES, "roof kit");
    driver.click(components_window, ID_ADD);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(state.invoice_line_count, 1);
    EXPECT_EQ(cell(0, 0), "Solar panel 80W");
    EXPECT_EQ(cell(0, 1), "249.99");
    EXPECT_EQ(cell(0, 2), "1");
    EXPECT_EQ(cell(0, 3), " 249.99");
    EXPECT_EQ(cell(0, 4), "roof kit");
    EXPECT_EQ(text(ID_ITEM), "Solar panel 80W");  // the fields keep their contents

    add_item("Mounting kit", "3");
    add_item("Inverter 1000W");
    EXPECT_EQ(items_column(),
              (std::vector<std::string>{"Inverter 1000W", "Mounting kit", "Solar panel 80W"}));
    EXPECT_EQ(cell(1, 3), " 135");
    EXPECT_EQ(state.invoice_line_count, 3);

    // An item with no price in its line, and one the list does not know.
    driver.type(components_window, ID_ITEM, "Survey visit");
    tick();
    EXPECT_EQ(text(ID_EACH), "NO PRICE");
    EXPECT_EQ(text(ID_LINE_AMOUNT), " 0");
    driver.type(components_window, ID_EACH, "7.5");
    driver.type(components_window, ID_ITEM, "Something else");
    tick();
    EXPECT_EQ(text(ID_EACH), "7.5");  // kept: no line holds the item
    EXPECT_EQ(text(ID_NUMBER), "1");
    EXPECT_EQ(text(ID_LINE_AMOUNT), " 7.50");
}

TEST_F(ComponentsTest, TotalsIncludeANewLineFromTheNextTick) {
    add_item("Mounting kit");
    EXPECT_EQ(text(ID_ITEMS_TOTAL), " 0");  // worked out before the line existed
    tick();
    EXPECT_EQ(text(ID_ITEMS_TOTAL), " 45");
    add_item("Inverter 1000W");
    tick();
    EXPECT_EQ(text(ID_ITEMS_TOTAL), " 165");
    EXPECT_EQ(text(ID_NET), " 165");
    EXPECT_EQ(text(ID_VAT), " 28.88");
    EXPECT_EQ(text(ID_TOTAL), " 193.88");
}

// "1,5" was added as 1 and printed as "1,5"; "\xA3" "75" priced a line at 0.
TEST_F(ComponentsTest, NumbersAreReadAsTypedOrRefusedNamingTheField) {
    driver.type(components_window, ID_ITEM, "Mounting kit");
    tick();
    driver.type(components_window, ID_EACH,
                "\xA3"
                "1,234.50");
    driver.type(components_window, ID_NUMBER, " 2 ");
    driver.click(components_window, ID_ADD);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 3), " 2469");
    for (const char* typed : {"1,5", "2 boxes of 10", "abc", "1e12"}) {
        driver.type(components_window, ID_NUMBER, typed);
        driver.click(components_window, ID_ADD);
        ASSERT_FALSE(driver.messages().empty());
        EXPECT_EQ(driver.messages().back().text,
                  std::string("\"") + typed +
                      "\" in \"Number\" is not a number, so the line was "
                      "not added.");
        EXPECT_EQ(driver.messages().back().caption, "Message...Add...");
    }
    EXPECT_EQ(rows(), 1);
    // Change selected refuses the same way and leaves the line as it was.
    driver.select_row(components_window, ID_LINE_LIST, 0);
    driver.type(components_window, ID_NUMBER, "3");
    driver.type(components_window, ID_EACH, "NO PRICE");
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(driver.messages().back().text,
              "\"NO PRICE\" in \"Each\" is not a number, so the line was not changed.");
    EXPECT_EQ(driver.messages().back().caption, "Message...Change selected...");
    EXPECT_EQ(cell(0, 2), " 2 ");  // as typed
    // A line that would take the invoice past 99,999,999.99 is refused, naming its fields.
    driver.type(components_window, ID_EACH, "45");
    driver.type(components_window, ID_NUMBER, "2222222");
    driver.click(components_window, ID_ADD);
    EXPECT_EQ(driver.messages().back().text,
              "The line of \"Each\" 45 and \"Number\" 2222222 takes the invoice past "
              "99,999,999.99, so the line was not added.");
    EXPECT_EQ(rows(), 1);
    // A credit line is a line like any other.
    driver.type(components_window, ID_NUMBER, "-1");
    driver.click(components_window, ID_ADD);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(cell(0, 3), " -45");
    tick();
    EXPECT_EQ(text(ID_ITEMS_TOTAL), " 2424");
}

TEST_F(ComponentsTest, EmptyItemAddsAndChangesNothing) {
    driver.type(components_window, ID_ITEM, "");
    driver.click(components_window, ID_ADD);
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(state.invoice_line_count, 0);
    add_item("Mounting kit");
    driver.type(components_window, ID_ITEM, "");
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(items_column(), std::vector<std::string>{"Mounting kit"});
}

TEST_F(ComponentsTest, ChangeAndDeleteActOnTheSelectedRowOnly) {
    using Items = std::vector<std::string>;
    // With no line selected, neither button changes anything, and each says so.
    driver.type(components_window, ID_ITEM, "Fixing");
    driver.type(components_window, ID_EACH, "2");
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(rows(), 0);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "No line is selected: nothing was changed.");
    EXPECT_EQ(driver.messages()[0].caption, "Message...Change selected...");

    add_item("Mounting kit");
    add_item("Inverter 1000W");
    driver.click(components_window, ID_DELETE_SELECTED);
    driver.type(components_window, ID_ITEM, "Battery 100Ah");
    tick();
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(items_column(), (Items{"Inverter 1000W", "Mounting kit"}));
    EXPECT_EQ(state.invoice_line_count, 2);
    ASSERT_EQ(driver.messages().size(), 3u);
    EXPECT_EQ(driver.messages()[1].text, "No line is selected: nothing was deleted.");
    EXPECT_EQ(driver.messages()[1].caption, "Message...Delete selected...");

    // A selected row is replaced and the changed line moves to the top.
    driver.select_row(components_window, ID_LINE_LIST, 1);
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(items_column(), (Items{"Battery 100Ah", "Inverter 1000W"}));
    EXPECT_EQ(cell(0, 3), " 89.50");
    EXPECT_EQ(state.invoice_line_count, 2);

    driver.select_row(components_window, ID_LINE_LIST, 1);
    driver.click(components_window, ID_DELETE_SELECTED);
    EXPECT_EQ(items_column(), Items{"Battery 100Ah"});
    EXPECT_EQ(state.invoice_line_count, 1);
    driver.select_row(components_window, ID_LINE_LIST, 0);
    driver.click(components_window, ID_DELETE_SELECTED);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(state.invoice_line_count, 0);
    driver.click(components_window, ID_DELETE_SELECTED);  // empty list: nothing changes
    EXPECT_EQ(state.invoice_line_count, 0);
    EXPECT_EQ(driver.messages().size(), 3u);
}

TEST_F(ComponentsTest, DoubleClickCopiesTheLineBackAndKeepsItsPrice) {
    driver.type(components_window, ID_LINE_NOTES, "two for the barn");
    add_item("Mounting kit", "12");
    add_item("Inverter 1000W");
    driver.type(components_window, ID_LINE_NOTES, "");
    driver.double_click_row(components_window, ID_LINE_LIST, 1);
    EXPECT_EQ(text(ID_ITEM), "Mounting kit");
    EXPECT_EQ(text(ID_EACH), "45");
    EXPECT_EQ(text(ID_NUMBER), "12");
    EXPECT_EQ(text(ID_LINE_AMOUNT), " 540");
    EXPECT_EQ(text(ID_LINE_NOTES), "two for the barn");
    // The line was priced when it was added: the tick keeps its quantity and price.
    tick();
    EXPECT_EQ(text(ID_NUMBER), "12");
    EXPECT_EQ(text(ID_LINE_AMOUNT), " 540");
    driver.type(components_window, ID_NUMBER, "10");
    driver.click(components_window, ID_CHANGE_SELECTED);
    EXPECT_EQ(items_column(), (std::vector<std::string>{"Mounting kit", "Inverter 1000W"}));
    EXPECT_EQ(cell(0, 2), "10");
    EXPECT_EQ(cell(0, 3), " 450");
    // Choosing another item still looks it up.
    driver.type(components_window, ID_ITEM, "Inverter 1000W");
    tick();
    EXPECT_EQ(text(ID_NUMBER), "1");
    EXPECT_EQ(text(ID_EACH), "120");
}

class DiscountTest : public ComponentsTest {
protected:
    void prepare_data() override {
        write_file("data/KezDatabaseINI.ini", "carrage:10\r\ndiscountat:100\r\n");
    }
};

TEST_F(DiscountTest, DiscountFollowsTheGrossBeforeIt) {
    EXPECT_EQ(text(ID_CARRIAGE), " 10");
    add_item("Mounting kit", "2");
    tick();
    EXPECT_EQ(text(ID_ITEMS_TOTAL), " 90");
    EXPECT_EQ(text(ID_NET), " 100");
    EXPECT_EQ(text(ID_VAT), " 17.50");
    EXPECT_EQ(text(ID_TOTAL), " 117.50");
    // The gross before any discount is above 100 on this very tick.
    ASSERT_TRUE(common::is_enabled(components_window, ID_DISCOUNT));
    driver.select_row(components_window, ID_DISCOUNT, 1);
    ASSERT_EQ(text(ID_DISCOUNT), "10%");
    tick();
    EXPECT_EQ(text(ID_NET), " 90");
    EXPECT_EQ(text(ID_VAT), " 15.75");
    EXPECT_EQ(text(ID_TOTAL), " 105.75");

    // A typed rate gives no discount but stays while allowed.
    driver.type(components_window, ID_DISCOUNT, "20%");
    tick();
    EXPECT_EQ(text(ID_NET), " 100");
    EXPECT_EQ(text(ID_DISCOUNT), "20%");

    driver.select_row(components_window, ID_DISCOUNT, 2);
    driver.select_row(components_window, ID_LINE_LIST, 0);
    driver.click(components_window, ID_DELETE_SELECTED);
    tick();  // 10 + VAT is not above 100: back to "0%" and disabled at once
    EXPECT_EQ(text(ID_DISCOUNT), "0%");
    EXPECT_FALSE(common::is_enabled(components_window, ID_DISCOUNT));
    EXPECT_EQ(text(ID_NET), " 10");
    EXPECT_EQ(text(ID_TOTAL), " 11.75");
}

// A discount that takes the gross below the threshold is kept, tick after tick, and the
// keyboard stays where the office left it.
TEST_F(ComponentsTest, ChosenDiscountStaysBelowTheThreshold) {
    add_item("Mounting kit", "10");  // 450: 528.75 with VAT, above the 500 threshold
    driver.type(components_window, ID_CARRIAGE, "11.50");
    tick();
    EXPECT_EQ(text(ID_TOTAL), " 542.26");
    ASSERT_TRUE(common::is_enabled(components_window, ID_DISCOUNT));
    driver.select_row(components_window, ID_DISCOUNT, 1);  // with the keyboard: it has the focus
    for (int i = 0; i < 3; ++i) {
        tick();
        EXPECT_EQ(text(ID_DISCOUNT), "10%");
        EXPECT_EQ(text(ID_NET), " 415.35");
        EXPECT_EQ(text(ID_TOTAL), " 488.04");
        EXPECT_TRUE(common::is_enabled(components_window, ID_DISCOUNT));
    }
    EXPECT_EQ(text(ID_CARRIAGE), "11.50");
}

TEST_F(ComponentsTest, JobKindSwitchesPriceListsAndAutomaticPricing) {
    driver.type(components_window, ID_ITEM, "Solar panel 80W");
    tick();
    ASSERT_EQ(text(ID_EACH), "249.99");

    driver.check(description_window, ID_PAYMENT, true);
    EXPECT_EQ(common::get_check(description_window, ID_INVOICE), 0);
    EXPECT_TRUE(common::is_enabled(components_window, ID_CALC));
    EXPECT_EQ(price_list_name, "CostPriceList.dat");
    EXPECT_EQ(common::list_count(components_window, ID_ITEM), 3);
    EXPECT_EQ(common::list_get(components_window, ID_ITEM, 2), "Fixing bolts");
    EXPECT_EQ(get_control_text(main_frame, ID_STATUS_BAR),
              "loading products file: CostPriceList.dat");
    EXPECT_TRUE(printed(407, 170, "Total ="));
    EXPECT_TRUE(printed(3, 173, "Each"));  // the labels survive the new background

    // The item shown keeps the sale price until another item is chosen.
    tick();
    EXPECT_EQ(text(ID_EACH), "249.99");
    driver.type(components_window, ID_ITEM, "Inverter 1000W");
    tick();
    EXPECT_EQ(text(ID_EACH), "80");

    // Without "Calc.." the user types the amount and nothing is looked up.
    driver.check(components_window, ID_CALC, false);
    driver.type(components_window, ID_ITEM, "Fixing bolts");
    driver.type(components_window, ID_LINE_AMOUNT, "12");
    tick();
    EXPECT_EQ(text(ID_EACH), "80");
    EXPECT_EQ(text(ID_LINE_AMOUNT), "12");

    // Unchecking "Invoice" is a payment too; checking it goes back to the sale list.
    driver.check(description_window, ID_INVOICE, true);
    EXPECT_EQ(common::get_check(description_window, ID_PAYMENT), 0);
    EXPECT_EQ(common::get_check(components_window, ID_CALC), 1);
    EXPECT_FALSE(common::is_enabled(components_window, ID_CALC));
    EXPECT_EQ(common::list_count(components_window, ID_ITEM), 5);
    driver.check(description_window, ID_INVOICE, false);
    EXPECT_EQ(common::get_check(description_window, ID_PAYMENT), 1);
    EXPECT_EQ(common::list_count(components_window, ID_ITEM), 3);
}

TEST_F(ComponentsTest, ResetPutsBackCarriageDiscountAndLabels) {
    driver.type(components_window, ID_CARRIAGE, "25");
    driver.type(components_window, ID_DISCOUNT, "15%");
    ResetComponents();
    EXPECT_EQ(text(ID_CARRIAGE), " 0");
    EXPECT_EQ(text(ID_DISCOUNT), "0%");
    EXPECT_TRUE(printed(638, 157, "Gross"));
    EXPECT_TRUE(printed(647, 127, "VAT "));
}

}  // namespace
}  // namespace jobs
