#include "conditions.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "common/window.h"

namespace todo {

namespace {

int weight_of_line(const std::string& line) {
    const double value = std::round(common::text_number(line));
    // A hand-edited file may hold anything; the bar can only show 0 to 100.
    return static_cast<int>(std::clamp(value, double(WEIGHT_MIN), double(WEIGHT_MAX)));
}

}  // namespace

ConditionValues condition_scores(const ConditionValues& weights, const ConditionValues& counts) {
    ConditionValues scores{};
    for (int k = 0; k < CONDITION_COUNT; ++k) scores[k] = (100 - weights[k]) * counts[k];
    return scores;
}

std::string weights_line(const ConditionValues& scores) {
    std::string line = "Weights: ";
    for (int k = 0; k < CONDITION_COUNT; ++k) {
        if (k > 0) line += ":";
        line += common::number_text(scores[k]);
    }
    return line + common::spaces(18);
}

int winning_condition_of(const ConditionValues& scores, int previous) {
    int best = 0;
    int winner = previous;
    for (int k = 0; k < CONDITION_COUNT; ++k) {
        if (scores[k] > best) {
            best = scores[k];
            winner = k;
        }
    }
    return winner;
}

std::vector<std::string> weights_file_lines(const ConditionValues& weights,
                                            const ConditionTexts& responses) {
    std::vector<std::string> lines;
    for (int weight : weights) lines.push_back(common::number_text(weight));
    for (const std::string& response : responses) lines.push_back(common::field_text(response));
    return lines;
}

void read_weights_file(const std::vector<std::string>& lines, ConditionValues& weights,
                       ConditionTexts& responses) {
    for (int k = 0; k < CONDITION_COUNT; ++k) {
        weights[k] = std::size_t(k) < lines.size() ? weight_of_line(lines[k]) : 0;
    }
    for (int k = 0; k < CONDITION_COUNT; ++k) {
        const std::size_t at = std::size_t(CONDITION_COUNT + k);
        if (at < lines.size() && !lines[at].empty()) responses[k] = common::field_text(lines[at]);
    }
}

int scrolled_position(int position, int scroll_code, int thumb_position) {
    switch (scroll_code) {
        case common::SB_LINEUP:
            position -= 1;
            break;
        case common::SB_LINEDOWN:
            position += 1;
            break;
        case common::SB_PAGEUP:
            position -= 10;
            break;
        case common::SB_PAGEDOWN:
            position += 10;
            break;
        case common::SB_THUMBTRACK:
            position = thumb_position;
            break;
        default:
            break;
    }
    return std::clamp(position, WEIGHT_MIN, WEIGHT_MAX);
}

std::string control_label(int condition, int weight) {
    return "Control:" + common::number_text(condition) +
           "  Weight:" + common::number_text(100 - weight) + common::spaces(5);
}

}  // namespace todo
