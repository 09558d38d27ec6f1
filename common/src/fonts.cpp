// The layouts were drawn for the 8-point dialog font of the desktop they came from (5 pixels
// average character width, 13 pixels high at 96 dpi) and for Century Gothic. Neither ships
// with Linux, and fontconfig's default stand-in (DejaVu Sans) is a fifth wider, which cuts
// captions off. Each face the programs name is therefore mapped here, and only here, to the
// first installed face from a list ordered by how closely its widths match:
// - dialog font: Liberation Sans Narrow (Debian fonts-liberation), measured at 8 points as
//   5.3 pixels per letter over the alphabet, against 6.4 for the Arial-metric faces, which
//   still cut "Create message file" and "Show Neural Net output";
// - Century Gothic: URW Gothic (Debian fonts-urw-base35), drawn to the same metrics.
// A face counts as installed only when the font system really resolves it to that family,
// never when it silently substitutes another, so the choice is the same on every machine
// with the same packages.
#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <cstdlib>
#include <future>
#include <map>
#include <thread>

#if defined(KEZ_HAS_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

#include "encoding.h"

namespace common {
namespace {

std::thread& font_configuration_reader() {
    static std::thread reader;
    return reader;
}

// Kept by the reader until the toolkit is up, whose font list it then reads.
std::promise<void>& toolkit_started() {
    static std::promise<void> started;
    return started;
}

void let_reader_use_toolkit() {
    static bool let = false;
    if (let || QCoreApplication::instance() == nullptr) return;
    let = true;
    toolkit_started().set_value();
}

// Every question about faces waits until the configuration has been read.
void wait_for_font_configuration() {
    if (!font_configuration_reader().joinable()) return;
    let_reader_use_toolkit();
    font_configuration_reader().join();
}

const QStringList& dialog_faces() {
    static const QStringList faces = {
        "Liberation Sans Narrow", "Nimbus Sans Narrow", "Arial Narrow", "MS Sans Serif",
        "Microsoft Sans Serif",   "Liberation Sans",    "Arial"};
    return faces;
}

const QStringList& gothic_faces() {
    static const QStringList faces = {"URW Gothic", "Century Gothic", "TeX Gyre Adventor"};
    return faces;
}

// The family without the foundry the font system may add ("URW Gothic [urw]").
QString family_name(const QString& family) {
    qsizetype bracket = family.indexOf(QLatin1String(" ["));
    return bracket < 0 ? family : family.left(bracket);
}

// Trying a face loads it at the size tried, so the dialog faces are tried as the dialog font
// itself: the face found is then already loaded for every control drawn in it. Tried at another
// size, it was loaded twice, a millisecond of each start.
QFont dialog_font_in(const QString& face) {
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont default_font_in(const QString& face) {
    return QFont(face);
}

bool resolves_to_itself(const QFont& font) {
    return family_name(QFontInfo(font).family()).compare(font.family(), Qt::CaseInsensitive) == 0;
}

QString first_installed(const QStringList& faces, QFont (*font_in)(const QString&)) {
    for (const QString& face : faces) {
        if (resolves_to_itself(font_in(face))) return face;
    }
    return faces.front();  // none installed: the font system's own stand-in
}

}  // namespace

void start_reading_font_configuration() {
#if defined(KEZ_HAS_FONTCONFIG)
    if (font_configuration_reader().joinable()) return;
    std::shared_future<void> toolkit_up = toolkit_started().get_future().share();
    font_configuration_reader() = std::thread([toolkit_up] {
        // fontconfig keeps the configuration it read for the whole process; the toolkit's
        // own call then finds it there.
        FcInit();
        // The toolkit's list of faces is made from that configuration the first time any
        // face is asked for: a seventh of the instructions before the first window. The list
        // is shared by every thread, and made here while the program reads its files.
        toolkit_up.wait();
        QFontDatabase::families();
    });
#endif
}

void font_reader_may_use_toolkit() {
    if (!font_configuration_reader().joinable()) return;
    // A program may end before it asks for any face, the reader still at the list. At exit the
    // toolkit takes its statics down in the reverse order they were made: the list's own is
    // made here, before the wait is registered, so the reader is waited for before it goes.
    QFontDatabase::removeAllApplicationFonts();
    std::atexit(wait_for_font_configuration);
    let_reader_use_toolkit();
}

void use_dialog_font_everywhere() {
    static bool set = false;
    if (set || QCoreApplication::instance() == nullptr) return;
    set = true;
    QApplication::setFont(dialog_font());
}

QString installed_face(const std::string& face) {
    wait_for_font_configuration();
    static std::map<std::string, QString> chosen;
    auto found = chosen.find(face);
    if (found != chosen.end()) return found->second;
    QString qt = to_qt(face);
    QString result = qt;
    // "ANSI_CHARSET" is a character set the programs pass where a face belongs; the desktop
    // then gives the default face, which is the dialog font.
    if (qt == "MS Sans Serif" || qt == "ANSI_CHARSET" || qt == "MS Shell Dlg") {
        result = first_installed(dialog_faces(), dialog_font_in);
    } else if (qt == "CENTURY_GOTHIC" || qt.compare("Century Gothic", Qt::CaseInsensitive) == 0) {
        result = first_installed(gothic_faces(), default_font_in);
    }
    chosen[face] = result;
    return result;
}

QFont dialog_font() {
    return dialog_font_in(installed_face("MS Sans Serif"));
}

}  // namespace common
