// The toolkit's own style with two changes:
// - Every tool bar the toolkit makes reads its overflow arrows, two small pictures decoded from
//   the toolkit's resources, the first of them at the cost of starting the picture decoder:
//   about two milliseconds of the first window's start, for arrows that show only when a tool
//   bar is too short for its buttons, and the programs' bars never are. They are read when
//   first drawn.
// - Fields too narrow for the style's own frame get a thin one, drawn here rather than by a
//   style sheet: the to-do window has five such fields, and the style-sheet machinery they
//   started cost more than a millisecond of its start.
#include "desktop_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace common {
namespace {

// A standard picture of the style, asked for only when something draws or measures it.
class StandardIconWhenDrawn : public QIconEngine {
public:
    StandardIconWhenDrawn(QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Asking whether there is a picture at all does not read it: the style always has one.
    bool isNull() override { return read_ && icon_.isNull(); }
    QString key() const override { return QStringLiteral("kez-standard-when-drawn"); }
    QIconEngine* clone() const override { return new StandardIconWhenDrawn(*this); }

private:
    const QIcon& icon() {
        if (!read_) {
            if (!style_.isNull()) icon_ = style_->standardIcon(which_);
            read_ = true;
        }
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool read_ = false;
};

constexpr char THIN_FRAME[] = "kezThinFrame";

bool has_thin_frame(const QWidget* widget) {
    return widget != nullptr && widget->property(THIN_FRAME).toBool();
}

class DesktopStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // One pixel of the mid colour round the base colour, in the colours of an enabled field
    // whatever the field's state: the text alone shows that it is disabled.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_PanelLineEdit || !has_thin_frame(widget)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->fillRect(option->rect, option->palette.brush(QPalette::Active, QPalette::Base));
        painter->setPen(option->palette.color(QPalette::Active, QPalette::Mid));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    }

    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override {
        if (element == SE_LineEditContents && has_thin_frame(widget)) {
            return option->rect.adjusted(1, 1, -1, -1);
        }
        return QProxyStyle::subElementRect(element, option, widget);
    }

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton) {
            return QIcon(new StandardIconWhenDrawn(baseStyle(), which));
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

}  // namespace

void install_desktop_style() {
    // Built on the style the toolkit chose, so a style asked for on the command line or in
    // the environment is still the one drawn.
    QApplication::setStyle(new DesktopStyle(QApplication::style()));
}

void give_thin_frame(QLineEdit* field) {
    field->setProperty(THIN_FRAME, true);
    field->update();
}

}  // namespace common
