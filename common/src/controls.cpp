// Creating controls by kind, and their texts, checks, colours and fonts.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QTreeWidget>
#include <cmath>

#include "desktop_style.h"
#include "encoding.h"
#include "fonts.h"
#include "native_window.h"
#include "text_rows.h"
#include "typed_text.h"

namespace common {
namespace {

constexpr long ES_PASSWORD = 0x20;
constexpr long ES_READONLY = 0x800;
constexpr long CBS_TYPE_MASK = 0x3;
constexpr long CBS_DROPDOWNLIST = 0x3;
constexpr long SS_TYPE_MASK = 0xF;
constexpr long LVS_SINGLESEL = 0x4;

QString crlf_to_qt(const std::string& text) {
    QString out = to_qt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

std::string qt_to_crlf(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return from_qt(out);
}

Qt::Alignment edit_alignment(long style) {
    switch (style & 3) {
        case 1:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case 2:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QWidget* make_edit(Window& window, Control& control, const QString& caption, QWidget* parent) {
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    if (control.style & ES_MULTILINE) {
        auto* edit = make_limited_plain_edit(parent);
        // Tab goes on to the next control, as in the office's dialogs; the files keep no tabs
        // in these fields worth trapping the keyboard for.
        edit->setTabChangesFocus(true);
        edit->setPlainText(caption);
        edit->setReadOnly(control.style & ES_READONLY);
        QObject::connect(edit, &QPlainTextEdit::textChanged, window.native->guard,
                         [w = &window, serial, id] {
                             if (still_open(w, serial)) report_control(*w, id, NOTIFY_EDIT_CHANGE);
                         });
        return edit;
    }
    auto* edit = new QLineEdit(caption, parent);
    limit_typing(edit);
    edit->setAlignment(edit_alignment(control.style));
    edit->setReadOnly(control.style & ES_READONLY);
    if (control.style & ES_PASSWORD) edit->setEchoMode(QLineEdit::Password);
    edit->setCursorPosition(0);
    QObject::connect(edit, &QLineEdit::textEdited, window.native->guard, [w = &window, serial, id] {
        if (still_open(w, serial)) report_control(*w, id, NOTIFY_EDIT_CHANGE);
    });
    return edit;
}

QWidget* make_static(long style, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    long type = style & SS_TYPE_MASK;
    Qt::Alignment horizontal = type == 1   ? Qt::AlignHCenter
                               : type == 2 ? Qt::AlignRight
                                           : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(type <= 2);  // simple statics stay on one line
    return label;
}

QWidget* make_combo(Control& control, QWidget* parent) {
    const long style = control.style;
    auto* combo = new QComboBox(parent);
    control.rows = new TextRows(combo);
    combo->setModel(control.rows);
    combo->setEditable((style & CBS_TYPE_MASK) != CBS_DROPDOWNLIST);
    // Typing into the edit part never adds rows: the program decides what the list holds.
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Nor does it complete what the user types: the text is exactly what was typed.
    if (combo->isEditable()) {
        combo->setCompleter(nullptr);
        limit_typing(combo);
    }
    combo->setMaxVisibleItems(20);
    if (auto* popup = qobject_cast<QListView*>(combo->view())) popup->setUniformItemSizes(true);
    return combo;
}

QWidget* make_list_box(Control& control, QWidget* parent) {
    auto* list = new QListView(parent);
    control.rows = new TextRows(list);
    list->setModel(control.rows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of the same font: the view need not measure ten thousand of them.
    list->setUniformItemSizes(true);
    return list;
}

void set_up_view(QTreeView* view, long style, bool tree) {
    view->setRootIsDecorated(tree);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode((style & LVS_SINGLESEL) || tree ? QAbstractItemView::SingleSelection
                                                           : QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->header()->setStretchLastSection(false);
    view->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// A report-style list view: rows of the office's texts behind a light model.
QWidget* make_list_view(Control& control, QWidget* parent) {
    auto* view = new QTreeView(parent);
    control.table = new TableRows(view);
    view->setModel(control.table);
    view->setUniformRowHeights(true);
    set_up_view(view, control.style, false);
    return view;
}

QWidget* make_tree_view(long style, QWidget* parent) {
    auto* view = new QTreeWidget(parent);
    view->setColumnCount(1);
    view->setHeaderLabels({QString()});
    set_up_view(view, style, true);
    view->setHeaderHidden(true);
    return view;
}

QWidget* make_button(int kind, long style, const QString& caption, QWidget* parent) {
    switch (kind) {
        case KIND_CHECK_BOX:
            return new QCheckBox(caption, parent);
        case KIND_RADIO:
            return new QRadioButton(caption, parent);
        default: {
            auto* button = new QPushButton(caption, parent);
            button->setAutoDefault(false);
            if (kind == KIND_BUTTON && (style & BS_DEFPUSHBUTTON)) button->setDefault(true);
            return button;
        }
    }
}

QWidget* make_widget(Window& window, Control& control, const ControlDeclaration& d) {
    QWidget* parent = window.native->widget;
    QString caption = to_qt(d.caption);
    switch (d.kind) {
        case KIND_BUTTON:
        case KIND_PLAIN_BUTTON:
        case KIND_CHECK_BOX:
        case KIND_RADIO:
            return make_button(d.kind, d.style, caption, parent);
        case KIND_EDIT:
            return make_edit(window, control, caption, parent);
        case KIND_LIST_BOX:
            return make_list_box(control, parent);
        case KIND_COMBO_BOX:
            return make_combo(control, parent);
        case KIND_STATIC:
            return make_static(d.style, caption, parent);
        case KIND_SCROLL_BAR: {
            auto* bar = new QScrollBar(d.style & 1 ? Qt::Vertical : Qt::Horizontal, parent);
            bar->setRange(0, 100);
            return bar;
        }
        case KIND_GROUP_BOX:
            return new QGroupBox(caption, parent);
        case KIND_RICH_EDIT: {
            auto* edit = make_limited_rich_edit(parent);
            edit->setTabChangesFocus(true);
            edit->setAcceptRichText(false);
            edit->setPlainText(caption);
            return edit;
        }
        case KIND_LIST_VIEW:
            return make_list_view(control, parent);
        case KIND_TREE_VIEW:
            return make_tree_view(d.style, parent);
        case KIND_STATUS_BAR: {
            auto* bar = new QStatusBar(parent);
            bar->setSizeGripEnabled(false);
            // Its own light face under dark text, on whatever colour the window is (the
            // job manager's frame is black).
            bar->setAutoFillBackground(true);
            bar->showMessage(caption);
            return bar;
        }
        default:
            return nullptr;
    }
}

void connect_clicks(Window& window, Control& control) {
    auto* button = qobject_cast<QAbstractButton*>(control.widget.data());
    if (button == nullptr) return;
    std::uint64_t serial = window.native->serial;
    QObject::connect(button, &QAbstractButton::clicked, window.native->guard,
                     [w = &window, serial, id = control.id] {
                         if (still_open(w, serial)) report_control(*w, id, NOTIFY_CLICKED);
                     });
}

void connect_view_signals(Window& window, Control& control) {
    auto* view = qobject_cast<QTreeView*>(control.widget.data());
    if (view == nullptr) return;
    std::uint64_t serial = window.native->serial;
    int id = control.id;
    QObject::connect(view, &QAbstractItemView::clicked, window.native->guard,
                     [w = &window, serial, id] {
                         if (still_open(w, serial)) report_control(*w, id, NOTIFY_LV_CLICK);
                     });
    QObject::connect(view, &QAbstractItemView::doubleClicked, window.native->guard,
                     [w = &window, serial, id] {
                         if (still_open(w, serial)) report_control(*w, id, NOTIFY_LV_DOUBLE_CLICK);
                     });
}

void apply_colours(Control& control) {
    QWidget* widget = control.widget;
    if (control.kind == KIND_BUTTON && !(control.style & BS_OWNERDRAW_OFF)) {
        // The layer draws these buttons itself, so its colours always show.
        QString sheet = QStringLiteral("QPushButton { border: 1px solid #808080; padding: 2px;");
        if (control.text_colour >= 0) {
            sheet += QStringLiteral(" color: %1;").arg(to_colour(control.text_colour).name());
        }
        if (control.background_colour >= 0) {
            sheet += QStringLiteral(" background-color: %1;")
                         .arg(to_colour(control.background_colour).name());
        }
        widget->setStyleSheet(sheet + QStringLiteral(" }"));
        return;
    }
    QPalette palette = widget->palette();
    if (control.text_colour >= 0) {
        QColor text = to_colour(control.text_colour);
        // Disabled, the text is drawn halfway to its background, so a locked box reads as
        // locked on whatever face the program gave it.
        QColor face = control.background_colour >= 0 ? to_colour(control.background_colour)
                                                     : palette.color(QPalette::Window);
        QColor greyed((text.red() + face.red()) / 2, (text.green() + face.green()) / 2,
                      (text.blue() + face.blue()) / 2);
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(role, text);
            palette.setColor(QPalette::Disabled, role, greyed);
        }
    }
    if (control.background_colour >= 0) {
        QColor back = to_colour(control.background_colour);
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            palette.setColor(role, back);
        }
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

// The to-do program's day, month and time fields are 20 pixels wide; the style's own frame
// and padding would leave no room for two digits, so narrow edits get a thin border only.
constexpr int NARROW_EDIT = 48;

void fit_narrow_edit(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) give_thin_frame(field);
}

}  // namespace

// A control starts in the system's colours, never in its window's: the main frame is black,
// and a message field that took its parent's background would show black on black.
void keep_system_colours(QWidget* widget) {
    QPalette own = QApplication::palette(widget);
    for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
                      QPalette::Button, QPalette::ButtonText}) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            own.setColor(group, role, own.color(group, role));  // now the control's own
        }
    }
    widget->setPalette(own);
}

void place_control(Control& control, int x, int y, int width, int height) {
    if (control.kind == KIND_COMBO_BOX) {
        // The height a program gives a drop-down includes its open list; the closed box is
        // as high as its own edit.
        height = std::min(height, control.widget->sizeHint().height());
    }
    control.widget->setGeometry(x, y, width, height);
}

void report_control(Window& window, int id, int notify_code) {
    Control* control = find_control(window, id);
    if (control == nullptr || control->programmatic) return;
    deliver_event(window, EV_CONTROL, id, notify_code);
}

void create_control(Window& window, const ControlDeclaration& d) {
    NativeWindow* native = native_of(window);
    if (native == nullptr || d.id <= 0 || native->controls.count(d.id) != 0) return;
    Control& control = native->controls[d.id];
    control.id = d.id;
    control.kind = d.kind;
    control.style = d.style;
    control.sequence = native->controls_made++;
    QWidget* widget = make_widget(window, control, d);
    if (widget == nullptr) {
        native->controls.erase(d.id);
        return;
    }
    control.widget = widget;
    keep_system_colours(widget);
    place_control(control, d.x, d.y, d.width, d.height);
    if (d.kind == KIND_EDIT && d.width < NARROW_EDIT) fit_narrow_edit(widget);
    connect_clicks(window, control);
    connect_list_signals(window, control);
    connect_scroll_signals(window, control);
    connect_view_signals(window, control);
    // Statics and check boxes paint their own button-face background, as on the desktop.
    if (d.kind == KIND_STATIC || d.kind == KIND_CHECK_BOX || d.kind == KIND_RADIO) {
        widget->setAutoFillBackground(true);
    }
    widget->setVisible(!(d.style & STYLE_HIDDEN));
    if (d.kind == KIND_STATUS_BAR) native->relayout_bars();
    if (!native->building) native->restack();
}

void add_control(Window& window, int kind, const std::string& caption, int x, int y, int width,
                 int height, long style, int id) {
    ControlDeclaration declaration{kind, caption, x, y, width, height, style, id};
    if (window.is_dialog) {
        // A dialog is built from its template: the control comes with the next showing.
        window.dialog_template.controls.push_back(declaration);
        return;
    }
    create_control(window, declaration);
}

bool has_control(Window& window, int id) {
    return find_control(window, id) != nullptr;
}

void set_control_text(Window& window, int id, const std::string& text) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    QWidget* widget = control->widget;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(to_qt(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(to_qt(text));
        edit->setCursorPosition(0);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(crlf_to_qt(text));
    } else if (auto* edit = qobject_cast<QTextEdit*>(widget)) {
        edit->setPlainText(crlf_to_qt(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(to_qt(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentText(to_qt(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(to_qt(text));
    } else if (auto* bar = qobject_cast<QStatusBar*>(widget)) {
        bar->showMessage(to_qt(text));
    }
}

std::string get_control_text(Window& window, int id) {
    QWidget* widget = control_widget(window, id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return from_qt(button->text());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return from_qt(edit->text());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return qt_to_crlf(edit->toPlainText());
    if (auto* edit = qobject_cast<QTextEdit*>(widget)) return qt_to_crlf(edit->toPlainText());
    if (auto* label = qobject_cast<QLabel*>(widget)) return from_qt(label->text());
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return from_qt(combo->currentText());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return from_qt(group->title());
    if (auto* bar = qobject_cast<QStatusBar*>(widget)) return from_qt(bar->currentMessage());
    if (auto* list = qobject_cast<QListView*>(widget)) {
        int row = selected_row(*list);
        return row >= 0 ? find_control(window, id)->rows->text(row) : std::string();
    }
    return {};
}

void enable_control(Window& window, int id, bool on) {
    QWidget* widget = control_widget(window, id);
    if (widget == nullptr) return;
    // The toolkit hands the focus of a control being disabled to the next one in the Tab order,
    // selecting all of its text: the office's next key press would then replace a carriage or
    // a price. A disabled control's focus goes nowhere instead, as on the office's desktop.
    if (!on) {
        QWidget* focus = widget->window()->focusWidget();
        if (focus != nullptr && (focus == widget || widget->isAncestorOf(focus)))
            focus->clearFocus();
    }
    widget->setEnabled(on);
}

bool is_enabled(Window& window, int id) {
    QWidget* widget = control_widget(window, id);
    return widget != nullptr && widget->isEnabledTo(window.native->widget);
}

void set_focus(Window& window, int id) {
    if (QWidget* widget = control_widget(window, id)) widget->setFocus(Qt::OtherFocusReason);
}

void set_check(Window& window, int id, int state) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    Quiet quiet(*control);
    if (auto* box = qobject_cast<QCheckBox*>(control->widget.data())) {
        if (state == 2) box->setTristate(true);
        box->setCheckState(state == 2 ? Qt::PartiallyChecked : state ? Qt::Checked : Qt::Unchecked);
    } else if (auto* radio = qobject_cast<QRadioButton*>(control->widget.data())) {
        radio->setChecked(state != 0);
    }
}

int get_check(Window& window, int id) {
    QWidget* widget = control_widget(window, id);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        switch (box->checkState()) {
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
            default:
                return 0;
        }
    }
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) return radio->isChecked() ? 1 : 0;
    if (qobject_cast<QPushButton*>(widget) != nullptr) return 0;
    return -1;
}

void set_control_color(Window& window, int id, long text_colour, long background_colour) {
    Control* control = find_control(window, id);
    if (control == nullptr) return;
    control->text_colour = text_colour;
    control->background_colour = background_colour;
    apply_colours(*control);
    control->widget->update();
}

namespace {

// A label in a font taller than itself (the job manager's message field: 16-point Century
// Gothic in 23 pixels) is drawn from the top of its letters instead of the top of the font's
// line, so the blank rows above the letters go and no descender is cut off.
void fit_tall_font(QLabel* label) {
    QFontMetrics metrics(label->font());
    int short_by = metrics.height() - label->height();
    if (short_by <= 0) {
        label->setContentsMargins(0, 0, 0, 0);
        return;
    }
    int blank_above = metrics.ascent() + metrics.tightBoundingRect("Mbdfhklt").top();
    // Qt otherwise takes the larger of these margins and the screen's safe area (none).
    label->setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    label->setContentsMargins(0, -std::min(std::max(blank_above, 0), short_by), 0, 0);
}

}  // namespace

void set_font(Window& window, const std::string& face, int points, int weight, long flags, int id) {
    NativeWindow* native = native_of(window);
    if (native == nullptr) return;
    QFont font(installed_face(face));
    QScreen* screen = QGuiApplication::primaryScreen();
    double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
    if (weight >= 100 && weight <= 900) font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(flags & 0x1);
    font.setUnderline(flags & 0x10);
    font.setStrikeOut(flags & 0x20);
    if (id == 0) {
        native->text_font = font;
        return;
    }
    QWidget* widget = control_widget(window, id);
    if (widget == nullptr) return;
    widget->setFont(font);
    if (auto* label = qobject_cast<QLabel*>(widget)) fit_tall_font(label);
}

}  // namespace common
