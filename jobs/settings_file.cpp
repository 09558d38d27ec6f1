// Settings lines. A key is found wherever it stands in its line and its value is the text
// right after it, so a line indented with blanks still gives its value.
#include "settings_file.h"

#include <cmath>
#include <limits>

#include "common/text.h"

namespace jobs {
namespace {

// The text after the first occurrence of the key; false when the line does not hold it.
bool value_after(const std::string& line, const std::string& key, std::string& value) {
    std::size_t at = line.find(key);
    if (at == std::string::npos) return false;
    value = line.substr(at + key.size());
    return true;
}

std::string without_trailing_blanks(const std::string& text) {
    std::size_t end = text.find_last_not_of(" \t");
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// Whole settings are rounded to the nearest number, halves to the even one (99.5 -> 100,
// 100.5 -> 100); a number beyond the range of the field is held at its end.
int whole_setting(const std::string& text) {
    double near = std::nearbyint(common::text_number(text));
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    if (near <= low) return std::numeric_limits<int>::min();
    if (near >= high) return std::numeric_limits<int>::max();
    return static_cast<int>(near);
}

float real_setting(const std::string& text) {
    double number = common::text_number(text);
    constexpr double high = std::numeric_limits<float>::max();
    if (number > high) return std::numeric_limits<float>::max();
    if (number < -high) return -std::numeric_limits<float>::max();
    return static_cast<float>(number);
}

}  // namespace

void apply_settings_line(Settings& settings, const std::string& line) {
    // "space:" and "carrage:" replace the line by their trimmed value, and the keys tested
    // after them look at that value: a file that relies on it keeps working.
    std::string text = common::field_text(line);
    std::string value;
    if (value_after(text, "space:", value)) {
        text = without_trailing_blanks(value);
        settings.spacer_height = whole_setting(text);
    }
    if (value_after(text, "carrage:", value)) {
        text = without_trailing_blanks(value);
        settings.default_carriage = real_setting(text);
    }
    if (value_after(text, "messagefile:", value)) settings.question_file = value;
    if (value_after(text, "messageinput:", value)) settings.answer_file = value;
    if (value_after(text, "discountat:", value)) settings.discount_threshold = whole_setting(value);
}

Settings read_settings(const std::vector<std::string>& lines) {
    Settings settings;
    for (const std::string& line : lines) apply_settings_line(settings, line);
    return settings;
}

}  // namespace jobs
