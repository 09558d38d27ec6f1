// Nothing the office typed is lost without a question: closing, Open and "Enquiry" offer to
// save lines never saved, a cancelled requester or a failed save stops what was to follow, a
// save onto another job's file asks first, and a job's carriage and discount live in its file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/files.h"
#include "common/window.h"
#include "components.h"
#include "customer.h"
#include "job_file.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;

class KeepingWorkTest : public testing::JobManagerTest {
protected:
    static constexpr int YES = 2, NO = 3;
    std::string text(int id) { return get_control_text(components_window, id); }
    std::string status() { return get_control_text(main_frame, ID_STATUS_BAR); }
    int rows() {
        return common::control_command(components_window, ID_LINE_LIST, common::LV_ROW_COUNT);
    }
    void add_item(const std::string& item, const std::string& number) {
        driver.type(components_window, ID_ITEM, item);
        tick();
        driver.type(components_window, ID_NUMBER, number);
        driver.click(components_window, ID_ADD);
        tick();
    }
    std::string page() { return read_file("printdata/htmlout.htm"); }
};

TEST_F(KeepingWorkTest, ClosingWithLinesNeverSavedAsksAndACancelKeepsTheProgramOpen) {
    add_item("Mounting kit", "2");
    answer(YES);
    driver.answer_file_requester("");
    driver.close_box(main_frame);
    ASSERT_EQ(asked, std::vector<std::string>{"Save changes to the Job: "});
    EXPECT_TRUE(state.run);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(status(), "job NOT saved ...");
    EXPECT_EQ(common::timer_period(main_frame, 1), 1000);

    answer(YES);
    driver.answer_file_requester(path_of("data/barn.job"));
    driver.close_box(main_frame);
    EXPECT_FALSE(state.run);
    EXPECT_NE(read_file("data/barn.job").find(" itum: Mounting kit each: 45 units: 2 "),
              std::string::npos);
}

TEST_F(KeepingWorkTest, ClosingWithNothingToLoseAsksNothing) {
    driver.close_box(main_frame);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(driver.unanswered_dialogs().empty());
    EXPECT_FALSE(state.run);
}

TEST_F(KeepingWorkTest, AFailedSaveOnClosingKeepsTheProgramOpen) {
    add_item("Mounting kit", "2");
    std::filesystem::remove_all(path_of("data"));
    answer(YES);
    driver.answer_file_requester(path_of("data/barn.job"));
    driver.close_box(main_frame);
    EXPECT_TRUE(state.run);
    EXPECT_EQ(rows(), 1);
    ASSERT_FALSE(driver.messages().empty());
    EXPECT_EQ(driver.messages().back().text, "problem saving job ...");
}

TEST_F(KeepingWorkTest, EnquiryAnsweredYesThenCancelledKeepsTheInvoice) {
    add_item("Mounting kit", "2");
    driver.check(description_window, ID_ENQUIRY, false);  // New leaves it unchecked
    driver.clear_records();
    answer(YES);
    driver.answer_file_requester("");
    driver.check(description_window, ID_ENQUIRY, true);
    EXPECT_EQ(asked, std::vector<std::string>{"Save changes to the Job: "});
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(common::get_check(description_window, ID_ENQUIRY), 0);
    EXPECT_FALSE(state.job_loaded);

    // Answered No, the enquiry starts afresh as before.
    answer(NO);
    driver.check(description_window, ID_ENQUIRY, true);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(common::get_check(description_window, ID_ENQUIRY), 1);
}

TEST_F(KeepingWorkTest, OpenWithLinesNeverSavedAsksAndACancelOpensNothing) {
    write_file("data/other.job", "Job Number:other\r\nCustomer: NA:\r\n");
    add_item("Mounting kit", "2");
    answer(YES);
    driver.answer_file_requester("");                         // the save requester
    driver.answer_file_requester(path_of("data/other.job"));  // would be the open requester
    tool(CMD_OPEN);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(state.job_name, "");
}

TEST_F(KeepingWorkTest, NewAskedToSaveAJobThatCannotBeSavedClearsNothing) {
    add_item("Mounting kit", "2");
    driver.answer_file_requester(path_of("data/barn.job"));
    tool(CMD_SAVE);
    std::filesystem::remove_all(path_of("data"));
    answer(YES);
    tool(CMD_NEW);
    EXPECT_EQ(asked, std::vector<std::string>{"Do you want to save changes to the Job: barn"});
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(state.job_name, "barn");
}

TEST_F(KeepingWorkTest, SavingOverAnotherJobsFileAsksFirst) {
    const std::string theirs = "Job Number:Lee barn\r\nCustomer: NA:\r\n";
    write_file("data/Lee barn.job", theirs);
    write_file("elsewhere/Lee barn.job", "Job Number:Lee barn\r\nCustomer: NA:\r\n");
    driver.answer_file_requester(path_of("elsewhere/Lee barn.job"));
    tool(CMD_OPEN);
    add_item("Mounting kit", "2");
    answer(NO);
    tool(CMD_SAVE);
    EXPECT_EQ(asked, std::vector<std::string>{"The file exists replace?"});
    EXPECT_EQ(read_file("data/Lee barn.job"), theirs);
    EXPECT_EQ(status(), "job NOT saved ...");

    answer(YES);
    tool(CMD_SAVE);
    EXPECT_NE(read_file("data/Lee barn.job").find("Mounting kit"), std::string::npos);
    // Now it is the job's own file: the next Save asks nothing.
    tool(CMD_SAVE);
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(KeepingWorkTest, AJobWhoseCustomerFileIsMissingKeepsItsCustomer) {
    write_file("data/roof.job",
               "Job Number:roof\r\nCustomer: Ann Lee\r\nStart of invoice data:\r\nEndOID:\r\n");
    driver.check(description_window, ID_CUSTOMER, true);
    driver.type(customer_window, ID_CUSTOMER_NAME, "Name");
    driver.answer_file_requester(path_of("data/roof.job"));
    tool(CMD_OPEN);
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open file please try again later\r\n" +
                                             common::native_path(path_of("data/Ann Lee.kez")));
    EXPECT_EQ(get_control_text(customer_window, ID_CUSTOMER_NAME), "Ann Lee");
    tick();
    tool(CMD_SAVE);
    EXPECT_NE(read_file("data/roof.job").find("\r\nCustomer: Ann Lee\r\n"), std::string::npos);
    // What the window happened to show is not written as her customer file.
    EXPECT_FALSE(file_exists("data/Ann Lee.kez"));
    EXPECT_FALSE(file_exists("data/Name.kez"));

    // The office's own Save of the customer writes it.
    driver.type(customer_window, 107, "4 Mill Row");
    driver.choose_tool(customer_window, ID_TOOL_BAR, CMD_SAVE);
    EXPECT_NE(read_file("data/Ann Lee.kez").find("address:4 Mill Row"), std::string::npos);
}

TEST_F(KeepingWorkTest, CarriageAndDiscountSurviveSaveReopenAndPrint) {
    add_item("Battery 100Ah", "30");  // 30 x 89.50 = 2685
    driver.type(components_window, ID_CARRIAGE,
                "\xA3"
                "20");
    tick();
    driver.select_row(components_window, ID_DISCOUNT, 1);
    tick();
    const std::string net = text(ID_NET), gross = text(ID_TOTAL);
    EXPECT_EQ(net, " 2434.50");    // 2705 less 270.50
    EXPECT_EQ(gross, " 2860.54");  // VAT 426.0375 -> 426.04

    driver.answer_file_requester(path_of("data/inv0101.job"));
    tool(CMD_SAVE);
    EXPECT_EQ(text(ID_CARRIAGE),
              "\xA3"
              "20");
    EXPECT_EQ(text(ID_DISCOUNT), "10%");
    tick();
    EXPECT_EQ(text(ID_TOTAL), gross);
    const std::string file = read_file("data/inv0101.job");
    EXPECT_NE(file.find("\r\nEndOID:\r\nCarrage: 20\r\nDiscount: 10%\r\nInvoice notes: "),
              std::string::npos);
    tool(CMD_PRINT);
    EXPECT_NE(page().find("<td width='30%'><p class='style2'> 2685<br>\r\n\xA3"
                          "20<br>\r\n"
                          " - 10% <br>\r\n 2434.50<br>\r\n 426.04<br>\r\n 2860.54<br>"),
              std::string::npos);

    // A new job starts from the settings; the saved one comes back exactly.
    answer(NO);
    tool(CMD_NEW);
    EXPECT_EQ(text(ID_CARRIAGE), " 0");
    EXPECT_EQ(text(ID_DISCOUNT), "0%");
    driver.answer_file_requester(path_of("data/inv0101.job"));
    tool(CMD_OPEN);
    EXPECT_EQ(text(ID_CARRIAGE), " 20");
    EXPECT_EQ(text(ID_DISCOUNT), "10%");
    tick();
    EXPECT_EQ(text(ID_NET), net);
    EXPECT_EQ(text(ID_TOTAL), gross);
    tool(CMD_PRINT);
    EXPECT_NE(page().find(" 2685<br>\r\n 20<br>\r\n - 10% <br>\r\n 2434.50<br>\r\n 426.04<br>"
                          "\r\n 2860.54<br>"),
              std::string::npos);
}

class OfficeCarriageTest : public KeepingWorkTest {
protected:
    void prepare_data() override {
        write_file("data/KezDatabaseINI.ini", "carrage: 12.50\r\ndiscountat:500\r\n");
    }
};

TEST_F(OfficeCarriageTest, AJobFileWithoutChargesOpensWithTheDefaults) {
    write_file("data/old.job",
               "Job Number:old\r\nCustomer: NA:\r\nStart of invoice data:\r\n"
               " itum: Battery 100Ah each: 89.50 units: 30 alltotal: 2685 vat:  fulltotal:  "
               "notes: \r\nEndOID:\r\nInvoice notes: Invoice notes\r\n");
    driver.type(components_window, ID_CARRIAGE, "99");
    driver.answer_file_requester(path_of("data/old.job"));
    tool(CMD_OPEN);
    EXPECT_EQ(text(ID_CARRIAGE), " 12.50");
    EXPECT_EQ(text(ID_DISCOUNT), "0%");
    tick();
    EXPECT_EQ(text(ID_NET), " 2697.50");
}

}  // namespace
}  // namespace jobs
