// The office folders a user has worked in, kept in their own configuration folder, so that a
// share that is not reachable is not taken for a new, empty office.
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "common/user_folders.h"
#include "office_folder_choice.h"

namespace common::office {

namespace {

namespace fs = std::filesystem;

std::string remembered_file() {
    const std::string folder = user_config_folder();
    return folder.empty() ? std::string() : folder + "office-folders.txt";
}

}  // namespace

bool worked_in_before(const std::string& folder) {
    const std::string file = remembered_file();
    if (file.empty()) return false;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line == folder) return true;
    return false;
}

void remember_worked_in(const std::string& folder) {
    const std::string file = remembered_file();
    if (file.empty() || worked_in_before(folder)) return;
    std::ofstream(file, std::ios::app) << folder << "\n";
}

bool looks_like_missing_share(const std::string& folder) {
    std::error_code error;
    const bool missing = !fs::exists(folder, error);
    const bool empty = !missing && fs::is_directory(folder, error) && fs::is_empty(folder, error);
    return (missing || empty) && worked_in_before(folder);
}

}  // namespace common::office
