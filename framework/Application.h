#pragma once
// The application object: creates the forms (the first becomes the main form), runs
// the message loop, ends it, and owns the hint pipeline. One exists while the program
// runs; `Application` points at it. It makes the QApplication itself unless one exists
// (tests make their own), and it puts LC_NUMERIC back to "C" after Qt has set the C
// locale from the user's, so that file readers and writers stay exact.

#include "Closure.h"
#include "Component.h"
#include "Control.h"
#include "Form.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QApplication;

struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos; // in the hint control
    TPoint HintPos;   // on the screen
    TRect CursorRect; // in the hint control
    int HideTimeout = 0;
};

using TShowHintEvent = TClosure<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TApplication : public TComponent {
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    // Constructs a form owned by the application and fires its OnCreate.
    template <class T, class... Args> T* CreateForm(Args&&... args) {
        auto* form = new T(this, std::forward<Args>(args)...);
        if (!mainForm_) mainForm_ = form;
        forms_.push_back(form);
        form->DoCreate();
        return form;
    }
    TCustomForm* MainForm() const { return mainForm_; }

    // Shows the main form and runs the loop; returns at once when Terminate came first.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Fires OnDestroy of every form, the last created first; the destructor does it too.
    void DestroyForms();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TShowHintEvent OnShowHint;
    // Milliseconds the mouse rests before a hint shows, and the hint stays.
    int HintPause = 500;
    int HintHidePause = 2500;
    void CancelHint();
    // The hint pipeline for a control under the mouse; true when it showed or
    // suppressed a hint (the event is then used up).
    bool ActivateHint(TControl& control, TPoint cursorPos);

    // The command line: ParamStr(0) is the program, ParamCount the number of arguments.
    int ParamCount() const { return static_cast<int>(args_.size()) - 1; }
    std::string ParamStr(int index) const;

    // The user's decimal separator, from the locale Qt found.
    static char LocaleDecimalSeparator();

private:
    std::unique_ptr<QApplication> qapp_;
    std::vector<std::string> args_;
    std::vector<TCustomForm*> forms_;
    TCustomForm* mainForm_ = nullptr;
    std::string title_;
    bool terminated_ = false;
    std::function<void(unsigned, unsigned)> previousBeep_;
    bool formsDestroyed_ = false;
};

extern TApplication* Application;

// Tests replace quitting: the hook runs instead of ending Qt's loop. An empty hook
// restores the default.
std::function<void()> SetQuitHook(std::function<void()> hook);
