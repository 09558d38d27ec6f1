#include "weights.h"

#include <gtest/gtest.h>

#include "common/window.h"
#include "conditions.h"

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
