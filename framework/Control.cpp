#include "Control_p.h"

#include "Dispatch.h"
#include "Form.h"
#include "GraphicsObjects.h"
#include "Menus.h"
#include "PageControl.h"
#include "WindowFrame_p.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {
TShiftState ShiftOf(const QMouseEvent& e) {
    TShiftState s = ShiftOfKeys(e.modifiers());
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

class PostedMessageEvent : public QEvent {
public:
    explicit PostedMessageEvent(const TMessage& m) : QEvent(PostedMessageType()), message(m) {}
    TMessage message;
};

// Window activation moves the focus too; controls hear only moves inside the window.
bool IsWindowFocusChange(const QFocusEvent& e) {
    return e.reason() == Qt::ActiveWindowFocusReason || e.reason() == Qt::PopupFocusReason;
}

void MouseTo(TControl& control, QEvent::Type type, QMouseEvent& e, QPoint pos) {
    TMouseButton b;
    const int x = pos.x(), y = pos.y();
    Guarded([&] {
        switch (type) {
        case QEvent::MouseButtonPress:
            if (ButtonOf(e, b)) control.HandleMouseDown(b, ShiftOf(e), x, y);
            break;
        case QEvent::MouseMove:
            control.HandleMouseMove(ShiftOf(e), x, y);
            break;
        case QEvent::MouseButtonRelease:
            if (ButtonOf(e, b)) control.HandleMouseUp(b, ShiftOf(e), x, y);
            break;
        case QEvent::MouseButtonDblClick:
            // The second press of a double click is a press with the double flag,
            // followed by the double-click event.
            if (ButtonOf(e, b)) control.HandleMouseDown(b, ShiftOf(e) | ssDouble, x, y);
            if (e.button() == Qt::LeftButton) control.HandleDblClick();
            break;
        default:
            break;
        }
    });
}

// Reports the inner Qt control's events to the framework control.
class InnerFilter : public QObject {
public:
    InnerFilter(TControl& control, bool forwardMouse, QObject* parent)
        : QObject(parent), control_(control), forwardMouse_(forwardMouse) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (VirtualKeyOf(*k) == VK_TAB && !control_.WantTab()) {
                // Ctrl+Tab moves on as Tab does where Tab is no key of the control's own.
                if (!(k->modifiers() & Qt::ControlModifier)) return false;
                // On a page control or one of its pages, Ctrl+Tab turns the pages: the key
                // travels up to the page control's own tabs.
                for (TControl* p = &control_; p; p = p->Parent())
                    if (dynamic_cast<TPageControl*>(p)) return false;
                bool moved = false;
                Guarded([&] {
                    if (TCustomForm* form = control_.ParentForm())
                        moved = form->SelectNext(control_, !(k->modifiers() & Qt::ShiftModifier));
                });
                return moved;
            }
            const char ch = CharOf(*k);
            bool eat = false;
            Guarded([&] {
                const auto o =
                    control_.HandleKey(VirtualKeyOf(*k), ShiftOfKeys(k->modifiers()), ch);
                if (ch == 0) {
                    eat = o.keyConsumed;
                } else if (o.ch == ch && !o.keyConsumed) {
                    eat = false; // the Qt control types it
                } else {
                    eat = true;
                    if (o.ch != 0) control_.DefaultChar(o.ch);
                }
            });
            return eat;
        }
        case QEvent::FocusIn:
            if (!IsWindowFocusChange(*static_cast<QFocusEvent*>(e)))
                Guarded([&] { control_.HandleEnter(); });
            return false;
        case QEvent::FocusOut:
            if (!IsWindowFocusChange(*static_cast<QFocusEvent*>(e)))
                Guarded([&] { control_.HandleExit(); });
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            // A standard control that takes text drops leaves files to its form.
            if (TCustomForm* form = control_.ParentForm()) return FileDropEvent(*form, e);
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (forwardMouse_) {
                auto* m = static_cast<QMouseEvent*>(e);
                auto* w = static_cast<QWidget*>(watched);
                const QPoint pos = w->mapTo(&WidgetOf(control_), m->position().toPoint());
                MouseTo(control_, e->type(), *m, pos);
            }
            return false;
        default:
            return false;
        }
    }

private:
    TControl& control_;
    bool forwardMouse_;
};
} // namespace

// Places the aligned controls on `parent` in its client area.
static void AlignChildren(QWidget& parent) {
    std::vector<ControlWidget*> aligned;
    for (QObject* child : parent.children())
        if (auto* w = dynamic_cast<ControlWidget*>(child))
            if (w->Control().Align() != TAlign::alNone && !w->isHidden()) aligned.push_back(w);
    if (aligned.empty()) return;
    int left = 0, top = 0, right = parent.width(), bottom = parent.height();
    for (TAlign side :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        for (ControlWidget* w : aligned) {
            if (w->Control().Align() != side) continue;
            const int width = std::max(0, right - left), height = std::max(0, bottom - top);
            const int h = w->height(), wd = w->width(); // kept even when they do not fit
            switch (side) {
            case TAlign::alTop:
                w->setGeometry(left, top, width, h);
                top += h;
                break;
            case TAlign::alBottom:
                w->setGeometry(left, bottom - h, width, h);
                bottom -= h;
                break;
            case TAlign::alLeft:
                w->setGeometry(left, top, wd, height);
                left += wd;
                break;
            case TAlign::alRight:
                w->setGeometry(right - wd, top, wd, height);
                right -= wd;
                break;
            default:
                w->setGeometry(left, top, width, height);
                break;
            }
        }
}

QEvent::Type PostedMessageType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TShiftState ShiftOfKeys(Qt::KeyboardModifiers m) {
    TShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    return s;
}

WORD VirtualKeyOf(const QKeyEvent& e) {
    const int k = e.key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return static_cast<WORD>(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<WORD>(VK_F1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

char CharOf(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    default:
        break;
    }
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    const QString text = e.text();
    if (text.size() != 1) return 0;
    const char16_t c = text.at(0).unicode();
    if (c < 32 || c > 255 || c == 127) return 0;
    return static_cast<char>(static_cast<unsigned char>(c));
}

void AttachInner(TControl& control, QWidget* inner, bool forwardMouse) {
    QWidget& outer = WidgetOf(control);
    control.Internals().inner = inner;
    inner->setGeometry(0, 0, outer.width(), outer.height());
    outer.setFocusProxy(inner);
    auto* filter = new InnerFilter(control, forwardMouse, inner);
    inner->installEventFilter(filter);
    if (forwardMouse)
        if (auto* area = dynamic_cast<QAbstractScrollArea*>(inner))
            area->viewport()->installEventFilter(filter);
    inner->show();
}

QWidget* InnerOf(TControl& control) {
    return control.Internals().inner;
}

ControlWidget::ControlWidget(TControl& control, QWidget* parent)
    : QWidget(parent), control_(control) {
    setMouseTracking(true); // moves without a button, too
}

bool ControlWidget::event(QEvent* e) {
    if (isWindow()) {
        if (control_.Internals().framed &&
            (e->type() == QEvent::Move || e->type() == QEvent::Resize))
            Guarded([&] { control_.HandleWindowGeometry(); });
        if (auto* form = dynamic_cast<TCustomForm*>(&control_))
            if (FormWindowEvent(*form, e)) return true;
    }
    if (e->type() == PostedMessageType()) {
        TMessage m = static_cast<PostedMessageEvent*>(e)->message;
        Guarded([&] { control_.HandleMessage(m); });
        return true;
    }
    if (e->type() == QEvent::ToolTip) {
        bool shown = false;
        Guarded([&] { shown = ShowControlHint(control_, static_cast<QHelpEvent*>(e)->pos()); });
        if (shown) return true;
        e->ignore();
        return false;
    }
    return QWidget::event(e);
}

bool ControlWidget::focusNextPrevChild(bool next) {
    if (isWindow())
        if (auto* form = dynamic_cast<TCustomForm*>(&control_)) {
            bool moved = false;
            Guarded([&] { moved = form->TabFromFocus(next); });
            if (moved) return true;
        }
    return QWidget::focusNextPrevChild(next);
}

void ControlWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TPaintContext context{painter};
    Guarded([&] { control_.HandlePaint(context); });
}

void ControlWidget::resizeEvent(QResizeEvent*) {
    if (QWidget* inner = control_.Internals().inner) inner->setGeometry(0, 0, width(), height());
    AlignChildren(*this);
    Guarded([&] { control_.HandleResize(); });
}

void ControlWidget::mousePressEvent(QMouseEvent* e) {
    MouseTo(control_, e->type(), *e, e->position().toPoint());
    e->accept();
}

void ControlWidget::mouseMoveEvent(QMouseEvent* e) {
    MouseTo(control_, e->type(), *e, e->position().toPoint());
    e->accept();
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* e) {
    MouseTo(control_, e->type(), *e, e->position().toPoint());
    e->accept();
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    MouseTo(control_, e->type(), *e, e->position().toPoint());
    e->accept();
}

void ControlWidget::keyPressEvent(QKeyEvent* e) {
    if (control_.Internals().inner || !hasFocus()) {
        e->ignore(); // passed up from a child: its own control has seen it
        return;
    }
    Guarded([&] { control_.HandleKey(VirtualKeyOf(*e), ShiftOfKeys(e->modifiers()), CharOf(*e)); });
    e->accept();
}

void ControlWidget::focusInEvent(QFocusEvent* e) {
    if (!IsWindowFocusChange(*e)) Guarded([&] { control_.HandleEnter(); });
    QWidget::focusInEvent(e);
}

void ControlWidget::focusOutEvent(QFocusEvent* e) {
    if (!IsWindowFocusChange(*e)) Guarded([&] { control_.HandleExit(); });
    QWidget::focusOutEvent(e);
}

void ControlWidget::contextMenuEvent(QContextMenuEvent* e) {
    TPopupMenu* menu = control_.PopupMenu();
    if (menu && menu->AutoPopup()) {
        Guarded([&] {
            menu->SetPopupComponent(&control_);
            menu->Popup(e->globalPos().x(), e->globalPos().y());
        });
        e->accept();
        return;
    }
    e->ignore();
}

// ---- TControl

TControl::TControl(TControl* parent, TComponent* owner)
    : TComponent(owner), parent_(parent), visible_(parent != nullptr),
      impl_(std::make_unique<Impl>()) {
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

// Qt places a window by its inside and reports a frame only once the window exists;
// the outer bounds kept here are what the code and the user see.
int TControl::Left() const {
    return impl_->framed ? impl_->outer.x() : impl_->widget->x();
}
int TControl::Top() const {
    return impl_->framed ? impl_->outer.y() : impl_->widget->y();
}
int TControl::Width() const {
    return impl_->framed ? impl_->outer.width() : impl_->widget->width();
}
int TControl::Height() const {
    return impl_->framed ? impl_->outer.height() : impl_->widget->height();
}
int TControl::ClientWidth() const {
    return impl_->widget->width();
}
int TControl::ClientHeight() const {
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
    width = std::max(0, width);
    height = std::max(0, height);
    QWidget& w = *impl_->widget;
    if (!impl_->framed) {
        w.setGeometry(left, top, width, height);
        // An aligned control keeps its side whatever it was given; a hidden parent
        // hears of no resize, so its aligned controls are placed now.
        if (align_ != TAlign::alNone && w.parentWidget()) AlignChildren(*w.parentWidget());
        AlignChildren(w);
        return;
    }
    impl_->outer = QRect(left, top, width, height);
    SyncWindowFrame();
    PlaceWindow(*impl_);
    AlignChildren(w);
}

void TControl::SetAlign(TAlign value) {
    align_ = value;
    if (QWidget* parent = impl_->widget->parentWidget()) AlignChildren(*parent);
}

namespace {
// The frame the window system gives a window. A window not shown yet has its frame
// from the window manager's word, asked once for each native window. Qt tells no frame
// for a window the window manager has not taken yet, or has let go: the last one known
// holds then.
QMargins FrameNow(TControl::Impl& impl) {
    QWidget& w = *impl.widget;
    if (!w.testAttribute(Qt::WA_WState_Created)) w.winId();
    const QWindow* handle = w.windowHandle();
    if (!handle) return impl.frame;
    if (!w.isVisible() && impl.frameAskedOf != w.winId()) {
        impl.frameAskedOf = w.winId();
        if (const auto told = AskFrameExtents(w)) return *told;
    }
    const QMargins m = handle->frameMargins();
    return m.isNull() ? impl.frame : m;
}
} // namespace

void PlaceWindow(TControl::Impl& impl) {
    const QMargins& f = impl.frame;
    const QRect& o = impl.outer;
    impl.placed =
        QRect(o.x() + f.left(), o.y() + f.top(), std::max(0, o.width() - f.left() - f.right()),
              std::max(0, o.height() - f.top() - f.bottom()));
    impl.widget->setGeometry(impl.placed);
}

void TControl::SyncWindowFrame() {
    if (!impl_->framed) return;
    const QMargins now = FrameNow(*impl_);
    if (now == impl_->frame) return;
    impl_->frame = now;
    FrameChanged();
    PlaceWindow(*impl_);
}

void TControl::HandleWindowGeometry() {
    QWidget& w = *impl_->widget;
    if (!impl_->framed) return;
    if (!w.isVisible()) {
        // Nobody moves a hidden window: what comes now is the window system catching
        // up with earlier placements, and the last one holds.
        if (w.geometry() != impl_->placed) w.setGeometry(impl_->placed);
        return;
    }
    if (w.geometry() == impl_->placed) {
        SyncWindowFrame(); // a frame that comes now keeps the outer bounds
        return;
    }
    // Moved or sized by the user, or held to its size limits: the window stays where it
    // is, even when its frame became known only with this move.
    impl_->placed = w.geometry();
    const QMargins now = FrameNow(*impl_);
    const bool frameChanged = now != impl_->frame;
    impl_->frame = now;
    impl_->outer = impl_->placed.marginsAdded(impl_->frame);
    if (frameChanged) FrameChanged(); // new size limits may size it again: heard of then
}

void TControl::SetVisible(bool value) {
    visible_ = value;
    if (value && impl_->framed && !impl_->widget->isVisible()) {
        // The window manager's word is asked again: what it draws may depend on the
        // size limits and kind of window set since.
        impl_->frameAskedOf = 0;
        SyncWindowFrame();
    }
    impl_->widget->setVisible(value);
    if (value) SyncWindowFrame();
    if (align_ != TAlign::alNone)
        if (QWidget* parent = impl_->widget->parentWidget()) AlignChildren(*parent);
}

void TControl::SetCursor(TCursor value) {
    cursor_ = value;
    if (value == crDefault)
        impl_->widget->unsetCursor();
    else
        impl_->widget->setCursor(ShapeOf(value));
}

bool TControl::Enabled() const {
    return !impl_->widget->testAttribute(Qt::WA_ForceDisabled);
}
void TControl::SetEnabled(bool value) {
    impl_->widget->setEnabled(value);
}

bool TControl::TabStop() const {
    const QWidget* target = impl_->inner ? impl_->inner : impl_->widget.get();
    return (target->focusPolicy() & Qt::TabFocus) != 0;
}

void TControl::SetTabStop(bool value) {
    QWidget* target = impl_->inner ? impl_->inner : impl_->widget.get();
    const int policy = target->focusPolicy();
    target->setFocusPolicy(
        static_cast<Qt::FocusPolicy>(value ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
}

void TControl::SetFocus() {
    QWidget* target = impl_->inner ? impl_->inner : impl_->widget.get();
    if (target->focusPolicy() == Qt::NoFocus) target->setFocusPolicy(Qt::StrongFocus);
    target->activateWindow();
    target->setFocus(Qt::OtherFocusReason);
}

bool TControl::Focused() const {
    const QWidget* target = impl_->inner ? impl_->inner : impl_->widget.get();
    return target->hasFocus();
}

bool TControl::CanFocus() const {
    return impl_->widget->isVisible() && impl_->widget->isEnabled();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    const QPoint g = impl_->widget->mapToGlobal(QPoint(p.x, p.y));
    return {g.x(), g.y()};
}
TPoint TControl::ScreenToClient(TPoint p) const {
    const QPoint l = impl_->widget->mapFromGlobal(QPoint(p.x, p.y));
    return {l.x(), l.y()};
}

TCustomForm* TControl::ParentForm() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
    return nullptr;
}

// What a standard control shows is drawn by its inner Qt control, and a scrolling one
// draws in its viewport: each must repaint, not only the outer widget.
void TControl::Invalidate() {
    impl_->widget->update();
    if (QWidget* inner = impl_->inner) {
        inner->update();
        if (auto* area = qobject_cast<QAbstractScrollArea*>(inner)) area->viewport()->update();
    }
}
void TControl::BringToFront() {
    impl_->widget->raise();
}

void TControl::ChangeScale(int m, int d) {
    SetBounds(MulDiv(Left(), m, d), MulDiv(Top(), m, d), MulDiv(Width(), m, d),
              MulDiv(Height(), m, d));
}

void TControl::PostMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
    QCoreApplication::postEvent(impl_->widget.get(),
                                new PostedMessageEvent(TMessage{msg, wParam, lParam, 0}));
}

std::intptr_t TControl::Perform(unsigned msg, std::intptr_t wParam, std::intptr_t lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage&) {}

TControl::KeyOutcome TControl::HandleKey(WORD key, TShiftState shift, char ch) {
    KeyOutcome outcome;
    if (key != 0) outcome.keyConsumed = DoKeyDown(key, shift) == 0;
    if (ch == 0) return outcome;
    char c = ch;
    WMChar(c);
    outcome.ch = c;
    return outcome;
}

WORD TControl::DoKeyDown(WORD key, TShiftState shift) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->OnKeyDown)
        form->OnKeyDown(form, key, shift);
    if (key != 0) KeyDown(key, shift);
    return key;
}

char TControl::DoKeyPress(char key) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->OnKeyPress) form->OnKeyPress(form, key);
    if (key != 0) KeyPress(key);
    return key;
}

void TControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}
void TControl::WMChar(char& key) {
    key = DoKeyPress(key);
}
void TControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}
void TControl::DoExit() {
    if (OnExit) OnExit(this);
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
