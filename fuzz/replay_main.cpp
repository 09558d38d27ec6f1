// Runs a fuzz target once over given inputs, without libFuzzer: each argument is a file, or a
// folder whose files are all taken. Built with the ordinary compiler, so the tests can replay
// every corpus and a reader that breaks on a known input fails there, not only when fuzzing.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Set-up a target may have, called once first, as libFuzzer does.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The files named, folders replaced by the files in them, in name order so a failure repeats.
std::vector<fs::path> inputs_of(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
        if (!fs::is_directory(given)) {
            inputs.push_back(given);
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(given))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    const std::vector<fs::path> inputs = inputs_of(argc, argv);
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 2;  // an empty corpus replays nothing and would pass without testing anything
    }
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 2;
        }
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        std::printf("replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
        std::fflush(stdout);  // a crash names the input that caused it
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
