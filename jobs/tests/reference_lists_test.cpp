// Settings and reference lists read from the program folder's "data" files, good and bad.
#include "reference_lists.h"

#include <gtest/gtest.h>

#include "components.h"
#include "installation.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;

class ReferenceListsTest : public testing::JobManagerTest {
protected:
    std::string item_entry(int index) {
        return common::list_get(components_window, ID_ITEM, index);
    }
    int item_count() { return common::list_count(components_window, ID_ITEM); }
    bool shown(const std::string& text, const std::string& caption) {
        for (const auto& m : driver.messages())
            if (m.text == text && m.caption == caption) return true;
        return false;
    }
    void choose_item(const std::string& item) {
        driver.type(components_window, ID_ITEM, item);
        tick();
    }
};

class MissingSettingsTest : public ReferenceListsTest {
protected:
    void prepare_data() override { remove_file("data/KezDatabaseINI.ini"); }
};

TEST_F(MissingSettingsTest, StartsWithZeroSettings) {
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "problem opening INI file");
    EXPECT_EQ(driver.messages()[0].caption, "error...LoadINI...");
    EXPECT_EQ(settings.discount_threshold, 0);
    EXPECT_EQ(settings.question_file, "");
    EXPECT_EQ(get_control_text(components_window, ID_CARRIAGE), " 0");
    EXPECT_EQ(item_count(), 5);  // start-up went on
}

class HandWrittenSettingsTest : public ReferenceListsTest {
protected:
    void prepare_data() override {
        // LF line ends, indented keys, a binary line, an over-long line, no final line end.
        write_file("data/KezDatabaseINI.ini",
                   std::string("  space:12\n\tcarrage:12.5  \n\x01\xFF\0garbage\n", 38) +
                       std::string(600, 'z') + "\nmessagefile:q file.txt \n discountat:99.5");
    }
};

TEST_F(HandWrittenSettingsTest, ValuesAfterTheirKeys) {
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(settings.spacer_height, 12);
    EXPECT_FLOAT_EQ(settings.default_carriage, 12.5f);
    EXPECT_EQ(settings.question_file, "q file.txt ");
    EXPECT_EQ(settings.answer_file, "");
    EXPECT_EQ(settings.discount_threshold, 100);
    EXPECT_EQ(get_control_text(components_window, ID_CARRIAGE), " 12.50");
}

TEST_F(ReferenceListsTest, ProductsComeAndGoWithTheirList) {
    EXPECT_EQ(item_count(), 5);
    EXPECT_EQ(product_count, 5);
    EXPECT_EQ(item_entry(0), "Solar panel 80W");
    EXPECT_EQ(item_entry(4), "Survey visit");  // a line without TAB is all name

    write_file("data/KezPriceList.dat", "first\tx\n" + std::string(300, 'L') +
                                            "\r\n\r\n\xA3"
                                            "5\rlast\t\xA3"
                                            "1");
    ClearProducts();
    EXPECT_EQ(item_count(), 0);
    LoadProducts();
    ASSERT_EQ(item_count(), 5);
    EXPECT_EQ(item_entry(0), "first");
    EXPECT_EQ(item_entry(1), std::string(254, 'L'));
    EXPECT_EQ(item_entry(2), "");
    EXPECT_EQ(item_entry(3),
              "\xA3"
              "5");
    EXPECT_EQ(item_entry(4), "last");

    // An empty list gives one empty entry.
    write_file("data/KezPriceList.dat", "");
    ClearProducts();
    LoadProducts();
    EXPECT_EQ(item_count(), 1);
    EXPECT_EQ(product_count, 1);
    EXPECT_EQ(item_entry(0), "");

    // Clearing takes one entry more than was loaded, from the top.
    common::list_add(components_window, ID_ITEM, "typed in");
    common::list_add(components_window, ID_ITEM, "kept");
    ClearProducts();
    ASSERT_EQ(item_count(), 1);
    EXPECT_EQ(item_entry(0), "kept");
}

TEST_F(ReferenceListsTest, MissingPriceListKeepsWhatWasThere) {
    remove_file("data/CostPriceList.dat");
    driver.check(description_window, ID_PAYMENT, true);
    EXPECT_TRUE(shown("Unable to open Price list file", "Message...LoadProducts..."));
    EXPECT_EQ(get_control_text(main_frame, ID_STATUS_BAR),
              "problem loading products file: CostPriceList.dat");
    EXPECT_EQ(product_count, 0);

    // The price lookup of the tick reports it too, once for each new item text.
    driver.clear_records();
    driver.type(components_window, ID_EACH, "3");
    driver.type(components_window, ID_NUMBER, "2");
    choose_item("Solar panel 80W");
    tick();
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open Price list file");
    EXPECT_EQ(driver.messages()[0].caption, "Message...CalculateValues...");
    EXPECT_EQ(get_control_text(components_window, ID_EACH), "3");
    EXPECT_EQ(get_control_text(components_window, ID_LINE_AMOUNT), " 6");
}

TEST_F(ReferenceListsTest, PicturesFollowTheChosenItem) {
    int images = common::image_count();
    choose_item("Solar panel 80W");
    int panel = state.current_picture;
    EXPECT_NE(panel, 0);
    choose_item("Inverter 1000W");
    EXPECT_NE(state.current_picture, 0);
    EXPECT_NE(state.current_picture, panel);
    EXPECT_EQ(common::image_count(), images);  // the picture replaced is freed

    // No key word in the item: the picture stays.
    int inverter = state.current_picture;
    choose_item("Battery 100Ah");
    EXPECT_EQ(state.current_picture, inverter);

    // A key word whose picture is missing or broken leaves no picture.
    write_file("data/ImageFileNames.dat", "battery\r\nbad\r\n");
    write_file("data/bad.jpg", "not a picture");
    choose_item("Battery 100Ah bad");
    EXPECT_EQ(state.current_picture, 0);
    EXPECT_EQ(common::image_count(), images - 1);
    choose_item("Battery 100Ah");
    EXPECT_EQ(state.current_picture, 0);
    EXPECT_TRUE(driver.messages().empty());
    tick();  // drawing no picture is harmless
}

TEST_F(ReferenceListsTest, MissingOrBrokenPictureListIsReportedOncePerItem) {
    remove_file("data/ImageFileNames.dat");
    int start_picture = state.current_picture;
    choose_item("Mounting kit");
    tick();
    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open Image list file");
    EXPECT_EQ(driver.messages()[0].caption, "Message...CalculateValues...");
    EXPECT_EQ(get_control_text(components_window, ID_EACH), "45");  // priced all the same
    EXPECT_EQ(state.current_picture, start_picture);

    write_file("data/ImageFileNames.dat",
               std::string("\0\xFF\x80\r\n", 5) + std::string(5000, 'k'));
    choose_item("Inverter 1000W");
    EXPECT_EQ(state.current_picture, start_picture);
    EXPECT_EQ(driver.messages().size(), 1u);
}

TEST_F(ReferenceListsTest, InstallationListsFillTheirDropDowns) {
    driver.check(description_window, ID_INSTALATION, true);
    ASSERT_TRUE(installation_window.is_open());
    EXPECT_EQ(common::list_count(installation_window, ID_FIRST_SURVEY_FIELD), 3);
    EXPECT_EQ(common::list_get(installation_window, ID_FIRST_SURVEY_FIELD, 1), "Grid connected");
    EXPECT_EQ(common::list_count(installation_window, ID_PROCESS_TODO), 5);
    EXPECT_EQ(common::list_get(installation_window, ID_PROCESS_TODO, 4), "Commission system");
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(ReferenceListsTest, MissingInstallationListsAreReported) {
    remove_file("data/JobTypeList.dat");
    remove_file("data/ProcessList.dat");
    driver.check(description_window, ID_INSTALATION, true);
    ASSERT_TRUE(installation_window.is_open());
    EXPECT_TRUE(shown("Unable to open job type list file", "Message..."));
    EXPECT_TRUE(shown("Unable to open Instalation Process list file", "Message..."));
    EXPECT_EQ(common::list_count(installation_window, ID_FIRST_SURVEY_FIELD), 0);
    EXPECT_EQ(common::list_count(installation_window, ID_PROCESS_TODO), 0);
}

}  // namespace
}  // namespace jobs
