// Any bytes as one of the office's pictures (item pictures, maps, the start picture, the tool
// bar strip, the icon): loading gives a picture or a failure, never a crash, and a loaded
// picture is let go again when deleted. The first byte picks whether the tool bar's colour
// mapping runs too; the rest is the file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/window.h"
#include "scratch_file.h"

namespace {

// The loader goes by the file name's extension, so the picture gets one of its own beside the
// scratch file, removed when the fuzzer ends.
const std::string& picture_path() {
    static const std::string path = [] {
        static std::string name = fuzzing::scratch_path() + ".jpg";
        std::atexit([] { std::remove(name.c_str()); });
        return name;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no screen needed to decode pictures
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int type =
        data[0] & 1 ? common::IMAGE_BITMAP | common::IMAGE_MAP_3D_COLOURS : common::IMAGE_PICTURE;
    std::FILE* out = std::fopen(picture_path().c_str(), "wb");
    if (!out) std::abort();
    if (size > 1 && std::fwrite(data + 1, 1, size - 1, out) != size - 1) std::abort();
    std::fclose(out);

    const int before = common::image_count();
    const int picture = common::load_image(picture_path(), type);
    if (picture == 0) {
        if (common::image_count() != before) std::abort();
        return 0;
    }
    if (common::image_count() != before + 1) std::abort();
    common::delete_image(picture, type);
    if (common::image_count() != before) std::abort();
    return 0;
}
