// Plot and Save from the main window: the arrays the plot window receives for each file
// format, checked point by point against the file's samples, the refusals that leave the
// plot on screen as it was, and the files Save writes.
#include "SelectionFixture.h"

#include "Control_p.h"
#include "Screen.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cctype>
#include <cstdlib>

namespace {

using Doubles = std::vector<double>;

SimOut Read(const std::string& path) {
    SimOut s;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string reason = ext == ".pl4"   ? s.LoadFromPl4File(path)
                               : ext == ".mat" ? s.LoadFromMatFile(path)
                               : ext == ".cfg" ? s.LoadFromComtradeFile(path)
                                               : s.LoadFromAdfFile(path);
    EXPECT_EQ(reason, "") << path;
    return s;
}

Doubles Row(const SimOut& s, int v) {
    return Doubles(s.data[v], s.data[v] + s.nPoints);
}

template <class F> Doubles Map(const Doubles& a, const Doubles& b, F f) {
    Doubles out(a.size());
    for (std::size_t j = 0; j < a.size(); ++j)
        out[j] = f(a[j], b[j]);
    return out;
}

struct SFormat {
    const char* file;
    int a, b; // list items of the two operands
    bool pl4TimeRun;
};
void PrintTo(const SFormat& f, std::ostream* os) {
    *os << f.file;
}

// A pixel near the top left corner of a cell as the window last painted it (what the
// screen shows, not a fresh rendering).
QRgb ShownPixel(TStringAlignGrid& grid, int col, int row) {
    QApplication::processEvents();
    const TRect r = grid.CellRect(col, row);
    auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
    if (!area || r.IsEmpty()) return 0;
    QWidget* top = area->window();
    const QPoint at = area->viewport()->mapTo(top, QPoint(r.Left + 2, r.Top + 2));
    return QGuiApplication::primaryScreen()
        ->grabWindow(top->winId(), at.x(), at.y(), 1, 1)
        .toImage()
        .pixel(0, 0);
}

class PlotEachFormat : public SelectionFixture, public ::testing::WithParamInterface<SFormat> {};

INSTANTIATE_TEST_SUITE_P(Files, PlotEachFormat,
                         ::testing::Values(SFormat{"rl_energisation.pl4", 1, 2, true},
                                           SFormat{"load_harmonics.mat", 1, 1, false},
                                           SFormat{"line_fault.cfg", 1, 2, false},
                                           SFormat{"motor_start.adf", 1, 2, false}),
                         [](const auto& info) {
                             const std::string f = info.param.file;
                             return f.substr(f.size() - 3);
                         });

TEST_P(PlotEachFormat, ScaledShiftedAndCompositeCurvesThenSaveAndLoadBack) {
    const SFormat& c = GetParam();
    const std::string path = Example(c.file);
    const SimOut ref = Read(path);
    Layout(false);
    Load(0, path);
    Set(2, 1, "1000");
    Set(3, 1, "-1");
    f.FileStringGrid.SetEditText(6, f.fileSlots.CurrentRow(), "0.5");
    ClickItem(c.a);
    Set(2, 2, "2");
    Set(3, 2, "3");
    Composite(f.PlusBtn, c.a, c.b);
    Set(2, 3, "1.5");
    Composite(f.MinusBtn, c.a, c.b);
    Set(2, 4, "1.5");
    Set(3, 4, "-2");
    Composite(f.TimesBtn, c.a, c.b);
    Set(2, 5, "1.5");
    ASSERT_EQ(f.selection.RowCount(), 5);
    Plot();
    ASSERT_TRUE(f.lastPlotOk) << testing::PrintToString(kit.MessageLines());
    ASSERT_TRUE(win.Shown);
    const SPlotSnapshot& p = *win.Shown;
    ASSERT_EQ(p.nFiles, 1);
    ASSERT_EQ(p.nPoints[0], ref.nPoints);
    ASSERT_EQ(p.nCurves[0], 4);

    const Doubles t = Row(ref, 0), a = Row(ref, c.a), b = Row(ref, c.b);
    ExpectClose(X(p, 0), Map(t, t, [](double x, double) { return x * 1000 - 1 + 0.5; }));
    ExpectClose(Y(p, 0, 0), Map(a, b, [](double x, double) { return 2 * x + 3; }));
    ExpectClose(Y(p, 0, 1), Map(a, b, [](double x, double y) { return 1.5 * (x + y); }));
    ExpectClose(Y(p, 0, 2), Map(a, b, [](double x, double y) { return 1.5 * (x - y) - 2; }));
    ExpectClose(Y(p, 0, 3), Map(a, b, [](double x, double y) { return x * y * 1.5; }));
    EXPECT_EQ(p.legendNames[0], c.file);
    EXPECT_EQ(p.varNames[4], Cell(0, 1));
    EXPECT_EQ(p.timeUnit, "s");

    // Save writes the selected columns (a composite as its first operand) and leaves
    // the plot and the loaded names alone.
    const std::vector<std::string> names = f.files[0].names;
    std::vector<std::string> outputs = {"out.adf", "out.MAT"};
    if (c.pl4TimeRun) outputs.push_back("out.pl4");
    for (const std::string& out : outputs) {
        SCOPED_TRACE(out);
        kit.messages.clear();
        kit.fileScript.push_back(std::vector<std::string>{data.file(out)});
        f.SaveVarBtnClick(&f.SaveVarBtn);
        EXPECT_EQ(kit.MessageLines(),
                  (std::vector<std::string>{"QJ's Curvix: Selected variables successfully saved "
                                            "into file " +
                                            data.file(out)}));
        EXPECT_EQ(f.files[0].names, names);
        EXPECT_EQ(win.Shown.get(), &p);
        EXPECT_EQ(f.PreparedPlot.get(), &p);
        const SimOut back = Read(data.file(out));
        ASSERT_EQ(back.nVars, 5);
        ASSERT_EQ(back.nPoints, ref.nPoints);
        EXPECT_EQ(Row(back, 0), t);
        for (int v = 1; v < 5; ++v)
            EXPECT_EQ(Row(back, v), a) << v;
    }
    const std::string withPl4 = "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT|PL4 (*.PL4)|*.PL4";
    EXPECT_EQ(kit.fileDialogs.back().filter,
              c.pl4TimeRun ? withPl4 : "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT");
    EXPECT_TRUE(kit.fileDialogs.back().save);
}

using PlotAndSave = SelectionFixture;

TEST_F(PlotAndSave, CurvesComeInSlotOrderAndEachFileKeepsItsOwnShiftInMinutes) {
    Layout(true);
    LoadByDialog(SmallAdf("one.adf"));
    LoadByDialog(SmallAdf("two.adf"));
    LoadByDialog(Write("three.adf", "// three points\nt v:p v:q\n0 5 -1\n1 6 -2\n2 7 -3\n"));
    ASSERT_EQ(f.fileSlots.Current(), 2);
    f.FileStringGrid.SetEditText(6, f.fileSlots.CurrentRow(), "100");
    ClickName("v:p");
    ClickName("v:q");
    Set(2, 3, "10");
    int rowOfOne = 0;
    for (int r = 1; r < f.FileStringGrid.RowCount(); ++r)
        if (f.FileStringGrid.Cells(1, r) == "1") rowOfOne = r;
    f.SelectFileRow(rowOfOne);
    ClickName("v:a");
    Set(3, 4, "2");
    f.smtimefactor1->Click();
    Plot();
    ASSERT_TRUE(win.Shown) << testing::PrintToString(kit.MessageLines());
    const SPlotSnapshot& p = *win.Shown;
    ASSERT_EQ(p.nFiles, 2);
    EXPECT_EQ(p.slot[0], 0);
    EXPECT_EQ(p.slot[1], 2);
    EXPECT_EQ(p.legendNames[0], "one.adf");
    EXPECT_EQ(p.legendNames[1], "three.adf");
    EXPECT_EQ(std::vector<std::string>(p.varNames.begin(), p.varNames.begin() + 4),
              (std::vector<std::string>{"v:a", "v:p", "v:q", "t"}));
    ExpectClose(X(p, 0), {0, 0.5 / 60, 1.0 / 60, 1.5 / 60});
    ExpectClose(X(p, 1), {100, 100 + 1.0 / 60, 100 + 2.0 / 60});
    EXPECT_EQ(p.timeUnit, "m");
    EXPECT_EQ(p.xParam.unitChar, 'm');
    EXPECT_EQ(Y(p, 0, 0), (Floats{3, 4, 5, 6}));
    EXPECT_EQ(Y(p, 1, 0), (Floats{5, 6, 7}));
    EXPECT_EQ(Y(p, 1, 1), (Floats{-10, -20, -30}));
    EXPECT_EQ(p.curves[0].unitChar, 'V');
}

TEST_F(PlotAndSave, RefusedPlotsShowTheCellGreyAndLeaveThePlotAsItWas) {
    Layout(false);
    Load(0, SmallAdf());
    ClickName("v:a");
    Composite(f.TimesBtn, "v:a", "c:b");
    Plot();
    const PlotSnapshotPtr shown = win.Shown;
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->curves[1].unitChar, 'W');

    struct Case {
        const char* what;
        int col, row; // the cell to spoil
        const char* text;
        const char* message;
        bool fileTable;
    };
    const Case cases[] = {
        {"comma", 2, 2, "1,5", "Error: Invalid number in the evidenced Cell", false},
        {"offset", 3, 3, "x", "Error: Invalid number in the evidenced Cell", false},
        {"null x", 2, 1, "0", "Error: Null Factor not allowed on X variable", false},
        {"shift", 6, 1, "abc", "Error: Invalid number in the evidenced Cell", true},
        {"overflow", 2, 2, "1e39", "Error: Invalid number in the evidenced Cell", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TModelGrid& grid = c.fileTable ? f.FileStringGrid : f.SelectedGrid;
        const std::string good = grid.Cells(c.col, c.row);
        const TColor before = grid.GetColorCell(c.col, c.row);
        grid.SetEditText(c.col, c.row, c.text);
        if (grid.CellRect(c.col, c.row).IsEmpty()) grid.SetLeftCol(c.col); // scrolled to
        kit.messages.clear();
        TColor during = 0;
        QRgb onScreen = 0;
        kit.onMessage = [&](const SShownMessage&) {
            during = grid.GetColorCell(c.col, c.row);
            onScreen = ShownPixel(grid, c.col, c.row);
        };
        Plot();
        kit.onMessage = nullptr;
        EXPECT_EQ(kit.MessageLines(), (std::vector<std::string>{c.message}));
        EXPECT_EQ(kit.messages[0].flags, MB_ICONSTOP);
        EXPECT_EQ(during, 0x808080u);
        EXPECT_EQ(qRed(onScreen), 0x80);
        EXPECT_EQ(qGreen(onScreen), 0x80);
        EXPECT_EQ(qBlue(onScreen), 0x80);
        EXPECT_EQ(grid.GetColorCell(c.col, c.row), before);
        EXPECT_EQ(win.Shown, shown);
        EXPECT_EQ(f.PreparedPlot, shown);
        EXPECT_FALSE(f.lastPlotOk);
        EXPECT_EQ(Screen->Cursor(), crDefault);
        grid.SetEditText(c.col, c.row, good);
    }

    // A plot that works again after the refusals.
    Plot();
    EXPECT_TRUE(f.lastPlotOk);
    EXPECT_NE(win.Shown, shown);
    EXPECT_EQ(Y(*shown, 0, 1), (Floats{10, 40, 90, 160})); // the old arrays are intact

    f.ResetBtnClick(&f.ResetBtn);
    kit.messages.clear();
    Plot();
    EXPECT_EQ(kit.MessageLines(),
              (std::vector<std::string>{"Invalid input: No Y variable Selected"}));
}

TEST_F(PlotAndSave, FilesWithOnePointAreRefused) {
    Layout(true);
    LoadByDialog(SmallAdf());
    LoadByDialog(Write("one_point.adf", "// one point\nt v:z\n0 1\n"));
    kit.messages.clear();
    ClickItem(0);
    EXPECT_EQ(kit.MessageLines(), (std::vector<std::string>{
                                      "Error: The number of plot points must be greater than 1"}));
    EXPECT_EQ(f.selection.RowCount(), 1);
    f.AddSelectedVariable(0, false); // as the saved state adds rows
    kit.messages.clear();
    Plot();
    EXPECT_EQ(kit.MessageLines(), (std::vector<std::string>{
                                      "Error: The number of plot points must be greater than 1"}));
    EXPECT_FALSE(win.Shown);
}

TEST_F(PlotAndSave, SaveRefusesWhatItCannotWriteAndUsesTheSelectionsFile) {
    Layout(true);
    LoadByDialog(Example("rl_energisation.pl4"));
    LoadByDialog(SmallAdf());
    ClickName("c:b");
    f.SelectFileRow(1); // the PL4 file is current, the selection is the ADF file's
    ASSERT_EQ(f.fileSlots.Current(), 0);
    ASSERT_TRUE(f.SaveVarBtn.Enabled());

    struct Case {
        const char* name;
        std::string message;
    };
    const Case cases[] = {
        {"x.pl4", "QJ's Curvix - Error: Output type PL4 allowed only for variables selected from "
                  "a PL4 file\ncontaining a time-run (not frequency Scan nor HFS)\nPlease, "
                  "select ADF or MAT output format."},
        {"x.csv", "QJ's Curvix - Error: File " + data.file("x.csv") +
                      " not saved.\nReason: extension \".csv\" is invalid."},
        {"x.ADF",
         "QJ's Curvix: Selected variables successfully saved into file " + data.file("x.ADF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit.messages.clear();
        kit.fileScript.push_back(std::vector<std::string>{data.file(c.name)});
        f.SaveVarBtnClick(&f.SaveVarBtn);
        EXPECT_EQ(kit.MessageLines(), (std::vector<std::string>{c.message}));
        EXPECT_EQ(kit.fileDialogs.back().filter, "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT");
    }
    const SimOut back = Read(data.file("x.ADF"));
    ASSERT_EQ(back.nVars, 2);
    EXPECT_EQ(Row(back, 0), (Doubles{0, 0.5, 1, 1.5}));
    EXPECT_EQ(Row(back, 1), (Doubles{10, 20, 30, 40}));

    kit.fileScript.push_back(std::nullopt); // cancelled: nothing written, nothing said
    kit.messages.clear();
    f.SaveVarBtnClick(&f.SaveVarBtn);
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(PlotAndSave, MatFilesFromSaveLoadInScipy) {
    ASSERT_EQ(std::system("/usr/bin/python3 -c 'import numpy, scipy.io' 2>/dev/null"), 0)
        << "python3 with numpy and scipy is needed";
    Layout(false);
    Load(0, SmallAdf());
    ClickName("c:b");
    ClickName("v:a");
    kit.fileScript.push_back(std::vector<std::string>{data.file("sel.mat")});
    f.SaveVarBtnClick(&f.SaveVarBtn);
    ASSERT_EQ(kit.messages.size(), 1u);
    ASSERT_EQ(kit.messages[0].flags, MB_ICONINFORMATION) << kit.messages[0].text;
    const char* script = R"(
import sys, numpy as np, scipy.io as sio
d = sio.loadmat(sys.argv[1])
names = [k for k in d if not k.startswith('__')]
assert names == ['t', 'c_b', 'v_a'], names
want = {'t': [0, 0.5, 1, 1.5], 'c_b': [10, 20, 30, 40], 'v_a': [1, 2, 3, 4]}
for k in names:
    assert d[k].dtype == np.float32 and d[k].shape == (4, 1), (k, d[k].dtype, d[k].shape)
    assert list(d[k][:, 0]) == want[k], (k, d[k])
)";
    testsupport::writeFile(data.file("check.py"), script);
    const std::string cmd =
        "/usr/bin/python3 " + data.file("check.py") + " " + data.file("sel.mat");
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

} // namespace
