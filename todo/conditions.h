// The six reminder conditions without a window: scores, the weights line, the winner, the
// "weights.ini" lines and the weights dialog's scroll-bar arithmetic.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace todo {

inline constexpr int CONDITION_COUNT = 6;
using ConditionValues = std::array<int, CONDITION_COUNT>;
using ConditionTexts = std::array<std::string, CONDITION_COUNT>;

inline constexpr int WEIGHT_MIN = 0;
inline constexpr int WEIGHT_MAX = 100;

// Score k = (100 - weight k) x count k: a bar at the top counts fully, at the bottom not at all.
ConditionValues condition_scores(const ConditionValues& weights, const ConditionValues& counts);
// "Weights: " + the six scores' number texts joined by ":" + 18 spaces.
std::string weights_line(const ConditionValues& scores);
// The first condition with the highest score above 0; the previous winner when none is above 0.
int winning_condition_of(const ConditionValues& scores, int previous);

// "weights.ini": six weights as number texts, then six responses, one per line.
std::vector<std::string> weights_file_lines(const ConditionValues& weights,
                                            const ConditionTexts& responses);
// Weights from the first six lines (rounded, a missing or unreadable one 0, kept within the
// bar's range); a non-empty line among the next six replaces that response.
void read_weights_file(const std::vector<std::string>& lines, ConditionValues& weights,
                       ConditionTexts& responses);

// A bar's new position after a scroll code: lines move by 1, pages by 10, a tracked thumb goes
// where it is dragged; always within 0 to 100.
int scrolled_position(int position, int scroll_code, int thumb_position);
// "Control: 2  Weight: 60     ": the condition and the factor its weight leaves.
std::string control_label(int condition, int weight);

}  // namespace todo
