#include "Control_p.h"

#include <QMouseEvent>

namespace {
TShiftState ShiftOf(const QMouseEvent& e) {
    TShiftState s = 0;
    const Qt::KeyboardModifiers m = e.modifiers();
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    const Qt::MouseButtons b = e.buttons();
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

bool ButtonOf(const QMouseEvent& e, TMouseButton& out) {
    switch (e.button()) {
    case Qt::LeftButton:
        out = mbLeft;
        return true;
    case Qt::RightButton:
        out = mbRight;
        return true;
    case Qt::MiddleButton:
        out = mbMiddle;
        return true;
    default:
        return false;
    }
}

Qt::CursorShape ShapeOf(TCursor c) {
    switch (c) {
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

ControlWidget::ControlWidget(TControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
    setMouseTracking(true); // moves without a button, too
}

void ControlWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TPaintContext context{painter};
    control_.HandlePaint(context);
}

void ControlWidget::resizeEvent(QResizeEvent*) {
    control_.HandleResize();
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
    TMouseButton b;
    if (ButtonOf(*e, b))
        control_.HandleMouseDown(b, ShiftOf(*e), int(e->position().x()), int(e->position().y()));
    e->accept();
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) {
    control_.HandleMouseMove(ShiftOf(*e), int(e->position().x()), int(e->position().y()));
    e->accept();
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
    TMouseButton b;
    if (ButtonOf(*e, b))
        control_.HandleMouseUp(b, ShiftOf(*e), int(e->position().x()), int(e->position().y()));
    e->accept();
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click is a press with the double flag,
    // followed by the double-click event.
    TMouseButton b;
    if (ButtonOf(*e, b))
        control_.HandleMouseDown(b, ShiftOf(*e) | ssDouble, int(e->position().x()),
                                 int(e->position().y()));
    if (e->button() == Qt::LeftButton) control_.HandleDblClick();
    e->accept();
}

// ---- TControl

TControl::TControl(TControl* parent)
    : parent_(parent), visible_(parent != nullptr), impl_(std::make_unique<Impl>()) {
    impl_->widget = std::make_unique<ControlWidget>(*this, parent ? &WidgetOf(*parent) : nullptr);
    if (visible_) impl_->widget->show();
}

TControl::~TControl() {
    // Child controls own their widgets: release them before this widget goes,
    // so that a child destroyed later still has its own.
    for (QObject* child : impl_->widget->children())
        if (auto* w = dynamic_cast<ControlWidget*>(child)) {
            w->hide();
            w->setParent(nullptr);
        }
    impl_->widget.reset();
}

int TControl::Left() const {
    return impl_->widget->x();
}
int TControl::Top() const {
    return impl_->widget->y();
}
int TControl::Width() const {
    return impl_->widget->width();
}
int TControl::Height() const {
    return impl_->widget->height();
}
void TControl::SetLeft(int value) {
    SetBounds(value, Top(), Width(), Height());
}
void TControl::SetTop(int value) {
    SetBounds(Left(), value, Width(), Height());
}
void TControl::SetWidth(int value) {
    SetBounds(Left(), Top(), value, Height());
}
void TControl::SetHeight(int value) {
    SetBounds(Left(), Top(), Width(), value);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    impl_->widget->setGeometry(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void TControl::SetVisible(bool value) {
    visible_ = value;
    impl_->widget->setVisible(value);
}

void TControl::SetCursor(TCursor value) {
    cursor_ = value;
    if (value == crDefault)
        impl_->widget->unsetCursor();
    else
        impl_->widget->setCursor(ShapeOf(value));
}

void TControl::Invalidate() {
    impl_->widget->update();
}
void TControl::BringToFront() {
    impl_->widget->raise();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
