#pragma once
// Test helpers for the program's windows: every modal thing a window can show (message
// boxes, modal forms, file dialogs, beeps) answered from a script and recorded, and the
// eleven windows built as the program builds them on a scratch registry. Every hook is
// put back when the kit goes out of scope.

#include "AppContext.h"
#include "Application.h"
#include "CurvixApp.h"
#include "FileDialogs.h"
#include "Form.h"
#include "MessageBox.h"
#include "Printer.h"
#include "RegistryNames.h"
#include "ScratchDir.h"
#include "Screen.h"
#include "Slots.h"
#include "Startup.h"
#include "services/Registry.h"
#include "services/SystemHooks.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct SShownMessage {
    std::string text, title;
    unsigned flags = 0;
    std::string Line() const { return title + ": " + text; }
};

class AppTestKit {
public:
    AppTestKit() {
        oldBox_ = SetMessageBoxHook([this](const std::string& t, const std::string& c, unsigned f) {
            messages.push_back({t, c, f});
            if (onMessage) onMessage(messages.back());
            if (messageAnswers.empty()) return static_cast<int>(IDOK);
            const int a = messageAnswers.front();
            messageAnswers.pop_front();
            return a;
        });
        oldModal_ = SetModalHook([this](TCustomForm& form) -> TModalResult {
            modalForms.push_back(&form);
            if (modalScript.empty()) return mrCancel;
            auto step = std::move(modalScript.front());
            modalScript.pop_front();
            return step(form);
        });
        oldFile_ = SetFileDialogHook([this](TFileDialogRequest& r) {
            fileDialogs.push_back({r.dialog.Filter, r.save});
            if (fileScript.empty()) return false;
            auto choice = std::move(fileScript.front());
            fileScript.pop_front();
            if (!choice) return false;
            r.dialog.Files = *choice;
            r.dialog.FileName = choice->empty() ? std::string() : choice->front();
            return true;
        });
        oldBeep_ = SetBeepHandler([this](unsigned hz, unsigned ms) {
            ++beeps;
            lastBeep = {hz, ms};
        });
        oldQuit_ = SetQuitHook([this] { ++quits; });
        oldPrinterSetup_ = SetPrinterSetupHook([this](TPrinter&) {
            ++printerSetups;
            return printerSetupAnswer;
        });
    }
    ~AppTestKit() {
        SetMessageBoxHook(oldBox_);
        SetModalHook(oldModal_);
        SetFileDialogHook(oldFile_);
        SetBeepHandler(oldBeep_);
        SetQuitHook(oldQuit_);
        SetPrinterSetupHook(oldPrinterSetup_);
    }
    AppTestKit(const AppTestKit&) = delete;
    AppTestKit& operator=(const AppTestKit&) = delete;

    // Message boxes: recorded; answered from messageAnswers, then IDOK.
    std::vector<SShownMessage> messages;
    std::deque<int> messageAnswers;
    std::function<void(const SShownMessage&)> onMessage; // e.g. to look at the window meanwhile
    std::vector<std::string> MessageLines() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.Line());
        return out;
    }

    // Modal forms: each step gets the form (set its controls, press its buttons) and
    // returns the result; with no step left the form is cancelled.
    std::deque<std::function<TModalResult(TCustomForm&)>> modalScript;
    std::vector<TCustomForm*> modalForms;

    // File dialogs: each entry is the chosen files, or nullopt for Cancel.
    struct SDialogSeen {
        std::string filter;
        bool save = false;
    };
    std::deque<std::optional<std::vector<std::string>>> fileScript;
    std::vector<SDialogSeen> fileDialogs;

    int beeps = 0;
    std::pair<unsigned, unsigned> lastBeep{};
    int quits = 0;
    // The printer set-up dialog: counted, and answered (false = cancelled).
    int printerSetups = 0;
    bool printerSetupAnswer = false;

private:
    TMessageBoxHook oldBox_;
    TModalHook oldModal_;
    TFileDialogHook oldFile_;
    std::function<void(unsigned, unsigned)> oldBeep_;
    std::function<void()> oldQuit_;
    TPrinterSetupHook oldPrinterSetup_;
};

// The program's windows on a scratch registry and lock folder, made in the program's
// order after its registry read and scaling. The arguments follow the program name.
// A `registryDir` of the test's own makes a later run find what an earlier one stored.
class CurvixUnderTest {
public:
    explicit CurvixUnderTest(std::vector<std::string> args = {},
                             const std::filesystem::path& registryDir = {})
        : args_(std::move(args)) {
        if (!registryDir.empty()) setenv("CURVIX_REGISTRY_DIR", registryDir.c_str(), 1);
        args_.insert(args_.begin(), "curvix");
        for (auto& a : args_) argv_.push_back(a.data());
        argv_.push_back(nullptr);
        argc_ = static_cast<int>(args_.size());
        app = std::make_unique<TApplication>(argc_, argv_.data());
        globals.programName = kProgramTitle;
        TRegistry registry;
        ReadSettings(registry, globals, options, MessageBox);
        ComputeScaling(Screen->WorkAreaRect(), options.Flag(poSmallWindows), globals);
        CreateCurvixWindows(*app, ctx);
    }
    ~CurvixUnderTest() {
        app->DestroyForms();
        app.reset();
    }
    CurvixUnderTest(const CurvixUnderTest&) = delete;
    CurvixUnderTest& operator=(const CurvixUnderTest&) = delete;

    ScratchDir dir; // first, so the registry and locks are scratch before anything reads them
    SGlobalVars globals;
    SProgramOptions options;
    SAppContext ctx{globals, options};
    std::unique_ptr<TApplication> app;
    SCurvixWindows& w = ctx.windows;

private:
    std::vector<std::string> args_;
    std::vector<char*> argv_;
    int argc_ = 0;
};

// The text of the line edit that has (or gets, once its window is active) the focus: offscreen
// windows are never active, so the control's own focus flag cannot tell.
inline std::string FocusedLineText(const std::string& windowTitle) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle().toStdString() == windowTitle)
            if (auto* line = qobject_cast<QLineEdit*>(w->focusWidget()))
                return line->text().toStdString();
    return "(no focused field)";
}

// The free slots as a mask, bit k for slot k.
inline std::uint8_t FreeMask(const CSlots& table) {
    std::uint8_t m = 0;
    for (int k = 0; k < kMaxFiles; ++k)
        if (!table.Loaded(k)) m = static_cast<std::uint8_t>(m | (1u << k));
    return m;
}
