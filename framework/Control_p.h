#pragma once
#include "Control.h"
#include "QtCanvas_p.h"

#include <QPainter>
#include <QWidget>

struct TPaintContext {
    QPainter& painter;
};

// The Qt widget behind a control; it forwards events to the control.
class ControlWidget : public QWidget {
public:
    ControlWidget(TControl& control, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    TControl& control_;
};

struct TControl::Impl {
    std::unique_ptr<ControlWidget> widget;
};

inline QWidget& WidgetOf(TControl& control) {
    return *control.Internals().widget;
}

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
