#pragma once
// The program's windows with files loaded into the main window, driven as the user
// drives them: list clicks, grid clicks, operator buttons, Plot and Save.

#include "AppTestKit.h"
#include "DataSelFF.h"
#include "NumericText.h"
#include "PlotWinFF.h"
#include "ScratchFiles.h"

#include <gtest/gtest.h>

#include <cmath>

class SelectionFixture : public ::testing::Test {
protected:
    using Floats = std::vector<float>;

    SelectionFixture() {
        SetDecimalSeparator('.');
        f.Show(); // lays the grids out, so that cells have their places for clicks
    }
    ~SelectionFixture() override { SetDecimalSeparator(oldSeparator_); }

    char oldSeparator_ = DecimalSeparator();
    CurvixUnderTest app;
    AppTestKit kit; // after the application, whose start installs its own beep
    TDataSelForm& f = *app.w.DataSel;
    TPlotWinForm& win = *app.w.PlotWin;
    testsupport::ScratchDir data;

    static std::string Example(const char* name) {
        return std::string(CURVIX_EXAMPLES_DIR) + "/" + name;
    }
    std::string Write(const std::string& name, const std::string& text) {
        testsupport::writeFile(data.file(name), text);
        return data.file(name);
    }
    std::string SmallAdf(const std::string& name = "small.adf") { // t, v:a, c:b
        return Write(name, "// four points\nt v:a c:b\n0 1 10\n0.5 2 20\n1 3 30\n1.5 4 40\n");
    }

    void Layout(bool multi) {
        if (f.MultiFileBtn.Down() == multi && app.globals.multiFileMode == multi) return;
        f.MultiFileBtn.SetDown(multi);
        f.MultiFileBtnClick(&f.MultiFileBtn);
    }
    void Load(int slot, const std::string& path) {
        ASSERT_EQ(f.LoadFile(slot, path, false, false), 0) << path;
    }
    // The Load button and its dialog (multi-file mode takes the lowest free slot).
    void LoadByDialog(const std::string& path) {
        kit.fileScript.push_back(std::vector<std::string>{path});
        f.LoadBtnClick(&f.LoadBtn);
    }

    void ClickItem(int item, TMouseButton button = mbLeft) {
        f.VarList.SetTopIndex(item);
        const int h = std::max(1, f.VarList.ItemHeight());
        const int y = (item - f.VarList.TopIndex()) * h + h / 2;
        f.VarListMouseDown(&f.VarList, button, 0, 4, y);
        f.VarListMouseUp(&f.VarList, button, 0, 4, y);
    }
    void ClickName(const std::string& name, TMouseButton button = mbLeft) {
        ASSERT_GE(f.VarList.Items().IndexOf(name), 0) << name;
        ClickItem(f.VarList.Items().IndexOf(name), button);
    }
    void ClickCell(int col, int row) {
        const TRect r = f.SelectedGrid.CellRect(col, row);
        ASSERT_FALSE(r.IsEmpty()) << col << "," << row;
        f.SelectedGridMouseUp(&f.SelectedGrid, mbLeft, 0, (r.Left + r.Right) / 2,
                              (r.Top + r.Bottom) / 2);
    }
    void Press(TSpeedButton& button) {
        button.SetDown(!button.Down());
        button.OnClick(&button);
    }
    template <class Item> void Composite(TSpeedButton& button, Item a, Item b) {
        Press(button);
        if constexpr (std::is_same_v<Item, int>) {
            ClickItem(a);
            ClickItem(b);
        } else {
            ClickName(a);
            ClickName(b);
        }
    }
    // Text typed into a cell, as the cell's editor hands it on.
    void Set(int col, int row, const std::string& text) {
        f.SelectedGrid.SetEditText(col, row, text);
    }
    std::string Cell(int col, int row) const { return f.SelectedGrid.Cells(col, row); }
    void Plot() { f.PlotBtnClick(&f.PlotBtn); }

    static Floats X(const SPlotSnapshot& p, int file) {
        return Floats(p.xPtr[file], p.xPtr[file] + p.nPoints[file]);
    }
    static Floats Y(const SPlotSnapshot& p, int file, int curve) {
        return Floats(p.yPtr[file][curve], p.yPtr[file][curve] + p.nPoints[file]);
    }
    // Single precision against values worked out in double: within a millionth of the
    // curve's largest magnitude.
    static void ExpectClose(const Floats& got, const std::vector<double>& want) {
        ASSERT_EQ(got.size(), want.size());
        double scale = 1;
        for (double w : want)
            scale = std::max(scale, std::fabs(w));
        for (std::size_t j = 0; j < got.size(); ++j)
            ASSERT_NEAR(got[j], want[j], 1e-6 * scale) << "point " << j;
    }
};
