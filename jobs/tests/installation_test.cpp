// The installation window: survey defaults, moving steps between "Jobs todo" and "Jobs done",
// the two buttons that open files, and closing.
#include "installation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/window.h"
#include "job_manager_fixture.h"
#include "state.h"

namespace jobs {
namespace {

using common::get_control_text;
using Steps = std::vector<std::string>;

class InstallationTest : public testing::JobManagerTest {
protected:
    void open() { driver.check(description_window, ID_INSTALATION, true); }
    Steps list(int id) {
        Steps entries;
        for (int i = 0; i < common::list_count(installation_window, id); ++i)
            entries.push_back(common::list_get(installation_window, id, i));
        return entries;
    }
    std::string text(int id) { return get_control_text(installation_window, id); }
    void move_to_done(const std::string& step) {
        driver.type(installation_window, ID_PROCESS_TODO, step);
        driver.click(installation_window, 113);
    }
    void move_to_todo(const std::string& step) {
        driver.type(installation_window, ID_PROCESS_DONE, step);
        driver.click(installation_window, 114);
    }
    const Steps all_steps = {"Site survey", "Order parts", "Fit array", "Connect inverter",
                             "Commission system"};
};

TEST_F(InstallationTest, OpensWithTheSurveyDefaultsAndTheOfficeLists) {
    open();
    EXPECT_TRUE(state.installation_window_open);
    EXPECT_EQ(get_control_text(main_frame, ID_STATUS_BAR), "opening window 4 instalation ...");
    EXPECT_EQ(common::get_window_title(installation_window), "Job discription");
    const Steps defaults = {"Stand alone with batteries",
                            "0",
                            "12",
                            "SW",
                            "56",
                            "5mtr",
                            "slate",
                            "good",
                            "in house",
                            "not shaded till afternoon",
                            "Notes",
                            ""};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(text(100 + i), defaults[i]) << 100 + i;
    EXPECT_EQ(list(100),
              (Steps{"Stand alone with batteries", "Grid connected", "Solar water heating"}));
    EXPECT_EQ(list(ID_PROCESS_TODO), all_steps);
    EXPECT_TRUE(list(ID_PROCESS_DONE).empty());
    auto printed = common::printed_texts(installation_window);
    auto at = [&](int x, int y, const std::string& label) {
        return std::any_of(printed.begin(), printed.end(), [&](const common::PrintedText& p) {
            return p.x == x && p.y == y && p.text == label;
        });
    };
    EXPECT_TRUE(at(20, 36, "Jobs todo"));
    EXPECT_TRUE(at(400, 235, "Roof from floor M"));
    EXPECT_TRUE(at(2, 209, "Electriction details"));
    EXPECT_TRUE(at(2, 260, "Notes"));
    EXPECT_EQ(printed.size(), 13u);
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(InstallationTest, StepsMoveOneAtATimeAndComeBackAtTheEnd) {
    open();
    move_to_done("Fit array");
    EXPECT_EQ(list(ID_PROCESS_DONE), (Steps{"Fit array"}));
    EXPECT_EQ(list(ID_PROCESS_TODO),
              (Steps{"Site survey", "Order parts", "Connect inverter", "Commission system"}));
    EXPECT_EQ(text(ID_PROCESS_TODO), "");
    EXPECT_EQ(text(ID_PROCESS_DONE), "Fit array");

    // Empty and unmatched texts move nothing.
    move_to_done("");
    move_to_done("Fit arra");
    move_to_todo("Nothing like it");
    EXPECT_EQ(list(ID_PROCESS_DONE), (Steps{"Fit array"}));
    EXPECT_EQ(list(ID_PROCESS_TODO).size(), 4u);

    move_to_todo("Fit array");
    EXPECT_TRUE(list(ID_PROCESS_DONE).empty());
    EXPECT_EQ(list(ID_PROCESS_TODO).back(), "Fit array");
    EXPECT_EQ(text(ID_PROCESS_TODO), "Fit array");
    EXPECT_EQ(text(ID_PROCESS_DONE), "");

    // Every step done leaves "Jobs todo" empty; the last one comes back at its end.
    for (const std::string& step : all_steps) move_to_done(step);
    EXPECT_TRUE(list(ID_PROCESS_TODO).empty());
    EXPECT_EQ(list(ID_PROCESS_DONE).size(), 5u);
    move_to_todo("Site survey");
    EXPECT_EQ(list(ID_PROCESS_TODO), (Steps{"Site survey"}));
}

TEST_F(InstallationTest, AStepListedTwiceIsDoneOneStageAtATime) {
    write_file("data/ProcessList.dat", "Inspect\r\nInspect\r\nFit\r\nInspect\r\n");
    open();
    move_to_done("Inspect");
    EXPECT_EQ(list(ID_PROCESS_TODO), (Steps{"Inspect", "Fit", "Inspect"}));
    EXPECT_EQ(list(ID_PROCESS_DONE), (Steps{"Inspect"}));
    move_to_done("Inspect");
    move_to_done("Inspect");
    EXPECT_EQ(list(ID_PROCESS_TODO), (Steps{"Fit"}));
    // A done list longer than the process list still moves back entry by entry.
    for (int i = 0; i < 3; ++i) common::list_add(installation_window, ID_PROCESS_DONE, "Extra");
    for (int i = 0; i < 6; ++i) move_to_todo(list(ID_PROCESS_DONE).front());
    EXPECT_TRUE(list(ID_PROCESS_DONE).empty());
    EXPECT_EQ(list(ID_PROCESS_TODO).size(), 7u);
}

TEST_F(InstallationTest, ReopeningStartsAfresh) {
    open();
    move_to_done("Order parts");
    driver.type(installation_window, 110, "typed notes");
    driver.check(description_window, ID_INSTALATION, false);
    EXPECT_FALSE(state.installation_window_open);
    EXPECT_FALSE(installation_window.is_open());
    open();
    EXPECT_EQ(list(ID_PROCESS_TODO), all_steps);
    EXPECT_TRUE(list(ID_PROCESS_DONE).empty());
    EXPECT_EQ(text(110), "Notes");
}

TEST_F(InstallationTest, ButtonsOpenTheProcessListAndExtraNotes) {
    open();
    driver.click(installation_window, 115);
    ASSERT_EQ(driver.started_programs().size(), 1u);
    EXPECT_EQ(driver.started_programs()[0].file, folder + "\\data\\ProcessList.dat");
    EXPECT_EQ(driver.started_programs()[0].parameters, "");

    driver.answer_file_requester("");
    driver.click(installation_window, 116);
    ASSERT_EQ(driver.requesters().size(), 1u);
    EXPECT_EQ(driver.requesters()[0].title, "Open extra information file");
    EXPECT_EQ(driver.requesters()[0].filter, "Text Files (*.txt*)|*.txt*||");
    EXPECT_EQ(driver.requesters()[0].initial_folder, "C:\\");
    EXPECT_EQ(driver.requesters()[0].open, 1);
    EXPECT_EQ(driver.started_programs().size(), 1u);

    driver.answer_file_requester("/home/office/roof notes.txt");
    driver.click(installation_window, 116);
    ASSERT_EQ(driver.started_programs().size(), 2u);
    EXPECT_EQ(driver.started_programs()[1].file, "/home/office/roof notes.txt");
}

TEST_F(InstallationTest, MissingListsAreReportedAndTheWindowOpensAnyway) {
    remove_file("data/ProcessList.dat");
    remove_file("data/JobTypeList.dat");
    open();
    EXPECT_TRUE(state.installation_window_open);
    ASSERT_EQ(driver.messages().size(), 2u);
    EXPECT_EQ(driver.messages()[0].text, "Unable to open job type list file");
    EXPECT_EQ(driver.messages()[1].text, "Unable to open Instalation Process list file");
    EXPECT_EQ(list(ID_PROCESS_TODO).size(), 0u);
    EXPECT_EQ(text(100), "Stand alone with batteries");
    move_to_done("anything");
    EXPECT_TRUE(list(ID_PROCESS_DONE).empty());
}

TEST_F(InstallationTest, ACloseRequestClosesTheWindowAndClearsTheBox) {
    open();
    state.installation_allowed = false;
    driver.close_box(installation_window);
    EXPECT_FALSE(installation_window.is_open());
    EXPECT_FALSE(state.installation_window_open);
    EXPECT_EQ(common::get_check(description_window, ID_INSTALATION), 0);
    EXPECT_TRUE(state.installation_allowed);
}

}  // namespace
}  // namespace jobs
