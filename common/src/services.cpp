// Starting other programs and playing sounds.
#include "common/services.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

#include "common/hooks.h"
#include "encoding.h"
#include "native_window.h"

namespace common {
namespace {

QString local_path(const std::string& path) {
    QString qt = to_qt(path);
    qt.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return qt;
}

// Splits a parameter text at spaces, keeping "quoted words" together.
QStringList split_parameters(const QString& text) {
    return QProcess::splitCommand(text);
}

// The program to run for `file`, or empty when it is a document to open.
QString program_for(const QString& file) {
    QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) return info.absoluteFilePath();
    if (!info.exists()) return QStandardPaths::findExecutable(file);
    return {};
}

// The sound player is a module beside the program ("kez_sound"), loaded on the first sound so
// that the multimedia libraries cost nothing to a run that plays none. Without the module the
// program plays nothing, as on a machine without sound.
struct SoundModule {
    bool tried = false;
    void (*play)(const char16_t* path, int length) = nullptr;
    void (*stop)() = nullptr;
};
SoundModule sound_module;

// Where an installed copy keeps the module, seen from its programs' folder: packaging's install
// rules set it, next to where they put the module.
#ifndef KEZ_SOUND_FROM_PROGRAMS
#error "KEZ_SOUND_FROM_PROGRAMS comes from packaging/CMakeLists.txt"
#endif

// Beside the program in the build and portable folders; in its library folder when installed.
bool load_library(QLibrary& library) {
    const QString programs = QCoreApplication::applicationDirPath();
    for (const QString& folder :
         {programs, programs + QStringLiteral("/" KEZ_SOUND_FROM_PROGRAMS)}) {
        library.setFileName(folder + QStringLiteral("/kez_sound"));
        if (library.load()) return true;
    }
    return false;
}

bool load_sound_module() {
    if (!sound_module.tried) {
        sound_module.tried = true;
        QLibrary library;
        if (load_library(library)) {  // stays loaded for the rest of the run
            sound_module.play =
                reinterpret_cast<decltype(sound_module.play)>(library.resolve("kez_play_sound"));
            sound_module.stop =
                reinterpret_cast<decltype(sound_module.stop)>(library.resolve("kez_stop_sound"));
        }
    }
    return sound_module.play != nullptr && sound_module.stop != nullptr;
}

}  // namespace

void start_program(const std::string& file, const std::string& parameters) {
    if (layer_hooks().start_program) {
        layer_hooks().start_program(file, parameters);
        return;
    }
    ensure_layer();
    QString path = local_path(file);
    QString program = program_for(path);
    if (!program.isEmpty()) {
        QProcess::startDetached(program, split_parameters(to_qt(parameters)));
        return;
    }
    if (QFileInfo::exists(path)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        return;
    }
    // A Windows program this machine does not have (notepad.exe with a log): the document it
    // was asked to show opens in the desktop's own viewer instead.
    QString document = local_path(parameters).trimmed();
    if (document.startsWith(QLatin1Char('"')) && document.endsWith(QLatin1Char('"'))) {
        document = document.mid(1, document.size() - 2);
    }
    if (!document.isEmpty() && QFileInfo::exists(document)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(document).absoluteFilePath()));
    }
}

void play_sound(const std::string& path) {
    if (layer_hooks().sound) {
        layer_hooks().sound(path, true);
        return;
    }
    ensure_layer();
    QString file = local_path(path);
    if (!QFileInfo::exists(file)) return;
    if (!load_sound_module()) return;
    const QString absolute = QFileInfo(file).absoluteFilePath();
    sound_module.play(reinterpret_cast<const char16_t*>(absolute.constData()),
                      static_cast<int>(absolute.size()));
}

void stop_sound() {
    if (layer_hooks().sound) {
        layer_hooks().sound(std::string(), false);
        return;
    }
    // Nothing can be playing before the first sound loaded the player.
    if (sound_module.stop != nullptr) sound_module.stop();
}

}  // namespace common
