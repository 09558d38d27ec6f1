// Choosing and preparing the office folder of an installed copy, with the standard library only.
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "office_folder_choice.h"

namespace common::office {
namespace {

namespace fs = std::filesystem;

// Where the install rules put the template, seen from the programs' folder.
#ifndef KEZ_TEMPLATE_FROM_PROGRAMS
#define KEZ_TEMPLATE_FROM_PROGRAMS "../share/kez-office/template"
#endif

// Copies every folder and file of the template that the target lacks. The template is installed
// read-only, so each copy is made writable for its owner: the office's files are for changing.
// Problems name the folder as the user knows it, not the staging folder it is copied into.
std::string copy_template(const fs::path& from, const fs::path& to, const fs::path& known_as) {
    std::error_code error;
    fs::create_directories(to, error);
    if (error) return "cannot create " + known_as.string() + ": " + error.message();
    for (fs::recursive_directory_iterator it(from, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path target = to / fs::relative(it->path(), from);
        if (it->is_directory()) {
            fs::create_directories(target, error);
        } else {
            fs::copy_file(it->path(), target, fs::copy_options::skip_existing, error);
            if (!error)
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                                fs::perm_options::add, error);
        }
        if (error) return "cannot copy " + it->path().string() + ": " + error.message();
    }
    if (error) return "cannot read " + from.string() + ": " + error.message();
    return {};
}

bool is_empty_folder(const fs::path& folder) {
    std::error_code error;
    return fs::is_empty(folder, error) && !error;
}

// A new folder is filled beside its final place and renamed into it, so a second program
// starting at the same moment sees either no folder or a whole one, never half a copy.
std::string create_from_template(const fs::path& folder, const fs::path& template_folder) {
    fs::path staging = folder;
    staging += ".new-" + std::to_string(getpid());
    std::error_code error;
    fs::remove_all(staging, error);
    std::string problem = copy_template(template_folder, staging, folder);
    if (problem.empty()) fs::rename(staging, folder, error);
    if (!problem.empty() || error) fs::remove_all(staging, error);
    // Whoever renamed first wins; the loser's copy is gone and the winner's folder is used.
    if (fs::is_directory(folder, error)) return {};
    return problem.empty() ? "cannot create " + folder.string() : problem;
}

}  // namespace

std::string installed_template(const std::string& executable_folder) {
    std::error_code error;
    const fs::path candidate = fs::path(executable_folder) / KEZ_TEMPLATE_FROM_PROGRAMS;
    if (!fs::is_directory(candidate, error)) return {};
    return fs::weakly_canonical(candidate, error).string();
}

OfficeFolderChoice choose_office_folder(const std::string& folder_option,
                                        const std::string& folder_environment,
                                        const std::string& executable_folder,
                                        const std::string& data_home) {
    OfficeFolderChoice choice;
    choice.template_folder = installed_template(executable_folder);
    std::string folder = !folder_option.empty() ? folder_option : folder_environment;
    if (folder.empty() && !choice.template_folder.empty() && !data_home.empty())
        folder = (fs::path(data_home) / "kez-office").string();
    if (folder.empty()) return choice;
    std::error_code error;
    fs::path absolute = fs::absolute(folder, error);
    choice.folder = (error ? fs::path(folder) : absolute).lexically_normal().string();
    while (choice.folder.size() > 1 && choice.folder.back() == '/') choice.folder.pop_back();
    return choice;
}

std::string folder_option(int argc, char** argv) {
    const std::string name = "--folder";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == name && i + 1 < argc) return argv[i + 1];
        if (argument.rfind(name + "=", 0) == 0) return argument.substr(name.size() + 1);
    }
    return {};
}

std::string prepare_office_folder(const std::string& folder, const std::string& template_folder) {
    std::error_code error;
    const fs::path path(folder);
    if (fs::exists(path, error)) {
        if (!fs::is_directory(path, error)) return folder + " is not a folder";
        // A folder made ready by hand (an empty share, say) is filled; one with files is in use.
        if (!template_folder.empty() && is_empty_folder(path))
            return copy_template(template_folder, path, path);
        return {};
    }
    if (template_folder.empty()) {
        fs::create_directories(path, error);
        return error ? "cannot create " + folder + ": " + error.message() : std::string();
    }
    fs::create_directories(path.parent_path(), error);
    if (error) return "cannot create " + path.parent_path().string() + ": " + error.message();
    return create_from_template(path, template_folder);
}

}  // namespace common::office
