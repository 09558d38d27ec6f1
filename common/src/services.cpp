// Starting other programs and playing sounds.
#include "common/services.h"

#include <QAudioOutput>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMediaPlayer>
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

struct Player {
    QMediaPlayer player;
    QAudioOutput output;
    Player() { player.setAudioOutput(&output); }
};

Player& sound_player() {
    static Player* player = new Player();  // lives as long as the program
    return *player;
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
    Player& sound = sound_player();
    sound.player.stop();
    sound.player.setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    sound.player.play();
}

void stop_sound() {
    if (layer_hooks().sound) {
        layer_hooks().sound(std::string(), false);
        return;
    }
    ensure_layer();
    sound_player().player.stop();
}

}  // namespace common
