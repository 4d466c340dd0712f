#pragma once
#include "Control.h"
#include "QtCanvas_p.h"

#include <QEvent>
#include <QMargins>
#include <QPainter>
#include <QRect>
#include <QWidget>

struct TPaintContext {
    QPainter& painter;
};

// The Qt widget behind a control; it forwards events to the control, each inside
// Guarded so that no exception reaches Qt.
class ControlWidget : public QWidget {
public:
    ControlWidget(TControl& control, QWidget* parent);
    TControl& Control() { return control_; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    // A form's window: Tab follows the form's tab order.
    bool focusNextPrevChild(bool next) override;

private:
    TControl& control_;
};

struct TControl::Impl {
    std::unique_ptr<ControlWidget> widget;
    QWidget* inner = nullptr; // the Qt control that fills a standard control
    // A form's bounds with its frame, as the code set them or the user left them; the
    // frame they were placed with (unknown, so empty, until the window system tells it);
    // and the inside rectangle asked of Qt then. Other controls use Qt's geometry.
    bool framed = false;
    QRect outer;
    QMargins frame;
    QRect placed;
    // The native window whose coming frame the window manager was last asked for.
    WId frameAskedOf = 0;
};

// Puts a form's inside where its outer bounds and known frame say.
void PlaceWindow(TControl::Impl& impl);

inline QWidget& WidgetOf(TControl& control) {
    return *control.Internals().widget;
}
inline const QWidget& WidgetOf(const TControl& control) {
    return *const_cast<TControl&>(control).Internals().widget;
}

// Makes `inner` (a child of the control's widget) fill the control, take its focus and
// report its mouse, key and focus events to the control. With `forwardMouse` false the
// inner widget keeps its own mouse handling and the control's mouse events stay silent.
void AttachInner(TControl& control, QWidget* inner, bool forwardMouse = true);
QWidget* InnerOf(TControl& control);

// Qt key event to virtual key code, shift state and character (0 when none).
WORD VirtualKeyOf(const QKeyEvent& e);
TShiftState ShiftOfKeys(Qt::KeyboardModifiers m);
char CharOf(const QKeyEvent& e);

// The type of the events that carry posted messages.
QEvent::Type PostedMessageType();

class TCustomForm;
// Window events of a form (close box, activation, drops, keys no control used); true
// when used up.
bool FormWindowEvent(TCustomForm& form, QEvent* e);
// A drag or drop of local files on a form that accepts them; true when used up.
bool FileDropEvent(TCustomForm& form, QEvent* e);

// The tooltip step: runs the application's hint pipeline for a control.
bool ShowControlHint(TControl& control, QPoint localPos);

// A canvas on a paint event's painter (screen resolution).
class PaintCanvas final : public QtPainterCanvas {
public:
    explicit PaintCanvas(QPainter& painter) : QtPainterCanvas(96, 0.0), painter_(painter) {
        PainterBegun(painter_);
    }

protected:
    QPainter* ActivePainter() override { return &painter_; }

private:
    QPainter& painter_;
};
