// The main window's file slots driven through its handlers: loads of every format, the
// table texts, refresh, unload, the two layouts, the window growing by a row, refusals.
#include "AppTestKit.h"
#include "Control_p.h"
#include "DataSelFF.h"
#include "FileDialogs.h"
#include "MessageBox.h"
#include "ScratchFiles.h"
#include "services/FileNames.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <set>
#include <sstream>

#include <fnmatch.h>

namespace {

std::string Example(const char* name) {
    return std::string(CURVIX_EXAMPLES_DIR) + "/" + name;
}

// An ADF text: a comment row, a row of names, then `points` rows; column c of row j
// holds j * step for the abscissa and j + c otherwise.
std::string AdfText(const std::vector<std::string>& names, int points, float step = 1.0f) {
    std::string text = "// test data\n";
    for (const auto& n : names)
        text += n + " ";
    text += "\n";
    for (int j = 0; j < points; ++j) {
        text += std::to_string(j * step);
        for (std::size_t c = 1; c < names.size(); ++c)
            text += " " + std::to_string(j + static_cast<int>(c));
        text += "\n";
    }
    return text;
}

class Slots : public ::testing::Test {
protected:
    testsupport::ScratchDir data;
    AppTestKit kit;
    std::unique_ptr<CurvixUnderTest> program;
    TDataSelForm* f = nullptr;

    void SetUp() override { Start(); }
    void Start(std::vector<std::string> args = {}) {
        program.reset();
        program = std::make_unique<CurvixUnderTest>(std::move(args));
        f = program->w.DataSel;
    }
    std::string File(const std::string& name, const std::string& text) {
        const std::string path = data.file(name);
        testsupport::writeFile(path, text);
        return path;
    }
    std::string Adf(const std::string& name, const std::string& x = "t", int points = 3) {
        return File(name, AdfText({x, "a", "b"}, points));
    }
    void Multi() {
        if (!f->MultiFileBtn.Down()) f->MultiFileBtn.Click();
        ASSERT_TRUE(f->MultiFileBtn.Down());
    }
    void Load(std::vector<std::string> names) {
        kit.fileScript.push_back(std::move(names));
        f->LoadBtn.Click();
    }
    int RowY(int row) const {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += f->FileStringGrid.RowHeights(r) + 1;
        return y + f->FileStringGrid.RowHeights(row) / 2;
    }
    void ClickAt(int y) { f->FileStringGridMouseUp(&f->FileStringGrid, mbLeft, 0, 8, y); }
    // Press, release, press (the double click), release, as the system delivers them.
    void DoubleClickAt(int y) {
        ClickAt(y);
        f->FileStringGridDblClick(&f->FileStringGrid);
        ClickAt(y);
    }
    std::vector<std::string> Row(int row) const {
        std::vector<std::string> cells;
        for (int c = 0; c < 7; ++c)
            cells.push_back(f->FileStringGrid.Cells(c, row));
        return cells;
    }
    std::vector<std::string> List() const { return f->VarList.Items().ToVector(); }
    std::set<std::string> TableNames() const {
        std::set<std::string> names;
        for (int r = 1; r < f->FileStringGrid.RowCount(); ++r)
            if (!f->FileStringGrid.Cells(2, r).empty()) names.insert(f->FileStringGrid.Cells(2, r));
        return names;
    }
};

TEST_F(Slots, EveryFormatLoadsIntoSlotsWithItsTableTexts) {
    Multi();
    // The chosen files are taken from the last to the first.
    Load({Example("rl_energisation.pl4"), Example("motor_start.adf"), Example("line_fault.cfg"),
          Example("load_harmonics.mat")});
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    EXPECT_EQ(f->fileSlots.LoadedCount(), 4);
    ASSERT_EQ(f->FileStringGrid.RowCount(), 5);
    using R = std::vector<std::string>;
    EXPECT_EQ(Row(1), (R{"", "1", "load_harmonics.mat", "2", "2000", "0.1999", "0"}));
    EXPECT_EQ(Row(2), (R{"", "2", "line_fault.cfg", "6", "400", "0.1995", "0"}));
    EXPECT_EQ(Row(3), (R{"", "3", "motor_start.adf", "4", "2000", "1.999", "0"}));
    EXPECT_EQ(Row(4), (R{"x", "4", "rl_energisation.pl4", "5", "1200", "0.05995", "0"}));
    EXPECT_EQ(f->FileStringGrid.GetHintCell(2, 4), Example("rl_energisation.pl4"));
    EXPECT_EQ(f->FileStringGrid.Cells(3, 0), "# of vars");
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "Tmax"); // t, time, t, t share the letter t
    EXPECT_EQ(f->fileSlots.Current(), 3);
    // The x variable is not listed in multi-file mode; names lose their trailing blanks.
    const std::vector<std::string> list = List();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0], "v:SRC");
    EXPECT_EQ(list[2], "c:SRC   -LOAD");
    EXPECT_FLOAT_EQ(program->globals.timeMax[1], 399 / 2000.0f);
    EXPECT_FLOAT_EQ(program->globals.fourierStart[1], 399 / 2000.0f - 1 / 50.0f);
    EXPECT_TRUE(f->RefreshBtn.Enabled());
    EXPECT_TRUE(f->RefUpdBtn.Enabled());
    EXPECT_TRUE(f->PlusBtn.Enabled());
}

TEST_F(Slots, MaxHeaderFollowsTheAbscissaNames) {
    // Single-file layout: the first letter of the shown file's x name.
    f->LoadFile(0, Adf("f.adf", "freq"), false, false);
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "Fmax");
    EXPECT_EQ(List().front(), "freq"); // the single-file list starts with the x variable
    f->LoadFile(0, Adf("t.adf", "time"), false, false);
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "Tmax");
    EXPECT_EQ(f->fileSlots.LoadedCount(), 1);

    // Multi-file mode: the shared name; the switch writes it upper-cased.
    Multi();
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "TIMEmax");
    Load({Adf("t2.adf", "time")});
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "Xmax"); // "time" is no one-letter name
    EXPECT_EQ(f->SelectedGrid.Cells(0, f->selection.XRow()), "time");
    Load({Adf("f2.adf", "f")});
    EXPECT_EQ(f->FileStringGrid.Cells(5, 0), "Xmax");
    EXPECT_EQ(f->SelectedGrid.Cells(0, f->selection.XRow()), "x");
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(Slots, RefreshReadsTheChangedFile) {
    const std::string path = Adf("run.adf");
    ASSERT_EQ(f->LoadFile(0, path, false, false), 0);
    EXPECT_EQ(Row(1)[4], "3");
    File("run.adf", AdfText({"t", "b", "a", "c"}, 5, 0.125f));
    f->RefreshBtn.Click();
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(Row(1)[3], "4");
    EXPECT_EQ(Row(1)[4], "5");
    EXPECT_EQ(Row(1)[5], "0.5");
    EXPECT_EQ(List(), (std::vector<std::string>{"t", "b", "a", "c"}));
    EXPECT_FLOAT_EQ(program->globals.timeMax[0], 0.5f);

    // One point left: the table, the list and the data follow; only a replot would wait.
    File("run.adf", "//\nt z\n7 1\n");
    f->RefreshBtn.Click();
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(Row(1)[4], "1");
    EXPECT_EQ(Row(1)[5], "7");
    EXPECT_EQ(List(), (std::vector<std::string>{"t", "z"}));
    EXPECT_FLOAT_EQ(program->globals.timeMax[0], 7.0f);
}

TEST_F(Slots, FailedRefreshKeepsTableListAndData) {
    Multi();
    const std::string path = Adf("run.adf");
    Load({path});
    const auto rowBefore = Row(1);
    const auto listBefore = List();
    File("run.adf", "//\nt a b\n0 1\n"); // a short row 3 is refused by the reader
    f->RefreshBtn.Click();
    ASSERT_EQ(kit.messages.size(), 2u);
    EXPECT_EQ(kit.messages[0].text.rfind(
                  "Unable to re-read file \"" + path + "\"\nReason: The Number of numerical", 0),
              0u);
    EXPECT_EQ(kit.messages[0].title, "Error");
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(kit.messages[1].Line(), "Error: Error refreshing file");
    EXPECT_EQ(Row(1), rowBefore);
    EXPECT_EQ(List(), listBefore);
    const SimOut& s = f->files[0];
    ASSERT_EQ(s.nVars, 3);
    ASSERT_EQ(s.nPoints, 3);
    EXPECT_EQ(s.names[2], "b");
    EXPECT_EQ(s.data[0][2], 2.0f);
    EXPECT_EQ(f->fileSlots.Name(0), path);
    EXPECT_EQ(f->selection.RowCount(), 1);
    EXPECT_EQ(f->SelectedGrid.Cells(0, 1), "t");
}

TEST_F(Slots, RefreshFindsOnlyItsOwnRowsAgainByName) {
    Multi();
    const std::string a = File("a.adf", AdfText({"t", "v1", "v2", "v3"}, 3));
    Load({a});
    Load({File("b.adf", AdfText({"t", "v1", "v2", "v3"}, 3))});
    // Common x, v2 of each file and v1*v3 of the first, picked as the user picks them.
    ClickAt(RowY(1));
    f->AddSelectedVariable(1, false); // v2 of a.adf
    ClickAt(RowY(2));
    f->AddSelectedVariable(1, false); // v2 of b.adf
    ClickAt(RowY(1));
    f->TimesBtn.SetDown(true);
    f->TimesBtnClick(&f->TimesBtn);
    f->AddSelectedVariable(0, false);
    f->AddSelectedVariable(2, false); // v1*v3 of a.adf
    ASSERT_EQ(f->selection.RowCount(), 4);
    ASSERT_EQ(f->selection.Row(4).name, "v1*v3");
    ClickAt(RowY(1));
    ASSERT_EQ(f->fileSlots.Current(), 0);
    File("a.adf", AdfText({"t", "v2", "v3", "v1"}, 4));
    f->RefreshBtn.Click();
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f->selection.RowCount(), 4);
    EXPECT_EQ(f->SelectedGrid.Cells(0, 1), "t"); // the common-x row stays
    EXPECT_EQ(f->selection.Row(2).variable, 1);  // v2 moved to list position 0
    EXPECT_EQ(f->selection.Row(3).variable, 2);  // the other file's v2 is untouched
    EXPECT_EQ(f->selection.Row(4).variable, 3);  // v1 at position 2
    EXPECT_EQ(f->selection.Row(4).second, 2);    // v3 at position 1
}

TEST_F(Slots, DoubleClickUnloadsOnlyADataRowHoldingAFile) {
    Multi();
    const std::string a = Adf("a.adf"), b = Adf("b.adf");
    Load({a});
    Load({b});
    ClickAt(RowY(1));
    ClickAt(RowY(2)); // the previous row is 1 now
    ASSERT_EQ(f->fileSlots.CurrentRow(), 2);
    const int below = RowY(f->FileStringGrid.RowCount() - 1) + 200;
    for (int y : {RowY(0), RowY(3), below}) {
        DoubleClickAt(y);
        EXPECT_EQ(f->fileSlots.LoadedCount(), 2) << y;
        EXPECT_EQ(f->fileSlots.CurrentRow(), 2) << y;
        EXPECT_EQ(f->FileStringGrid.Cells(0, 0), "") << y;
        EXPECT_EQ(f->FileStringGrid.Cells(2, 0), "File Name") << y;
    }
    DoubleClickAt(RowY(1));
    EXPECT_EQ(f->fileSlots.LoadedCount(), 1);
    EXPECT_EQ(FreeMask(f->fileSlots) & 1, 1);
    EXPECT_EQ(f->fileSlots.Name(0), "");
    EXPECT_EQ(f->FileStringGrid.RowCount(), 4);
    EXPECT_EQ(Row(1)[2], "b.adf");
    EXPECT_EQ(Row(1)[0], "x");
    EXPECT_EQ(f->fileSlots.CurrentRow(), 1);
    EXPECT_EQ(f->fileSlots.Current(), 1);
    EXPECT_EQ(Row(2)[2], "");
    EXPECT_TRUE(f->LoadBtn.Enabled());
    // The only file left stays.
    DoubleClickAt(RowY(1));
    EXPECT_EQ(f->fileSlots.LoadedCount(), 1);
    EXPECT_EQ(Row(1)[2], "b.adf");
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(Slots, FourthFileGrowsTheWindowByOneRowAndUnloadingShrinksIt) {
    Multi();
    Load({Adf("a.adf"), Adf("b.adf"), Adf("c.adf")});
    ASSERT_EQ(f->FileStringGrid.RowCount(), 4);
    const int step = static_cast<int>(17 * program->globals.scaleFactor) + 1;
    struct Sizes {
        int height, client, design, table, list, label, panel;
    };
    auto now = [&] {
        return Sizes{
            f->Height(),      f->ClientHeight(),  f->designHeight, f->FileStringGrid.Height(),
            f->VarList.Top(), f->Variables.Top(), f->Panel2.Top()};
    };
    const Sizes before = now();
    Load({Adf("d.adf")});
    EXPECT_EQ(f->FileStringGrid.RowCount(), 5);
    const Sizes grown = now();
    EXPECT_EQ(grown.height, before.height + step);
    EXPECT_EQ(grown.client, before.client + step);
    EXPECT_EQ(grown.design, before.design + step);
    EXPECT_EQ(grown.table, before.table + step);
    EXPECT_EQ(grown.list, before.list + step);
    EXPECT_EQ(grown.label, before.label + step);
    EXPECT_EQ(grown.panel, before.panel + step);
    EXPECT_EQ(f->VarList.Top() + f->VarList.Height(), f->ClientHeight());
    DoubleClickAt(RowY(2));
    EXPECT_EQ(f->fileSlots.LoadedCount(), 3);
    EXPECT_EQ(f->FileStringGrid.RowCount(), 4);
    const Sizes shrunk = now();
    EXPECT_EQ(shrunk.height, before.height);
    EXPECT_EQ(shrunk.design, before.design);
    EXPECT_EQ(shrunk.table, before.table);
    EXPECT_EQ(shrunk.panel, before.panel);
    // From three files to two the table keeps its three data rows.
    DoubleClickAt(RowY(2));
    EXPECT_EQ(f->FileStringGrid.RowCount(), 4);
    EXPECT_EQ(f->Height(), before.height);
}

TEST_F(Slots, TheWindowChangesByExactlyWhatTheTableChanges) {
    if (f->MultiFileBtn.Down()) f->MultiFileBtn.Click();
    auto sizes = [&] { return std::pair{f->Height(), f->FileStringGrid.Height()}; };
    // The first growth too: raising the minimum height must not count twice.
    const auto single = sizes();
    f->MultiFileBtn.Click();
    const auto multi = sizes();
    EXPECT_GT(multi.second, single.second);
    EXPECT_EQ(multi.first - single.first, multi.second - single.second);
    f->MultiFileBtn.Click();
    EXPECT_EQ(sizes(), single);

    f->MultiFileBtn.Click();
    Load({Adf("a.adf"), Adf("b.adf"), Adf("c.adf"), Adf("d.adf"), Adf("e.adf"), Adf("f.adf"),
          Adf("g.adf")});
    ASSERT_EQ(f->fileSlots.LoadedCount(), 7);
    const auto seven = sizes();
    f->MultiFileBtn.Click();
    EXPECT_EQ(sizes(), single);
    f->MultiFileBtn.Click();
    EXPECT_EQ(sizes(), seven);
}

TEST_F(Slots, LayoutSwitchesKeepEveryFile) {
    Multi();
    Load({Adf("a.adf")});
    Load({Adf("b.adf")});
    Load({Adf("c.adf")});
    const int multiHeight = f->Height();
    ClickAt(RowY(2));
    ASSERT_EQ(f->fileSlots.Current(), 1);
    f->MultiFileBtn.Click(); // to the single-file layout
    ASSERT_FALSE(f->MultiFileBtn.Down());
    EXPECT_FALSE(program->globals.multiFileMode);
    EXPECT_EQ(f->FileStringGrid.RowCount(), 2);
    EXPECT_EQ(Row(1)[2], "b.adf"); // the current file moves to row 1
    EXPECT_EQ(f->fileSlots.CurrentRow(), 1);
    EXPECT_EQ(f->FileStringGrid.GetCellBrush(0, 1).Color(), static_cast<TColor>(0x8000000F));
    EXPECT_EQ(f->FileStringGrid.GetCellFont(1, 1).Color(), static_cast<TColor>(0x8000000F));
    EXPECT_EQ(List().front(), "t");
    EXPECT_EQ(f->SelectedGrid.Cells(1, 0), "X");
    EXPECT_EQ(f->SelectedGrid.GetHintCell(1, 0), "X Variable");
    EXPECT_EQ(f->fileSlots.LoadedCount(), 3);
    EXPECT_LT(f->Height(), multiHeight);
    f->MultiFileBtn.Click(); // back
    EXPECT_TRUE(program->globals.multiFileMode);
    EXPECT_EQ(f->FileStringGrid.RowCount(), 4);
    EXPECT_EQ(TableNames(), (std::set<std::string>{"a.adf", "b.adf", "c.adf"}));
    EXPECT_EQ(FreeMask(f->fileSlots), 0xF8);
    EXPECT_EQ(f->Height(), multiHeight);
    EXPECT_EQ(List().front(), "a"); // the x variable is not listed again
    EXPECT_EQ(f->SelectedGrid.Cells(1, 0), "#");
    EXPECT_EQ(f->FileStringGrid.GetCellBrush(0, 1).Color(),
              f->FileStringGrid.GetCellBrush(0, 2).Color());
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(Slots, SingleFileLoadReplacesTheShownFileWithoutAddingARow) {
    Multi();
    Load({Adf("a.adf"), Adf("b.adf"), Adf("c.adf")});
    f->MultiFileBtn.Click();
    const int height = f->Height();
    const int slot = f->fileSlots.Current();
    Load({Adf("d.adf")});
    EXPECT_EQ(f->FileStringGrid.RowCount(), 2);
    EXPECT_EQ(f->fileSlots.LoadedCount(), 3);
    EXPECT_EQ(f->Height(), height);
    EXPECT_EQ(f->fileSlots.Current(), slot);
    EXPECT_EQ(Row(1)[2], "d.adf");
    EXPECT_EQ(ExtractFileName(f->fileSlots.Name(static_cast<std::size_t>(slot))), "d.adf");
    EXPECT_TRUE(f->LoadBtn.Enabled());
}

TEST_F(Slots, RefusedLoadsChangeNothing) {
    Multi();
    const std::string a = Adf("run.adf");
    std::filesystem::create_directory(data.path() / "sub");
    Load({a});
    Load({a});
    Load({data.file("sub/../run.adf")});
    f->DropFiles({data.file("sub/../run.adf")}); // named as loaded, whichever way it comes
    ASSERT_EQ(kit.messages.size(), 3u);
    for (const auto& m : kit.messages) {
        EXPECT_EQ(m.Line(),
                  "Invalid Operation: Cannot load file " + a + ".\nReason: file already in memory");
        EXPECT_EQ(m.flags, unsigned(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(f->fileSlots.LoadedCount(), 1);
    Load({Adf("RUN.adf")}); // another file on this system
    EXPECT_EQ(f->fileSlots.LoadedCount(), 2);
    kit.messages.clear();

    const std::string text = File("notes.txt", AdfText({"t", "a"}, 3));
    EXPECT_EQ(f->LoadFile(2, text, false, false), 1);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].Line(),
              "Error: Input file \"" + text + "\" has not a valid extension");
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONSTOP));
    const std::string missing = data.file("missing.pl4");
    EXPECT_EQ(f->LoadFile(2, missing, false, false), 1);
    ASSERT_EQ(kit.messages.size(), 2u);
    EXPECT_EQ(kit.messages[1].title, "Error");
    EXPECT_EQ(kit.messages[1].text.rfind("Unable to read file \"" + missing + "\"\nReason: ", 0),
              0u);
    EXPECT_EQ(f->fileSlots.LoadedCount(), 2);
    EXPECT_EQ(FreeMask(f->fileSlots) & 4, 4);
    EXPECT_EQ(f->FileStringGrid.RowCount(), 4);
    EXPECT_EQ(Row(3)[2], "");
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(Slots, SolverVoltageHistoriesOpenAsAdfFromEveryWayIn) {
    // A voltage history as the solvers write it: two buses, two passes.
    const std::string vol = "// Archivo generado por el Tolvan 7.41, a partir del [CASE.FLU" +
                            std::string(26, ' ') +
                            "]\n"
                            "iter  /V(1)/  Ang(1)    /V(2)/  Ang(2)    \n"
                            "  0  1.0000   0.000    1.0600   0.000  \n"
                            "  1  0.9870  -2.314    1.0600   0.000  \n";
    Start({File("CASE.VOL", vol)});
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    ASSERT_EQ(f->fileSlots.LoadedCount(), 1);
    EXPECT_EQ(Row(1)[2], "CASE.VOL");
    EXPECT_EQ(Row(1)[3], "5");
    EXPECT_EQ(Row(1)[4], "2");

    // The Load dialog shows such files under its first (default) filter and under ADF.
    Multi();
    Load({File("low.vol", vol)});
    ASSERT_FALSE(kit.fileDialogs.empty());
    const std::vector<std::string> filters = QtFilters(kit.fileDialogs.back().filter);
    const auto shows = [](const std::string& filter, const char* name) {
        const std::string patterns = filter.substr(filter.rfind('(') + 1);
        std::istringstream words(patterns.substr(0, patterns.find(')')));
        for (std::string p; words >> p;)
            if (fnmatch(p.c_str(), name, 0) == 0) return true;
        return false;
    };
    ASSERT_GE(filters.size(), 4u);
    for (const std::size_t k : {std::size_t{0}, std::size_t{3}}) {
        EXPECT_TRUE(shows(filters[k], "CASE.VOL")) << filters[k];
        EXPECT_TRUE(shows(filters[k], "case.vol")) << filters[k];
    }
    f->DropFiles({File("dropped.Vol", vol)});
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    EXPECT_EQ(f->fileSlots.LoadedCount(), 3);
    EXPECT_EQ(TableNames(), (std::set<std::string>{"CASE.VOL", "low.vol", "dropped.Vol"}));
}

TEST_F(Slots, NoSharedNameIsAskedForWhileNoFileIsLoaded) {
    // Two names on the command line keep the multi-file layout; neither file exists.
    Start({data.file("gone1.adf"), data.file("gone2.adf")});
    EXPECT_TRUE(f->MultiFileBtn.Down());
    EXPECT_EQ(f->SelectedGrid.Cells(1, 1), "a");
    Load({data.file("gone3.adf")});
    f->MultiFileBtn.Click();
    f->MultiFileBtn.Click();
    ASSERT_EQ(kit.messages.size(), 3u);
    for (const auto& m : kit.messages)
        EXPECT_EQ(m.text.rfind("Unable to read file", 0), 0u) << m.Line(); // the reads only
    EXPECT_EQ(f->fileSlots.LoadedCount(), 0);
}

TEST_F(Slots, EightFilesTurnLoadingOffUntilASlotIsFree) {
    Multi();
    std::vector<std::string> names;
    for (int k = 0; k < 9; ++k)
        names.push_back(Adf("f" + std::to_string(k) + ".adf"));
    Load(names); // nine chosen: the last eight fill the slots
    EXPECT_EQ(f->fileSlots.LoadedCount(), 8);
    EXPECT_EQ(f->FileStringGrid.RowCount(), 9);
    EXPECT_EQ(Row(8)[2], "f1.adf");
    EXPECT_FALSE(f->LoadBtn.Enabled());
    EXPECT_FALSE(f->AcceptsFiles());
    EXPECT_TRUE(kit.messages.empty());
    DoubleClickAt(RowY(3));
    EXPECT_EQ(f->fileSlots.LoadedCount(), 7);
    EXPECT_TRUE(f->LoadBtn.Enabled());
    EXPECT_TRUE(f->AcceptsFiles());
    f->DropFiles({data.file("f0.adf")});
    EXPECT_EQ(f->fileSlots.LoadedCount(), 8);
    EXPECT_FALSE(f->LoadBtn.Enabled());
}

TEST_F(Slots, TwoFilesDroppedOnAnEmptySingleFileWindowGetACommonXRow) {
    ASSERT_FALSE(f->MultiFileBtn.Down()); // a first start shows one file
    f->DropFiles({Adf("a.adf"), Adf("b.adf")});
    EXPECT_TRUE(f->MultiFileBtn.Down());
    EXPECT_TRUE(program->globals.multiFileMode);
    EXPECT_EQ(f->fileSlots.LoadedCount(), 2);
    EXPECT_EQ(f->selection.RowCount(), 1);
    EXPECT_EQ(f->selection.XRow(), 1);
    using R = std::vector<std::string>;
    EXPECT_EQ((R{f->SelectedGrid.Cells(0, 1), f->SelectedGrid.Cells(1, 1),
                 f->SelectedGrid.Cells(2, 1), f->SelectedGrid.Cells(3, 1)}),
              (R{"t", "a", "1", "0"}));
    EXPECT_EQ(f->OpenDialog1.InitialDir, data.path().string());
    EXPECT_TRUE(kit.messages.empty());
}

TEST_F(Slots, ReaderWarningsShowWithTheWarningIcon) {
    const std::string path = File("short.adf", "//\nt a\n0 1\n1 2\n2 3\n3\n");
    ASSERT_EQ(f->LoadFile(0, path, false, false), 0);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].title, "Warning reading file \"" + path + "\"");
    EXPECT_EQ(kit.messages[0].flags, unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(f->fileSlots.LoadedCount(), 1);
}

TEST_F(Slots, CommandLineFilesLoadWithTheLayoutTheyNeed) {
    std::filesystem::create_directory(data.path() / "runs");
    File("runs/a.adf", AdfText({"t", "a"}, 3));
    File("runs/b.adf", AdfText({"t", "b"}, 4));
    const std::string before = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(data.path().string()));
    Start({"runs/a.adf", "runs/b.adf"}); // relative names, registry says single-file
    const std::string after = GetCurrentDir();
    SetCurrentDir(before);
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    EXPECT_EQ(f->fileSlots.LoadedCount(), 2);
    EXPECT_TRUE(f->MultiFileBtn.Down());
    EXPECT_TRUE(program->globals.multiFileMode);
    EXPECT_EQ(Row(1)[2], "a.adf");
    EXPECT_EQ(Row(2)[2], "b.adf");
    EXPECT_EQ(after, (data.path() / "runs").string());
    EXPECT_EQ(f->selection.RowCount(), 1);
    EXPECT_EQ(f->SelectedGrid.Cells(1, 1), "a");
}

TEST_F(Slots, WindowLayoutAndLimits) {
    EXPECT_EQ(f->Caption(), "QJ's Curvix - Data selection");
    EXPECT_EQ(f->FileStringGrid.Parent(), f);
    EXPECT_EQ(f->SelectedGrid.Parent(), &f->Panel2);
    EXPECT_EQ(f->PlotBtn.Parent(), &f->Panel2);
    const int tableBottom = f->FileStringGrid.Top() + f->FileStringGrid.Height();
    EXPECT_GE(f->VarList.Top(), tableBottom);
    EXPECT_GE(f->Variables.Top(), tableBottom);
    EXPECT_GE(f->Panel2.Top(), tableBottom);
    int used = 0;
    for (int c = 0; c <= 4; ++c)
        used += f->FileStringGrid.ColWidths(c) + 1;
    EXPECT_EQ(f->FileStringGrid.ColWidths(5), f->ClientWidth() - used);
    EXPECT_EQ(f->FileStringGrid.ColWidths(6), f->FileStringGrid.ColWidths(5));
    used = 0;
    for (int c = 0; c <= 3; ++c)
        used += f->SelectedGrid.ColWidths(c) + 1;
    EXPECT_EQ(used, f->SelectedGrid.ClientWidth());

    // The width is fixed and the design height is the least height.
    f->SetHeight(f->designHeight - 40);
    EXPECT_EQ(f->Height(), f->designHeight);
    f->SetWidth(f->designWidth + 40);
    EXPECT_EQ(f->Width(), f->designWidth);

    const int a = f->Width() / 15;
    const int list = f->VarList.Width(), panel = f->Panel2.Left(), plot = f->PlotBtn.Left();
    const int c0 = f->SelectedGrid.ColWidths(0), c2 = f->SelectedGrid.ColWidths(2);
    f->WidthsBtn.Click();
    EXPECT_EQ(f->VarList.Width(), list + a);
    EXPECT_EQ(f->Panel2.Left(), panel + a);
    EXPECT_EQ(f->PlotBtn.Left(), plot - a);
    EXPECT_EQ(f->SelectedGrid.ColWidths(0), c0 + a);
    EXPECT_EQ(f->SelectedGrid.ColWidths(2), c2 - a);
    EXPECT_EQ(f->WidthsBtn.Hint(), "Enlarge space for Factors and Offsets");
    // The buttons now over the grid's free part are seen, not hidden under the grid.
    f->Show();
    QApplication::processEvents();
    const QImage picture = WidgetOf(f->Panel2).grab().toImage();
    for (const TButton* b : {&f->PlotBtn, &f->DFTBtn}) {
        ASSERT_LT(b->Left(), f->SelectedGrid.Left() + f->SelectedGrid.Width());
        int white = 0;
        for (int x = b->Left() + 2; x < b->Left() + b->Width() - 2; ++x)
            for (int y = b->Top() + 2; y < b->Top() + b->Height() - 2; ++y)
                white += picture.pixelColor(x, y) == QColor(Qt::white);
        EXPECT_LT(white, (b->Width() - 4) * (b->Height() - 4) / 3) << b->Caption();
    }
    f->WidthsBtn.Click();
    EXPECT_EQ(f->VarList.Width(), list);
    EXPECT_EQ(f->PlotBtn.Left(), plot);
    EXPECT_EQ(f->WidthsBtn.Hint(), "Enlarge space for variable names");
}

} // namespace
