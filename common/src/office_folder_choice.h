// The office folder of an installed copy: which folder the programs work in, and making it ready
// from the installed template. Kept apart from Qt so the choice is testable on its own.
#pragma once

#include <string>

namespace common::office {

// Where the programs keep their files, as local file-system paths.
struct OfficeFolderChoice {
    std::string folder;           // empty: the program's own folder, as it has always been
    std::string template_folder;  // installed office data a new folder is filled from, or empty
};

// The installed template beside an installed program ("<prefix>/bin" and
// "<prefix>/share/kez-office/template"), or the empty text for a build tree or a portable folder.
std::string installed_template(const std::string& executable_folder);

// The folder a run works in: the folder given with --folder, else the one in the environment,
// else for an installed copy "kez-office" under the user's data folder. A build tree or a portable
// folder, given neither, keeps its own folder.
OfficeFolderChoice choose_office_folder(const std::string& folder_option,
                                        const std::string& folder_environment,
                                        const std::string& executable_folder,
                                        const std::string& data_home);

// The folder named by "--folder DIR" or "--folder=DIR" among the arguments; empty when none.
std::string folder_option(int argc, char** argv);

// Makes the folder ready: a missing folder is created, and a missing or empty one is filled with
// a copy of the template, every copy writable by its owner. A folder that already holds files is
// the office's own and is left exactly as it is. Returns the empty text, or what went wrong.
std::string prepare_office_folder(const std::string& folder, const std::string& template_folder);

// The office folders this user has worked in, as their configuration folder remembers them
// ("office-folders.txt", one folder a line).
bool worked_in_before(const std::string& folder);
void remember_worked_in(const std::string& folder);
// A folder this user has worked in that is now missing or empty: most likely a share that is not
// mounted, or a server that is not reachable, rather than a new office.
bool looks_like_missing_share(const std::string& folder);

}  // namespace common::office
