// The program folder: the folder of the running program, or the office folder an installed copy
// works in (see office_folder.cpp for how that one is chosen and filled).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdlib>

#include "common/hooks.h"
#include "common/office_folder.h"
#include "common/services.h"
#include "encoding.h"
#include "native_window.h"
#include "office_folder_choice.h"

namespace common {
namespace {

// The office folder settled at start-up, in the programs' own text; empty: the program's folder.
std::string& office_folder() {
    static std::string folder;
    return folder;
}

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The office this user worked in is missing or empty: a share not mounted, a server not
// reachable. Starting a new office there would hide the real one once it is back.
bool new_office_wanted(const std::string& folder) {
    return message_box(nullptr,
                       "The office folder\r\n" + folder +
                           "\r\nis missing or empty, although you have worked in it before: the "
                           "office server may not be reachable.\r\n\r\nStart a new, empty office "
                           "there?",
                       "Error...start...", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::string folder_environment() {
    const char* value = std::getenv("KEZ_OFFICE_FOLDER");
    return value != nullptr ? value : "";
}

}  // namespace

std::string program_folder() {
    if (!layer_hooks().program_folder.empty()) return layer_hooks().program_folder;
    if (!office_folder().empty()) return office_folder();
    ensure_layer();
    std::string folder = from_qt(QCoreApplication::applicationDirPath());
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

bool open_office_folder(int argc, char** argv) {
    ensure_layer();
    const office::OfficeFolderChoice choice = office::choose_office_folder(
        office::folder_option(argc, argv), folder_environment(),
        local(QCoreApplication::applicationDirPath()),
        local(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    if (choice.folder.empty()) return true;  // a build tree or a portable folder, as ever
    const QString folder = QFile::decodeName(QByteArray::fromStdString(choice.folder));
    if (office::looks_like_missing_share(choice.folder) && !new_office_wanted(from_qt(folder)))
        return false;
    const std::string problem =
        office::prepare_office_folder(choice.folder, choice.template_folder);
    if (!problem.empty() || !QDir::setCurrent(folder)) {
        message_box(nullptr,
                    "Unable to open the office folder\r\n" + from_qt(folder) + "\r\n" +
                        from_qt(QFile::decodeName(QByteArray::fromStdString(problem))),
                    "Error...start...", MB_OK | MB_ICONSTOP);
        return false;
    }
    office_folder() = from_qt(folder) + "/";
    office::remember_worked_in(choice.folder);
    return true;
}

bool working_in_office_folder() {
    return layer_hooks().office_folder || !office_folder().empty();
}

}  // namespace common
