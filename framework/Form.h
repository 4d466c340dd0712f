#pragma once
// Top-level windows. A form is created once and reused: Close hides it (its OnClose may
// change that), ShowModal runs a nested loop until a button or the code sets
// ModalResult. Enter clicks the form's default button and Esc its cancel button when
// the focused control leaves the key alone. Tests replace the modal loop with a hook.

#include "Control.h"
#include "GraphicsObjects.h"

#include <functional>
#include <string>
#include <vector>

using TModalResult = int;
enum : TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
class TButton;

using TDropFilesEvent = std::function<void(TObject* Sender, const std::vector<std::string>& Files)>;

class TCustomForm : public TControl {
public:
    explicit TCustomForm(TComponent* owner = nullptr);
    ~TCustomForm() override;

    std::string Caption() const;
    void SetCaption(const std::string& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // The form's font; controls without a font of their own use it.
    TFont& Font() { return font_; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    // Without border icons the title bar has no close, minimise or maximise box.
    bool BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(bool value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    // The outer size that leaves this inside, with the frame known now.
    void SetClientSize(int width, int height);
    // A fixed border style holds the window at the size given here (the outer size).
    void SetBounds(int left, int top, int width, int height) override;

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }

    void Show();
    void Hide();
    // A tool window beside another one is shown without taking the focus from it.
    bool ShowActivates() const { return showActivates_; }
    void SetShowActivates(bool value);
    // Asks OnClose; hides the form, or ends the application when it is the main form.
    // In a modal loop it sets ModalResult to mrCancel instead.
    void Close();
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value);

    // Multiplies the client size of the form, the positions and sizes of every control on
    // it, and the fonts, by m / d.
    void ScaleBy(int m, int d);
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    // The smallest and largest size the user can drag the window to (0 = no limit);
    // sizes set in code are held to them too, as the system holds them.
    void SetMinTrackSize(int width, int height);
    void SetMaxTrackSize(int width, int height);
    void CenterOnScreen();

    // While on, files dropped on the form arrive in OnDropFiles.
    void DragAcceptFiles(bool accept);
    bool AcceptsFiles() const { return acceptFiles_; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnResize;
    TNotifyEvent OnPaint;
    TDropFilesEvent OnDropFiles;

    // Steps the application and the window system call.
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& action);
    virtual void DropFiles(const std::vector<std::string>& files);
    // A key no control used: Enter and Esc press the default and cancel buttons.
    bool DialogKey(WORD key);
    // The button Enter presses, which is also the one drawn as the default: a focused
    // button, else the enabled default button made last (a window makes the buttons of its
    // later steps later and enables them as the work goes on). Null when there is none.
    TButton* DefaultButton() const;
    // Draws only DefaultButton() as the default; buttons call it when their state changes.
    void UpdateDefaultLook();
    // Moves the focus from `from` to the next (previous) control in tab order that
    // takes it, past the controls inside `from`. False when there is none.
    bool SelectNext(TControl& from, bool forward);
    // Tab visits the controls in this order, each with what it holds (the buttons of a
    // radio group, the tabs of a page control). A control on a listed container that is
    // listed too takes its own place; the container keeps the rest. Without an order Tab
    // follows the window system's focus chain.
    void SetTabOrder(std::vector<TControl*> order);
    // Tab (Shift+Tab) from the focused control; false when the order leaves it to the
    // window system.
    bool TabFromFocus(bool forward);

protected:
    void Paint(TPaintContext& context) override;
    void Resized() override;
    void FrameChanged() override;

private:
    void ApplyWindowFlags();
    bool FixedSize() const;
    void ApplySizeLimits(int width, int height);

    TColor color_;
    TFont font_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool borderIcons_ = true;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    bool showActivates_ = true;
    bool scaled_ = true;
    bool acceptFiles_ = false;
    TPoint minTrack_;
    TPoint maxTrack_;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    std::vector<TControl*> tabOrder_;
    struct Loop;
    Loop* loop_ = nullptr;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

// Tests replace the modal loop: the hook gets the form (shown, OnShow fired) and returns
// the result unless it set ModalResult itself. An empty hook restores the real loop.
using TModalHook = std::function<TModalResult(TCustomForm& form)>;
TModalHook SetModalHook(TModalHook hook);
