// Any bytes as the help exchange's answer file: the answer read is the first line, at most a
// field's length, with no CR left in it (a CR ends the line; a lone LF belongs to it).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "help.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::write_input(data, size);
    std::string answer = "left from before";
    if (!jobs::read_answer_file(fuzzing::scratch_path(), answer)) std::abort();
    if (answer.size() > 254) std::abort();
    if (answer.find('\r') != std::string::npos) std::abort();
    if (size == 0 && !answer.empty()) std::abort();
    return 0;
}
