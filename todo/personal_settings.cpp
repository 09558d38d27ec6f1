#include "personal_settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/clock.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/office_folder.h"
#include "common/services.h"
#include "common/text.h"
#include "common/user_folders.h"
#include "settings_file.h"

namespace todo {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t KEPT_BACKUPS = 5;
constexpr std::size_t OWN_DATABASE_LINE = 11;  // the twelfth line, counted from 0

// The data base the office's "todo.ini" names, as the last reading found it: a person whose
// data base differs has opened one of their own.
std::string office_database;

std::vector<std::string> lines_of(const std::string& path) {
    std::vector<std::string> lines;
    common::FileVar file;
    if (common::open_file(file, common::FileKind::Text, path, "R") != 0) return lines;
    std::string line;
    while (lines.size() <= OWN_DATABASE_LINE &&
           common::read_value(file, common::FileKind::Text, line) == 0)
        lines.push_back(line);
    common::close_file(file, common::FileKind::Text);
    return lines;
}

std::string backup_folder() {
    const std::string folder = common::user_config_folder();
    return folder.empty() ? std::string() : folder + "backups/";
}

std::string backup_lead() {
    return "todo-" + common::this_host() + "-";
}

}  // namespace

bool settings_are_personal() {
    return common::working_in_office_folder() && !common::user_config_folder().empty();
}

std::string office_settings_path() {
    return common::program_folder() + "todo.ini";
}

std::string personal_settings_path() {
    if (!settings_are_personal()) return office_settings_path();
    return common::user_config_folder() + "todo.ini";
}

void seed_personal_settings() {
    if (!settings_are_personal() || common::file_exists(personal_settings_path())) return;
    if (common::file_exists(office_settings_path()))
        common::file_copy(office_settings_path(), personal_settings_path(), true);
}

void take_office_lines(const std::vector<std::string>& lines, Settings& settings) {
    if (!settings_are_personal()) return;
    const std::string own =
        lines.size() > OWN_DATABASE_LINE ? common::field_text(lines[OWN_DATABASE_LINE]) : "";
    const std::vector<std::string> office = lines_of(office_settings_path());
    if (office.empty()) {
        office_database = common::program_folder() + "todo.dat";
    } else {
        Settings shared = settings;
        read_settings_lines(office, shared);
        office_database = shared.database_path.empty() ? common::program_folder() + "todo.dat"
                                                       : shared.database_path;
        settings.message_prefix = shared.message_prefix;
        settings.message_file_path = shared.message_file_path;
        settings.message_input_path = shared.message_input_path;
    }
    settings.database_path = own.empty() ? office_database : own;
}

std::vector<std::string> lines_to_write(const Settings& settings) {
    std::vector<std::string> lines = settings_lines(settings);
    if (settings_are_personal() && !office_database.empty() &&
        settings.database_path != office_database)
        lines.push_back(settings.database_path);
    return lines;
}

std::string backup_path() {
    const std::string folder = settings_are_personal() ? backup_folder() : std::string();
    if (folder.empty()) return "todo.bak";
    std::error_code ignored;
    fs::create_directories(common::native_path(folder), ignored);
    return folder + backup_lead() + common::date_text("yyyy") + "-" + common::date_text("MM") +
           "-" + common::date_text("dd") + ".bak";
}

void remove_old_backups() {
    const std::string folder = settings_are_personal() ? backup_folder() : std::string();
    if (folder.empty()) return;
    std::vector<fs::path> backups;
    std::error_code error;
    for (fs::directory_iterator it(common::native_path(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(backup_lead(), 0) == 0 && name.size() > 4 &&
            name.compare(name.size() - 4, 4, ".bak") == 0)
            backups.push_back(it->path());
    }
    // The dates in the names sort as the days do.
    std::sort(backups.begin(), backups.end());
    for (std::size_t i = 0; i + KEPT_BACKUPS < backups.size(); ++i) fs::remove(backups[i], error);
}

}  // namespace todo
