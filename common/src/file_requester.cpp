// Open and save requesters, with the "Desc|pattern|" filters of the programs.
#include <QFileDialog>

#include "common/hooks.h"
#include "common/services.h"
#include "dialogs_internal.h"
#include "encoding.h"
#include "fonts.h"
#include "native_window.h"

namespace common {
namespace {

std::vector<std::string> filter_pieces(const std::string& filter) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : filter) {
        if (c == '|') {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece.push_back(c);
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

// "Dat Files (*.dat)" -> "Dat Files": Qt shows the patterns itself.
QString description_of(const std::string& text) {
    QString description = to_qt(text).trimmed();
    if (description.endsWith(QLatin1Char(')'))) {
        qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0) description = description.left(open).trimmed();
    }
    return description;
}

// Win32 open requesters insist on an existing file only when asked to; without the flag a person
// may name a file that is still to be made, and the program decides what to do with it.
constexpr long OFN_FILEMUSTEXIST = 0x1000;

}  // namespace

QString translate_filter(const std::string& filter) {
    std::vector<std::string> pieces = filter_pieces(filter);
    QStringList filters;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        if (pieces[i].empty() && pieces[i + 1].empty()) continue;
        QString patterns = to_qt(pieces[i + 1]);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << description_of(pieces[i]) + QStringLiteral(" (") + patterns.simplified() +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// A name the office's files cannot hold would be saved as question marks, and two such names as
// one file: it is refused, and the requester comes up again.
bool refused_name(Window* owner, const QString& path) {
    if (fits_windows_1252(path)) return false;
    QString name = path.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    message_box(owner,
                "The name \"" + from_qt(name) +
                    "\" holds letters the office's files cannot keep (only Windows-1252 "
                    "letters). Please choose another name.",
                "Message...file name...", 0);
    return true;
}

}  // namespace

std::string file_requester(const std::string& title, Window* owner, int open,
                           const std::string& filter, const std::string& default_extension,
                           long flags, const std::string& initial_folder) {
    if (layer_hooks().file_requester) {
        for (;;) {
            QString chosen = QString::fromUtf8(layer_hooks().file_requester(
                title, open, filter, default_extension, initial_folder));
            if (chosen.isEmpty()) return {};
            if (!refused_name(owner, chosen)) return from_qt(chosen);
        }
    }
    ensure_layer();
    use_dialog_font_everywhere();
    QWidget* parent = owner && owner->native ? owner->native->widget->window() : nullptr;
    QString folder = to_qt(initial_folder);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFileDialog requester(parent, to_qt(title), folder, translate_filter(filter));
    requester.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    requester.setFileMode(open && (flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    requester.setOption(QFileDialog::ReadOnly, false);
    requester.setDefaultSuffix(to_qt(default_extension));
    for (;;) {
        if (requester.exec() != QDialog::Accepted) return {};
        QStringList chosen = requester.selectedFiles();
        if (chosen.isEmpty()) return {};
        if (!refused_name(owner, chosen.first())) return from_qt(chosen.first());
    }
}

}  // namespace common
