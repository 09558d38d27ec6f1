// Any bytes as the settings file: every line is taken or ignored, and the settings keep to
// their fields' sizes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reference_file.h"
#include "settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    jobs::Settings settings = jobs::read_settings(jobs::split_lines(bytes));
    if (settings.question_file.size() > 254 || settings.answer_file.size() > 254) std::abort();
    // A single line given as it is, without the line splitting, is also taken safely.
    jobs::Settings one;
    jobs::apply_settings_line(one, std::string(bytes));
    if (one.question_file.size() > 254) std::abort();
    return 0;
}
