#include "input_claims.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>

#include "common/file_lock.h"
#include "common/files.h"

namespace todo {

namespace {

namespace fs = std::filesystem;

// The process that left a claim of this machine, or 0 when the name is no such claim.
unsigned long claim_of_this_host(const std::string& name, const std::string& base) {
    const std::string lead = base + ".taking-" + common::this_host() + "-";
    if (name.size() <= lead.size() || name.compare(0, lead.size(), lead) != 0) return 0;
    const std::string process = name.substr(lead.size());
    if (process.find_first_not_of("0123456789") != std::string::npos || process.size() > 9)
        return 0;
    return std::stoul(process);
}

}  // namespace

std::string claim_name(const std::string& path) {
    return path + ".taking-" + common::this_host() + "-" + std::to_string(common::this_process());
}

bool take_over_left_claim(const std::string& path, const std::string& claimed) {
    // Left claims are rare (a program ended in the middle of a tick), and looking for them
    // means reading the folder, on a share a round trip: once a minute is soon enough.
    static std::map<std::string, std::chrono::steady_clock::time_point> next_look;
    const auto now = std::chrono::steady_clock::now();
    auto [when, first] = next_look.try_emplace(path, now);
    if (!first && now < when->second) return false;
    when->second = now + std::chrono::minutes(1);
    // An earlier version claimed under one name for every program: a claim of that name may be
    // another desktop's, being read this moment, until it has lain there a minute.
    const fs::path unnamed(common::native_path(path + ".taking"));
    std::error_code unknown;
    const auto written = fs::last_write_time(unnamed, unknown);
    if (!unknown && fs::file_time_type::clock::now() - written > std::chrono::minutes(1) &&
        common::file_rename(path + ".taking", claimed))
        return true;
    const fs::path where(common::native_path(path));
    fs::path folder = where.parent_path();
    if (folder.empty()) folder = ".";
    const std::string base = where.filename().string();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const unsigned long process = claim_of_this_host(it->path().filename().string(), base);
        if (process == 0 || process == common::this_process() || common::process_running(process))
            continue;
        std::error_code renamed;
        fs::rename(it->path(), common::native_path(claimed), renamed);
        if (!renamed) return true;
    }
    return false;
}

bool claim_input(const std::string& path, const std::string& claimed, bool& read_in_place) {
    read_in_place = false;
    // A rename that fails because another program has just taken the file leaves nothing; one
    // refused by the folder leaves the file. A file dropped between the two is tried once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (common::file_rename(path, claimed)) return true;
        if (!common::file_exists(path)) return false;
    }
    read_in_place = true;
    return false;
}

}  // namespace todo
