// A program folder for the job manager's benchmarks: settings, a price list of the given
// length and a picture key word list, in a fresh temporary folder that the layer takes as the
// program folder.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/hooks.h"

namespace bench_support {

inline void write_text(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// "Item 000001 solar part\tstock\t£12.34" and so on: every name is different.
inline std::string price_list_text(int lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 48);
    char line[96];
    for (int i = 1; i <= lines; ++i) {
        std::snprintf(line, sizeof line, "Item %06d solar part\tstock\t\xA3%d.%02d\r\n", i,
                      i % 900 + 10, i % 100);
        text += line;
    }
    return text;
}

inline std::string make_program_folder(int price_lines) {
    char name[] = "/tmp/kez-bench-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    std::string folder = std::string(name) + "/";
    std::filesystem::create_directories(folder + "data");
    write_text(folder + "data/KezDatabaseINI.ini", "carrage:10\r\ndiscountat:500\r\n");
    write_text(folder + "data/KezPriceList.dat", price_list_text(price_lines));
    write_text(folder + "data/CostPriceList.dat", price_list_text(10));
    write_text(folder + "data/ImageFileNames.dat", "panel\r\ninverter\r\n");
    common::layer_hooks().program_folder = folder;
    return folder;
}

inline void remove_program_folder(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace bench_support
