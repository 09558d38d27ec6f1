// The user's own configuration folder, found the way the desktop's own programs find it.
#include "common/user_folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace common {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::filesystem::path configuration_home() {
#ifdef _WIN32
    return environment("APPDATA");
#else
    // Only an absolute path counts, as the desktop's own rules have it.
    const std::filesystem::path given = environment("XDG_CONFIG_HOME");
    if (given.is_absolute()) return given;
    const std::string home = environment("HOME");
    return home.empty() ? std::filesystem::path() : std::filesystem::path(home) / ".config";
#endif
}

}  // namespace

std::string user_config_folder() {
    const std::filesystem::path home = configuration_home();
    if (home.empty()) return {};
    const std::filesystem::path folder = home / "kez-office";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) return {};
    std::string text = folder.string();
    if (text.back() != '/' && text.back() != '\\')
        text += std::filesystem::path::preferred_separator;
    return text;
}

}  // namespace common
