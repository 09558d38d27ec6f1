// Any bytes as the to-do program's message-input file: the file is claimed and read, its first
// line becomes an entry text that fits the text column's field, and once finished nothing of
// it is left behind to be taken again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/files.h"
#include "message_files.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = fuzzing::scratch_path();
    fuzzing::write_input(data, size);
    std::string text = "left from before";
    const todo::InputTaken how = todo::take_message_input(path, text);
    if (how == todo::InputTaken::None) std::abort();
    if (text.size() > 254) std::abort();
    if (text.find('\r') != std::string::npos) std::abort();
    if (size == 0 && !text.empty()) std::abort();
    if (!todo::finish_message_input(path, how)) std::abort();
    if (common::file_exists(path) || common::file_exists(todo::claimed_input_path(path)))
        std::abort();
    return 0;
}
