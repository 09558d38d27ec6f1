// Any bytes as "weights.ini": the reader takes what it can, every weight lands on the bar's
// range, every response fits its field, and what is read writes back to the same values.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../todo/conditions.h"
#include "../todo/weights.h"
#include "scratch_file.h"

namespace {

using fuzzing::scratch_path;
using fuzzing::write_input;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    write_input(data, size);
    std::vector<std::string> lines;
    if (!todo::read_weights_lines(scratch_path(), lines)) std::abort();
    if (lines.size() > 12) std::abort();

    todo::ConditionValues weights{};
    todo::ConditionTexts responses{"a", "b", "c", "d", "e", "f"};
    todo::read_weights_file(lines, weights, responses);
    for (int k = 0; k < todo::CONDITION_COUNT; ++k) {
        if (weights[k] < todo::WEIGHT_MIN || weights[k] > todo::WEIGHT_MAX) std::abort();
        if (responses[k].empty() || responses[k].size() > 254) std::abort();
    }

    todo::ConditionValues again{};
    todo::ConditionTexts again_responses;
    todo::read_weights_file(todo::weights_file_lines(weights, responses), again, again_responses);
    if (again != weights || again_responses != responses) std::abort();
    return 0;
}
