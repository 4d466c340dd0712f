// The program closed and started again on one registry: the options and the remembered
// window positions come back, and the main window does not move from run to run.
#include "AppTestKit.h"
#include "DataSelFF.h"
#include "OptionsFF.h"
#include "RegistryNames.h"

#include <gtest/gtest.h>

#include <QTimer>

namespace {

struct Seen {
    int top = 0, left = 0, height = 0;
    bool remember = false, points = false;
    std::string hz;
};

TOptionsForm& OptionsDialog() {
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TOptionsForm*>(Application->Components(i))) return *form;
    throw std::runtime_error("no options dialog");
}

// One run of the program's main routine with the real message loop: `act` runs once the
// loop is up, then the main window is closed, which ends the program.
Seen RunOnce(const std::function<void(TDataSelForm&)>& act,
             std::vector<std::string> files = {}) {
    Seen seen;
    QTimer::singleShot(0, [&] {
        auto* main = dynamic_cast<TDataSelForm*>(Application->MainForm());
        ASSERT_NE(main, nullptr);
        act(*main);
        seen.top = main->Top();
        seen.left = main->Left();
        seen.height = main->Height();
        main->Close();
    });
    files.insert(files.begin(), "curvix");
    std::vector<char*> argv;
    for (std::string& f : files)
        argv.push_back(f.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(files.size());
    EXPECT_EQ(RunCurvix(argc, argv.data()), 0);
    return seen;
}

TEST(Restart, OptionsAndWindowPositionsSurviveThreeRestarts) {
    ScratchDir dir;
    AppTestKit kit;
    SetQuitHook(nullptr); // the real loop: closing the main window ends the run

    const Seen first = RunOnce([&](TDataSelForm& main) {
        TOptionsForm& dlg = OptionsDialog();
        kit.modalScript.push_back([&](TCustomForm&) {
            dlg.WinPosSizeBox.SetChecked(true);
            dlg.PointsBox.SetChecked(true);
            dlg.FrequencyEdit.SetText("60");
            dlg.OKBtn.Click();
            return dlg.ModalResult();
        });
        main.OptionsBtn.Click();
        main.SetTop(main.Top() + 37);
        main.SetLeft(main.Left() + 21);
    });
    for (int run = 0; run < 3; ++run) {
        Seen seen;
        const Seen now = RunOnce([&](TDataSelForm& main) {
            TOptionsForm& dlg = OptionsDialog();
            kit.modalScript.push_back([&](TCustomForm&) {
                seen.remember = dlg.WinPosSizeBox.Checked();
                seen.points = dlg.PointsBox.Checked();
                seen.hz = dlg.FrequencyEdit.Text();
                dlg.CancelBtn.Click();
                return dlg.ModalResult();
            });
            main.OptionsBtn.Click();
        });
        EXPECT_EQ(now.top, first.top) << run;
        EXPECT_EQ(now.left, first.left) << run;
        EXPECT_EQ(now.height, first.height) << run;
        EXPECT_TRUE(seen.remember) << run;
        EXPECT_TRUE(seen.points) << run;
        EXPECT_EQ(seen.hz, "60") << run;
    }
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kProgramKey, false));
    EXPECT_TRUE(r.ValueExists(kWinPositionsValue));
}

// Five files make the table two rows longer than its design: the window is as tall at
// every start on them, not taller by those rows each time.
TEST(Restart, FiveFilesOnTheCommandLineKeepTheRememberedHeight) {
    ScratchDir dir;
    AppTestKit kit;
    SetQuitHook(nullptr);
    std::vector<std::string> files;
    for (int k = 1; k <= 5; ++k) {
        files.push_back((dir.path / ("f" + std::to_string(k) + ".adf")).string());
        testsupport::writeFile(files.back(), "// test\nt v\n0 1\n1 2\n");
    }
    RunOnce([&](TDataSelForm& main) {
        TOptionsForm& dlg = OptionsDialog();
        kit.modalScript.push_back([&](TCustomForm&) {
            dlg.WinPosSizeBox.SetChecked(true);
            dlg.OKBtn.Click();
            return dlg.ModalResult();
        });
        main.OptionsBtn.Click();
    });
    const Seen first = RunOnce([](TDataSelForm&) {}, files);
    ASSERT_GT(first.height, 0);
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(RunOnce([](TDataSelForm&) {}, files).height, first.height) << run;
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
}

} // namespace
