// One scratch file per fuzzing run, removed when the fuzzer ends, and the input written to it.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzzing {

// A plain array, so that it still exists when the exit handler removes the file. In memory
// where there is such a folder: rewriting a disk file thousands of times a second makes the
// file system flush it on every close.
inline char scratch_file[] = "/dev/shm/kez_fuzz_XXXXXX";

inline const std::string& scratch_path() {
    static const std::string path = [] {
        int fd = mkstemp(scratch_file);
        if (fd < 0) {
            std::memcpy(scratch_file, "/tmp/kez_fuzz_XXXXXX", sizeof "/tmp/kez_fuzz_XXXXXX");
            fd = mkstemp(scratch_file);
        }
        if (fd < 0) std::abort();
        close(fd);
        std::atexit([] { std::remove(scratch_file); });
        return std::string(scratch_file);
    }();
    return path;
}

// Written directly: the layer's rewrite syncs to the disk on every close, which would slow the
// fuzzer down a hundredfold, and what is under test is reading.
inline void write_input(const uint8_t* data, size_t size) {
    std::FILE* out = std::fopen(scratch_path().c_str(), "wb");
    if (!out) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
    std::fclose(out);
}

}  // namespace fuzzing
