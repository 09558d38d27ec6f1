// Edit fields that take only what the office's files can keep. A one-line field gets the
// toolkit's own length limit and a validator, which refuse a key press or a paste whole and
// say so through inputRejected; a multi-line field checks each insertion before it is made.
#include "typed_text.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QValidator>
#include <functional>

#include "common/text.h"
#include "common/window.h"
#include "encoding.h"

namespace common {

const char* const TOO_LONG_NOTICE =
    "a field holds at most 254 characters: the rest was not taken ...";
const char* const UNKNOWN_LETTER_NOTICE =
    "that character cannot be kept in the office's files (Windows-1252), so it was not taken ...";

namespace {

std::function<void(const std::string&)>& notice() {
    static std::function<void(const std::string&)> registered;
    return registered;
}

constexpr int FIELD_LIMIT = static_cast<int>(MAX_TEXT);
constexpr char REFUSED_LETTER[] = "kezRefusedLetter";

// Refuses text holding a character Windows-1252 cannot hold, and marks the field so that the
// rejection that follows is explained as such rather than as a length.
class Windows1252Validator : public QValidator {
public:
    explicit Windows1252Validator(QLineEdit* field) : QValidator(field), field_(field) {}
    State validate(QString& input, int&) const override {
        if (fits_windows_1252(input)) return Acceptable;
        field_->setProperty(REFUSED_LETTER, true);
        return Invalid;
    }

private:
    QLineEdit* field_;
};

// The bytes a text takes in a file: a line break is CR LF there.
int file_length(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

// The part of an insertion that fits; why anything was left out goes to the notice.
QString what_fits(const QString& inserted, int room) {
    if (!fits_windows_1252(inserted)) {
        tell_refused_input(UNKNOWN_LETTER_NOTICE);
        return {};
    }
    QString taken;
    for (QChar c : inserted) {
        int bytes = c == QLatin1Char('\n') ? 2 : 1;
        if (room < bytes) {
            tell_refused_input(TOO_LONG_NOTICE);
            break;
        }
        taken.append(c);
        room -= bytes;
    }
    return taken;
}

QString plain(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString typed_text(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return QStringLiteral("\n");
    return event.text();
}

// Whether a key press puts text into the field: Ctrl and Meta keys are commands (Ctrl+A selects
// all, whatever letter it carries), except with Alt, which is how AltGr arrives on Windows.
bool inserts_text(const QKeyEvent& event) {
    Qt::KeyboardModifiers held = event.modifiers();
    bool command = (held & (Qt::ControlModifier | Qt::MetaModifier)) && !(held & Qt::AltModifier);
    QString text = typed_text(event);
    if (command || text.isEmpty()) return false;
    return text == QLatin1String("\n") || text.at(0).isPrint() || text.at(0) == QLatin1Char('\t');
}

template <typename Base>
class LimitedText : public Base {
public:
    explicit LimitedText(QWidget* parent) : Base(parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (inserts_text(*event) && what_fits(typed_text(*event), room()) != typed_text(*event))
            return;
        Base::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        if (event->commitString().isEmpty()) {
            Base::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent fitted(event->preeditString(), event->attributes());
        fitted.setCommitString(what_fits(plain(event->commitString()), room()),
                               event->replacementStart(), event->replacementLength());
        Base::inputMethodEvent(&fitted);
    }

    void insertFromMimeData(const QMimeData* source) override {
        if (!source->hasText()) return;
        QString taken = what_fits(plain(source->text()), room());
        if (!taken.isEmpty()) this->textCursor().insertText(taken);
    }

private:
    // What may still be inserted in place of the selection.
    int room() const {
        QString shown = this->toPlainText();
        QString selected = plain(this->textCursor().selectedText());
        return FIELD_LIMIT - file_length(shown) + file_length(selected);
    }
};

}  // namespace

void limit_typing(QLineEdit* field) {
    if (field == nullptr) return;
    field->setMaxLength(FIELD_LIMIT);
    field->setValidator(new Windows1252Validator(field));
    QObject::connect(field, &QLineEdit::inputRejected, field, [field] {
        bool letter = field->property(REFUSED_LETTER).toBool();
        field->setProperty(REFUSED_LETTER, false);
        tell_refused_input(letter ? UNKNOWN_LETTER_NOTICE : TOO_LONG_NOTICE);
    });
}

void limit_typing(QComboBox* drop_down) {
    if (drop_down != nullptr) limit_typing(drop_down->lineEdit());
}

QPlainTextEdit* make_limited_plain_edit(QWidget* parent) {
    return new LimitedText<QPlainTextEdit>(parent);
}

QTextEdit* make_limited_rich_edit(QWidget* parent) {
    return new LimitedText<QTextEdit>(parent);
}

void tell_refused_input(const std::string& why) {
    if (notice()) notice()(why);
}

void set_refused_input_notice(std::function<void(const std::string&)> told) {
    notice() = std::move(told);
}

}  // namespace common
