// The program options dialog: the 16 bytes it stores, Cancel, Default, the refused
// frequencies, and the Fourier defaults the main window recomputes after it.
#include "AppTestKit.h"
#include "DataSelFF.h"
#include "OptionsFF.h"
#include "RegistryNames.h"
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <array>

namespace {

using Block = std::array<std::uint8_t, 16>;

class OptionsDialog : public ::testing::Test {
protected:
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& main = *program.w.DataSel;
    TOptionsForm& dlg = *program.w.Options;

    // Runs the dialog from the main window's button with one scripted step.
    void Open(std::function<void()> step) {
        kit.modalScript.push_back([this, step](TCustomForm&) {
            step();
            return dlg.ModalResult();
        });
        main.OptionsBtn.Click();
    }
    static Block Stored() {
        Block b{};
        TRegistry r;
        EXPECT_TRUE(r.OpenKey(kProgramKey, false));
        r.ReadBinaryData(kProgramOptionsValue, b.data(), 16);
        return b;
    }
};

TEST_F(OptionsDialog, OkStoresTheWholeBlockWithALittleEndianFrequency) {
    testsupport::ScratchDir data;
    const std::string path = data.file("run.adf");
    testsupport::writeFile(path, "//\nt a\n0 1\n1 2\n2 3\n");
    ASSERT_EQ(main.LoadFile(0, path, false, false), 0);
    program.globals.fourierStart[0] = 1.5f; // a base period chosen in the Fourier options

    Open([&] {
        EXPECT_EQ(dlg.FrequencyEdit.Text(), "50");
        EXPECT_TRUE(dlg.AutoLabelBox.Checked());
        EXPECT_FALSE(dlg.PointsBox.Checked());
        dlg.PointsBox.SetChecked(true);
        dlg.CommaSepBox.SetChecked(true);
        dlg.BarHFSBox.SetChecked(true);
        dlg.FrequencyEdit.SetText("60");
        dlg.OKBtn.Click();
    });
    EXPECT_TRUE(kit.messages.empty());
    // Bytes 2 (autolabel), 6 (commas), 9 (bars for harmonic scans), 10 (points); 60.0f
    // is 0x42700000.
    const Block expected = {0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0, 0x00, 0x00, 0x70, 0x42};
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(program.options.bytes, expected);
    EXPECT_FLOAT_EQ(program.globals.timeMax[0], 2.0f);
    EXPECT_FLOAT_EQ(program.globals.fourierStart[0], 2.0f - 1.0f / 60.0f);
}

TEST_F(OptionsDialog, CancelLeavesTheBlockAndTheNextOpeningShowsItAgain) {
    Open([&] {
        dlg.PointsBox.SetChecked(true);
        dlg.OKBtn.Click();
    });
    Open([&] {
        EXPECT_TRUE(dlg.PointsBox.Checked());
        dlg.PointsBox.SetChecked(false);
        dlg.AutoLabelBox.SetChecked(false);
        dlg.FrequencyEdit.SetText("25");
        dlg.CancelBtn.Click();
    });
    EXPECT_EQ(dlg.ModalResult(), mrCancel);
    EXPECT_TRUE(program.options.Flag(poPointsOnly));
    EXPECT_TRUE(program.options.Flag(poAutoLabel));
    EXPECT_EQ(program.options.Frequency(), 50.0f);
    EXPECT_EQ(Stored()[poPointsOnly], 1);
    Open([&] {
        EXPECT_TRUE(dlg.PointsBox.Checked());
        EXPECT_TRUE(dlg.AutoLabelBox.Checked());
        EXPECT_EQ(dlg.FrequencyEdit.Text(), "50");
        dlg.CancelBtn.Click();
    });
}

TEST_F(OptionsDialog, DefaultDeletesTheMakersKeyAndCloses) {
    {
        TRegistry r;
        r.OpenKey(std::string(kProgramKey) + "\\" + kSavedStateKey, true);
        r.WriteInteger("XVarRow", 2);
    }
    for (int run = 0; run < 2; ++run) { // the second time there is nothing to delete
        kit.messages.clear();
        Open([&] {
            dlg.AutoLabelBox.SetChecked(false);
            dlg.AutoRefreshBox.SetChecked(true);
            dlg.DefaultBtn.Click();
            EXPECT_TRUE(dlg.AutoLabelBox.Checked());
            EXPECT_FALSE(dlg.AutoRefreshBox.Checked());
        });
        ASSERT_EQ(kit.messages.size(), 1u) << run;
        EXPECT_EQ(kit.messages[0].Line(),
                  "Information: Default settings restored;\nRegistry Cleared.");
        EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONINFORMATION));
        EXPECT_NE(dlg.ModalResult(), mrNone);
        TRegistry r;
        EXPECT_FALSE(r.KeyExists(kMakerKey));
    }
}

TEST_F(OptionsDialog, CommasAsSeparatorsReachTheReaderOfTheNextLoad) {
    testsupport::ScratchDir data;
    const std::string path = data.file("commas.adf");
    testsupport::writeFile(path, "//\nt a b\n0,1,10\n0.5, 2 ,20\n");
    kit.fileScript.push_back(std::vector<std::string>{path});
    main.LoadBtn.Click();
    // "0,1,10" is no number without the option.
    ASSERT_FALSE(kit.messages.empty());
    EXPECT_EQ(kit.messages[0].text.rfind("Unable to read file \"" + path + "\"", 0), 0u);
    EXPECT_EQ(main.fileSlots.LoadedCount(), 0);

    Open([&] {
        dlg.CommaSepBox.SetChecked(true);
        dlg.OKBtn.Click();
    });
    kit.messages.clear();
    kit.fileScript.push_back(std::vector<std::string>{path});
    main.LoadBtn.Click();
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    ASSERT_EQ(main.fileSlots.LoadedCount(), 1);
    const SimOut& file = main.files[0];
    ASSERT_EQ(file.nPoints, 2);
    EXPECT_EQ(std::vector<float>(file.data[2], file.data[2] + 2), (std::vector<float>{10, 20}));
    EXPECT_EQ(main.FileStringGrid.Cells(5, 1), "0.5");
}

TEST_F(OptionsDialog, AFrequencyLeftAsShownKeepsAllItsDigits) {
    Open([&] {
        dlg.FrequencyEdit.SetText("16.6667");
        dlg.OKBtn.Click();
    });
    // 16.6667f is 0x41855567; the edit shows it with three digits only.
    const Block typed = Stored();
    EXPECT_EQ((std::array<std::uint8_t, 4>{typed[12], typed[13], typed[14], typed[15]}),
              (std::array<std::uint8_t, 4>{0x67, 0x55, 0x85, 0x41}));
    Open([&] {
        EXPECT_EQ(dlg.FrequencyEdit.Text(), "16.7");
        dlg.FrequencyEditExit(&dlg.FrequencyEdit);
        dlg.PointsBox.SetChecked(true);
        dlg.OKBtn.Click();
    });
    EXPECT_TRUE(kit.messages.empty());
    Block expected = typed;
    expected[poPointsOnly] = 1;
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(program.options.Frequency(), 16.6667f);
}

TEST_F(OptionsDialog, FrequencyMustBeAPositiveFiniteNumber) {
    const std::string message =
        "QJ's Curvix: An invalid (negative or nul) value was read as default frequency.\n"
        "Please, supply a positive value";
    Open([&] {
        for (const char* bad : {"0", "-50", "abc", "", "1e60", "1e-60"}) {
            kit.messages.clear();
            dlg.FrequencyEdit.SetText(bad);
            dlg.OKBtn.Click();
            ASSERT_EQ(kit.messages.size(), 1u) << bad;
            EXPECT_EQ(kit.messages[0].Line(), message) << bad;
            EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(dlg.ModalResult(), mrNone) << bad; // the dialog stays open
            EXPECT_EQ(dlg.TPageControl1.ActivePage(), &dlg.DFTSheet) << bad;
            EXPECT_EQ(FocusedLineText("QJ's Curvix - Program Options"), bad);
            dlg.TPageControl1.SetActivePageIndex(0);
        }
        kit.messages.clear();
        dlg.FrequencyEdit.SetText("0.5");
        dlg.OKBtn.Click();
        EXPECT_TRUE(kit.messages.empty());
    });
    EXPECT_EQ(dlg.ModalResult(), mrOk);
    EXPECT_EQ(program.options.Frequency(), 0.5f);
    EXPECT_EQ(Stored()[15], 0x3F); // 0.5f is 0x3F000000
    EXPECT_EQ(Stored()[14], 0x00);

    // Leaving the edit checks the same way.
    kit.messages.clear();
    dlg.FrequencyEdit.SetText("-50");
    dlg.FrequencyEditExit(&dlg.FrequencyEdit);
    EXPECT_EQ(kit.messages.size(), 1u);
    dlg.FrequencyEdit.SetText("0.5");
    dlg.FrequencyEditExit(&dlg.FrequencyEdit);
    EXPECT_EQ(kit.messages.size(), 1u);
}

} // namespace
