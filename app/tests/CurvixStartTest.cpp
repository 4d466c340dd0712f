// The program's start with the framework's hooks: the fifth instance, the windows.
#include "Application.h"
#include "CurvixApp.h"
#include "MessageBox.h"
#include "RegistryNames.h"
#include "ScratchDir.h"
#include "services/NamedMutex.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <filesystem>

namespace {
struct Hooks {
    std::vector<std::string> messages;
    TMessageBoxHook oldBox;
    std::function<void()> oldQuit;
    Hooks() {
        oldBox =
            SetMessageBoxHook([this](const std::string& text, const std::string& title, unsigned) {
                messages.push_back(title + ": " + text);
                return IDOK;
            });
        oldQuit = SetQuitHook([] {});
    }
    ~Hooks() {
        SetMessageBoxHook(oldBox);
        SetQuitHook(oldQuit);
    }
};

char arg0[] = "curvix";
char* argv[] = {arg0, nullptr};
} // namespace

TEST(CurvixStart, FifthInstanceShowsTheMessageAndTouchesNoRegistry) {
    ScratchDir dir;
    Hooks hooks;
    std::vector<CNamedMutex> held;
    for (int i = 0; i < 4; ++i) {
        auto m = CNamedMutex::TryAcquire(std::string(kInstanceMutexPrefix) + char('0' + i));
        ASSERT_TRUE(m);
        held.push_back(std::move(*m));
    }
    int argc = 1;
    EXPECT_EQ(RunCurvix(argc, argv), 0);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0], "Too Many Instances: Max 4 program instances allowed");
    EXPECT_FALSE(std::filesystem::exists(dir.path / "reg"));
}

TEST(CurvixStart, SecondInstanceRunsTheLoopWithElevenWindowsAndStoresStateAtClose) {
    ScratchDir dir;
    Hooks hooks;
    SetQuitHook(nullptr); // the real loop; the timer below closes the main window
    auto first = CNamedMutex::TryAcquire(std::string(kInstanceMutexPrefix) + "0");
    ASSERT_TRUE(first);
    int windows = 0;
    std::string caption;
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < Application->ComponentCount(); ++i)
            if (dynamic_cast<TCustomForm*>(Application->Components(i))) ++windows;
        caption = Application->MainForm()->Caption();
        Application->MainForm()->Close();
    });
    int argc = 1;
    EXPECT_EQ(RunCurvix(argc, argv), 0);
    EXPECT_EQ(windows, 11);
    EXPECT_EQ(caption, "QJ's Curvix - Data selection (2)");
    EXPECT_TRUE(hooks.messages.empty());
}
