#include "weights.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/window.h"
#include "conditions.h"
#include "state.h"
#include "todo_fixture.h"

namespace todo {
namespace {

TEST(ConditionScores, FactorTimesCountAndTheWeightsLine) {
    // One priority-one entry and one entry today, bars at the top except priority at 0 too.
    const ConditionValues scores = condition_scores({0, 0, 0, 0, 0, 0}, {0, 2, 0, 0, 1, 0});
    EXPECT_EQ(scores, (ConditionValues{0, 200, 0, 0, 100, 0}));
    EXPECT_EQ(weights_line(scores), "Weights:  0: 200: 0: 0: 100: 0" + std::string(18, ' '));
    // An alarm counts 3; weight 40 leaves the factor 60.
    EXPECT_EQ(condition_scores({40, 0, 0, 0, 0, 0}, {3, 0, 0, 0, 0, 0})[0], 180);
    // A bar at the bottom switches its condition off whatever its count.
    EXPECT_EQ(condition_scores({0, 100, 0, 0, 0, 0}, {0, 7, 0, 0, 0, 0})[1], 0);
}

TEST(ConditionScores, WinnerTakesTiesLowAndKeepsThePreviousOnNothing) {
    EXPECT_EQ(winning_condition_of({0, 100, 0, 0, 0, 0}, -1), 1);
    EXPECT_EQ(winning_condition_of({0, 0, 300, 300, 0, 0}, 1), 2);
    EXPECT_EQ(winning_condition_of({0, 100, 0, 0, 200, 0}, -1), 4);
    EXPECT_EQ(winning_condition_of({0, 0, 0, 0, 0, 0}, 3), 3);
    EXPECT_EQ(winning_condition_of({0, 0, 0, 0, 0, 0}, -1), -1);
    EXPECT_EQ(weights_line({0, 0, 0, 0, 0, 0}),
              "Weights:  0: 0: 0: 0: 0: 0" + std::string(18, ' '));
}

TEST(WeightsFile, LinesRoundTrip) {
    const ConditionValues weights{0, 40, 100, 7, 0, 55};
    const ConditionTexts responses{"a", "b", "c", "d", "e", "f"};
    const std::vector<std::string> lines = weights_file_lines(weights, responses);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1], " 40");
    EXPECT_EQ(lines[6], "a");
    ConditionValues read{};
    ConditionTexts read_responses;
    read_weights_file(lines, read, read_responses);
    EXPECT_EQ(read, weights);
    EXPECT_EQ(read_responses, responses);
}

TEST(WeightsFile, ShortOrOddFilesKeepResponsesAndBoundWeights) {
    ConditionValues weights{9, 9, 9, 9, 9, 9};
    ConditionTexts responses{"r0", "r1", "r2", "r3", "r4", "r5"};
    read_weights_file({" 12.6", "abc", " 250", " -4", "", " 3", "", "New one"}, weights, responses);
    EXPECT_EQ(weights, (ConditionValues{13, 0, 100, 0, 0, 3}));
    EXPECT_EQ(responses, (ConditionTexts{"r0", "New one", "r2", "r3", "r4", "r5"}));
    read_weights_file({}, weights, responses);
    EXPECT_EQ(weights, (ConditionValues{0, 0, 0, 0, 0, 0}));
    read_weights_file({"1", "2", "3", "4", "5", "6", std::string(300, 'z')}, weights, responses);
    EXPECT_EQ(responses[0].size(), 254u);
}

TEST(WeightBars, ScrollCodesMoveWithinTheRange) {
    EXPECT_EQ(scrolled_position(50, common::SB_LINEUP, 0), 49);
    EXPECT_EQ(scrolled_position(50, common::SB_LINEDOWN, 0), 51);
    EXPECT_EQ(scrolled_position(50, common::SB_PAGEUP, 0), 40);
    EXPECT_EQ(scrolled_position(50, common::SB_PAGEDOWN, 0), 60);
    EXPECT_EQ(scrolled_position(50, common::SB_THUMBTRACK, 77), 77);
    EXPECT_EQ(scrolled_position(50, common::SB_THUMBPOSITION, 77), 50);
    EXPECT_EQ(scrolled_position(50, common::SB_ENDSCROLL, 0), 50);
    EXPECT_EQ(scrolled_position(95, common::SB_PAGEDOWN, 0), 100);
    EXPECT_EQ(scrolled_position(0, common::SB_LINEUP, 0), 0);
    EXPECT_EQ(control_label(2, 40), "Control: 2  Weight: 60     ");
}

}  // namespace
}  // namespace todo

namespace todo {
namespace {

// The weights dialog as the user works it, and the "weights.ini" it reads and writes.
class WeightsDialogTest : public testing::TodoFixture {
protected:
    common::Window& weights() { return weights_dialog; }
    void toggle() { choose_tool(CMD_NN_WEIGHTS); }
    void scroll(int bar, int code, int thumb = 0) { driver.scroll(weights(), bar, code, thumb); }
    std::string response_edit() { return common::get_control_text(weights(), 22); }
    void type_response(const std::string& text) { driver.type(weights(), 22, text); }
    std::string weights_file() { return read_file(in_program_folder("weights.ini")); }
    // The lines of "weights.ini" for these weights and responses.
    static std::string file_of(const std::vector<int>& weights,
                               const std::vector<std::string>& responses) {
        std::string bytes;
        for (int weight : weights) bytes += " " + std::to_string(weight) + "\r\n";
        for (const std::string& response : responses) bytes += response + "\r\n";
        return bytes;
    }
    const std::vector<std::string> defaults{
        " << ALARM >>               ", "Priority ONE               ",
        "Alarm within the hour      ", "Reminders pending today    ",
        "Reminders today            ", "Old active reminders       "};
};

TEST_F(WeightsDialogTest, BarsMoveByTheirScrollCodesAndUpdateSaves) {
    start();
    toggle();
    ASSERT_TRUE(weights().is_open());
    EXPECT_TRUE(state.weights_dialog_open);
    EXPECT_EQ(response_edit(), defaults[0]);
    for (int i = 0; i < 4; ++i) scroll(2, common::SB_PAGEDOWN);
    EXPECT_EQ(common::get_scroll_pos(weights(), 2), 40);
    EXPECT_EQ(common::get_control_text(weights(), 8), "Control: 1  Weight: 60     ");
    EXPECT_EQ(response_edit(), defaults[1]);
    scroll(2, common::SB_LINEUP);
    EXPECT_EQ(common::get_scroll_pos(weights(), 2), 39);
    scroll(4, common::SB_LINEDOWN);
    scroll(4, common::SB_PAGEUP);  // stops at the top
    EXPECT_EQ(common::get_scroll_pos(weights(), 4), 0);
    EXPECT_EQ(common::get_control_text(weights(), 8), "Control: 3  Weight: 100     ");

    type_response("Pending: get going");
    driver.click(weights(), 21);
    std::vector<std::string> responses = defaults;
    responses[3] = "Pending: get going";
    EXPECT_EQ(weights_file(), file_of({0, 39, 0, 0, 0, 0}, responses));
    // Without the file both the main dialog and the weights dialog said so; the save is silent.
    EXPECT_EQ(shown("Error...load weights data..."),
              std::vector<std::string>(2, "Unable to load NN INI file"));
    EXPECT_EQ(driver.messages().size(), 2u);
}

TEST_F(WeightsDialogTest, BarAtTheBottomSwitchesItsConditionOff) {
    write_file(in_program_folder("todo.dat"),
               database_bytes({{"Pay VAT", " 1", "01-01-2026", "01-01-2026", "08:00", " 5"}}, 1));
    start();
    driver.check(dialog(), ID_SHOW_OUTPUT_CHECK, true);
    tick();
    // Priority one and old active both score 100: the lower number wins.
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 100: 0: 0: 0: 100" + std::string(18, ' '));
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Priority ONE               ");
    toggle();
    scroll(2, common::SB_THUMBPOSITION, 100);
    EXPECT_EQ(common::get_scroll_pos(weights(), 2), 100);
    driver.click(weights(), 21);
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 0: 0: 0: 0: 100" + std::string(18, ' '));
    EXPECT_EQ(winning_condition(), 5);
    tick();
    EXPECT_EQ(text(ID_MESSAGE_LINE), "Old active reminders       ");
}

TEST_F(WeightsDialogTest, ClosingStoresTheEditedResponseExceptFromElsewhere) {
    start();
    toggle();
    scroll(3, common::SB_LINEDOWN);
    type_response("Soon");
    driver.close_box(weights());
    EXPECT_FALSE(weights().is_open());
    EXPECT_FALSE(state.weights_dialog_open);
    std::vector<std::string> responses = defaults;
    responses[2] = "Soon";
    EXPECT_EQ(weights_file(), file_of({0, 0, 1, 0, 0, 0}, responses));

    // Re-opened, it starts at condition 0 whatever bar was moved last.
    toggle();
    EXPECT_EQ(response_edit(), defaults[0]);
    EXPECT_EQ(common::get_scroll_pos(weights(), 3), 1);
    scroll(5, common::SB_LINEDOWN);
    type_response("Today!");
    toggle();  // "NN weights" closes it and keeps the response
    EXPECT_FALSE(weights().is_open());
    responses[4] = "Today!";
    EXPECT_EQ(weights_file(), file_of({0, 0, 1, 0, 1, 0}, responses));

    toggle();
    scroll(6, common::SB_LINEDOWN);
    type_response("Lost");
    close_weights_dialog();  // as Refresh and Data base close it
    EXPECT_FALSE(weights().is_open());
    EXPECT_FALSE(state.weights_dialog_open);
    EXPECT_EQ(state.condition_labels[5], defaults[5]);
    EXPECT_EQ(weights_file(), file_of({0, 0, 1, 0, 1, 0}, responses));
}

TEST_F(WeightsDialogTest, FileReadBackAtStartAndFailedSaveReported) {
    write_file(in_program_folder("weights.ini"),
               file_of({10, 20, 30, 40, 50, 60}, {"Alarm!", "", "c", "d", "e", "f"}));
    start();
    EXPECT_TRUE(driver.messages().empty());
    toggle();
    for (int bar = 1; bar <= 6; ++bar) {
        EXPECT_EQ(common::get_scroll_pos(weights(), bar), bar * 10);
    }
    EXPECT_EQ(response_edit(), "Alarm!");
    scroll(2, common::SB_LINEDOWN);
    EXPECT_EQ(response_edit(), defaults[1]);  // an empty line keeps the default

    std::filesystem::remove(in_program_folder("weights.ini"));
    std::filesystem::create_directory(in_program_folder("weights.ini"));
    driver.click(weights(), 21);
    EXPECT_EQ(shown("Error...save weights..."),
              std::vector<std::string>{"Unable to create NN INI file"});
    EXPECT_EQ(common::get_scroll_pos(weights(), 2), 21);  // kept in memory
}

TEST_F(WeightsDialogTest, EachStartBeginsFromWeightsZero) {
    write_file(in_program_folder("todo.dat"),
               database_bytes({{"Old job", " 2", "01-01-2026", "01-01-2026", "08:00", " 5"}}, 1));
    write_file(in_program_folder("weights.ini"), file_of({50, 50, 50, 50, 50, 50}, defaults));
    start();
    tick();
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 0: 0: 0: 0: 50" + std::string(18, ' '));
    std::filesystem::remove(in_program_folder("weights.ini"));
    choose_tool(CMD_REFRESH);
    ASSERT_TRUE(end_and_maybe_reload());
    EXPECT_EQ(winning_condition(), 5);  // the winner is the run's: a reload keeps it
    tick();
    EXPECT_EQ(text(ID_WEIGHTS_LINE), "Weights:  0: 0: 0: 0: 0: 100" + std::string(18, ' '));
}

}  // namespace
}  // namespace todo
