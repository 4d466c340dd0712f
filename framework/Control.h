#pragma once
// The base of every visible control: a window area at an absolute position in
// its parent (Left, Top, Width, Height in pixels), shown or hidden, with a mouse
// cursor and mouse events. A control without a parent is a top-level window.
// A button press grabs the mouse until its release, so moves and the release
// arrive even outside the control. Controls are components: an owner, when given,
// destroys the control with itself. Keys arrive as KeyDown (a virtual key code the
// handler may clear) and then, for keys that make a character, KeyPress; a form with
// KeyPreview sees both first.

#include "Component.h"
#include "Messages.h"
#include "Types.h"

#include <cstdint>
#include <string>

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

// An aligned control keeps to one side of its parent's client area across the full
// width or height, keeping its own height or width; alClient fills what is left. Sides
// are taken in the order top, bottom, left, right, then client. Scoped, since the
// alignment grid has alignments of its own named alLeft and alRight.
enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

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
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

class TPopupMenu;
class TCustomForm;

// What a control paints with; defined by the framework's implementation.
struct TPaintContext;

class TControl : public TComponent {
public:
    explicit TControl(TControl* parent, TComponent* owner = nullptr);
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
    virtual void SetBounds(int left, int top, int width, int height);
    // For a form Left, Top, Width and Height are its outer bounds, frame included, and
    // the client size is what the frame leaves inside; for other controls both are the
    // same.
    int ClientWidth() const;
    int ClientHeight() const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    // The control's own setting: a control on a disabled parent keeps it, though it
    // takes no input then.
    bool Enabled() const;
    void SetEnabled(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }

    // Whether Tab stops at the control; a click focuses it either way.
    bool TabStop() const;
    void SetTabStop(bool value);
    void SetFocus();
    bool Focused() const;
    bool CanFocus() const;

    // The pop-up menu shown on a right click, not owned.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The form this control sits on (itself for a form); null when there is none.
    TCustomForm* ParentForm() const;

    // Schedules a repaint.
    void Invalidate();
    void BringToFront();

    // A form's ScaleBy calls this on every control on it: position, size and the
    // control's own font by m / d. Controls placed by their container (tab sheets)
    // keep their bounds.
    virtual void ChangeScale(int m, int d);

    // Posted messages reach WndProc after the current input; Perform calls it now.
    void PostMessage(unsigned msg, std::intptr_t wParam, std::intptr_t lParam);
    std::intptr_t Perform(unsigned msg, std::intptr_t wParam, std::intptr_t lParam);

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnDblClick;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

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
    // A form's frame may become known only once it is shown: the form keeps its outer
    // bounds and its inside is placed again.
    void SyncWindowFrame();
    // A form was moved or resized: by the user it changes the outer bounds.
    void HandleWindowGeometry();
    // One key: the key-down step, then the character when the key makes one (as
    // with the system, clearing the key does not stop its character).
    struct KeyOutcome {
        bool keyConsumed = false; // the key-down step cleared the key
        char ch = 0;              // the character as the handlers left it
    };
    KeyOutcome HandleKey(WORD key, TShiftState shift, char ch);
    // What a standard control does with a character its handlers changed.
    virtual void DefaultChar(char) {}
    virtual void HandleEnter() { DoEnter(); }
    virtual void HandleExit() { DoExit(); }
    // Whether Tab reaches the key steps instead of moving the focus.
    virtual bool WantTab() const { return false; }
    void HandleMessage(TMessage& message) { WndProc(message); }
    // Fires the form's preview, then KeyDown; returns the key as left.
    WORD DoKeyDown(WORD key, TShiftState shift);
    // Fires the form's preview, then KeyPress; returns the character as left.
    char DoKeyPress(char key);

protected:
    virtual void Paint(TPaintContext&) {}
    virtual void Resized() {}
    // The frame of a form changed (it became known, or the border style changed it).
    virtual void FrameChanged() {}
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DblClick();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // The character step: by default the key-press handling above.
    virtual void WMChar(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void WndProc(TMessage& message);

private:
    TControl* parent_;
    bool visible_;
    TAlign align_ = TAlign::alNone;
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    TPopupMenu* popupMenu_ = nullptr;
    std::unique_ptr<Impl> impl_;
};
