#pragma once
// The base of every visible control: a window area at an absolute position in
// its parent (Left, Top, Width, Height in pixels), shown or hidden, with a mouse
// cursor and mouse events. A control without a parent is a top-level window.
// A button press grabs the mouse until its release, so moves and the release
// arrive even outside the control.

#include "Object.h"

#include <functional>
#include <memory>

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TShiftState = unsigned;

enum TCursor : int {
    crDefault = 0,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNS = -7,
    crSizeWE = -9,
    crHourGlass = -11
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// What a control paints with; defined by the framework's implementation.
struct TPaintContext;

class TControl : public TObject {
public:
    explicit TControl(TControl* parent);
    ~TControl() override;

    TControl* Parent() const { return parent_; }

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    // Schedules a repaint.
    void Invalidate();
    void BringToFront();

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnDblClick;

    struct Impl;
    Impl& Internals() { return *impl_; }

    // Entry points for the window system; they call the virtual steps below.
    void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
        MouseDown(button, shift, x, y);
    }
    void HandleMouseMove(TShiftState shift, int x, int y) { MouseMove(shift, x, y); }
    void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
        MouseUp(button, shift, x, y);
    }
    void HandleDblClick() { DblClick(); }
    void HandlePaint(TPaintContext& context) { Paint(context); }
    void HandleResize() { Resized(); }

protected:
    virtual void Paint(TPaintContext&) {}
    virtual void Resized() {}
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();

private:
    TControl* parent_;
    bool visible_;
    TCursor cursor_ = crDefault;
    std::unique_ptr<Impl> impl_;
};
