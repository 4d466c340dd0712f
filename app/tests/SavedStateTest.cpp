// The saved working state through the main window's SS and LS buttons: the bytes in the
// registry, a restore after a restart of the program, and the refusals that leave the
// loaded files and the selection as they were.
#include "AppTestKit.h"
#include "DataSelFF.h"
#include "HexBytes.h"
#include "RegistryNames.h"
#include "ScratchFiles.h"
#include "services/FileNames.h"
#include "services/Registry.h"
#include "services/RegistryFile.h"
#include "services/ServicePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <utime.h>

namespace {

const std::string kStateKey = std::string(kProgramKey) + "\\SavedState";
constexpr TColor kRightAxis = 0xB5F0F0;

// 2021-06-15 10:20:30 local time, packed by hand: (41 << 25) | (6 << 21) | (15 << 16) |
// (10 << 11) | (20 << 5) | 15.
constexpr std::uint32_t kKnownStamp = 0x52CF528Fu;

void SetMtime(const std::string& path, int year, int mon, int day, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = mon - 1;
    t.tm_mday = day;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    t.tm_isdst = -1;
    const utimbuf times{std::mktime(&t), std::mktime(&t)};
    ASSERT_EQ(::utime(path.c_str(), &times), 0) << path;
}

// What a user sees of the files and the selection, to compare before and after.
struct SWindowPicture {
    std::vector<std::string> cells;
    int loadedFiles = 0, selectionRows = 0, xRow = 0, currentSlot = 0;
    std::uint8_t freeSlots = 0;
    bool operator==(const SWindowPicture&) const = default;
};

SWindowPicture Picture(TDataSelForm& f) {
    SWindowPicture p;
    for (int r = 0; r < f.FileStringGrid.RowCount(); ++r)
        for (int c = 0; c < f.FileStringGrid.ColCount(); ++c)
            p.cells.push_back(f.FileStringGrid.Cells(c, r));
    for (int r = 0; r < f.SelectedGrid.RowCount(); ++r) {
        for (int c = 0; c < 4; ++c)
            p.cells.push_back(f.SelectedGrid.Cells(c, r));
        p.cells.push_back(std::to_string(f.SelectedGrid.GetColorCell(1, r)));
    }
    for (int k = 0; k < kMaxFiles; ++k)
        p.cells.push_back(f.fileSlots.Name(k));
    p.freeSlots = FreeMask(f.fileSlots);
    p.loadedFiles = f.fileSlots.LoadedCount();
    p.selectionRows = f.selection.RowCount();
    p.xRow = f.selection.XRow();
    p.currentSlot = f.fileSlots.Current();
    return p;
}

class SavedState : public ::testing::Test {
protected:
    ~SavedState() override { SetCurrentDir(cwd_); }

    // An ADF file with the abscissa "t" and the given variables, 5 points.
    std::string Adf(const std::string& name, const std::string& vars) {
        std::string text = "// " + name + "\nt " + vars + "\n";
        const int columns = 1 + static_cast<int>(std::count(vars.begin(), vars.end(), ' ')) + 1;
        for (int p = 0; p < 5; ++p) {
            for (int c = 0; c < columns; ++c)
                text += std::to_string(p * (c + 1)) + " ";
            text += "\n";
        }
        const std::string path = data_.file(name);
        testsupport::writeFile(path, text);
        return path;
    }

    // The main window on screen, as the user has it: its grids then have their real extent.
    static TDataSelForm& Shown(CurvixUnderTest& program) {
        program.w.DataSel->Show();
        return *program.w.DataSel;
    }
    static void Load(TDataSelForm& f, AppTestKit& kit, const std::string& path) {
        kit.fileScript.push_back(std::vector<std::string>{path});
        f.LoadBtnClick(&f.LoadBtn);
    }
    static void MultiFile(TDataSelForm& f, bool on) {
        f.MultiFileBtn.SetDown(on);
        f.MultiFileBtnClick(&f.MultiFileBtn);
    }
    // A click on a variable of the list, as the user gives it.
    static void Pick(TDataSelForm& f, int listIndex, bool right) {
        const int h = std::max(1, f.VarList.ItemHeight());
        const int y = (listIndex - f.VarList.TopIndex()) * h + h / 2;
        const TMouseButton b = right ? mbRight : mbLeft;
        f.VarListMouseDown(&f.VarList, b, 0, 4, y);
        f.VarListMouseUp(&f.VarList, b, 0, 4, y);
    }
    // A point inside a cell: its rectangle, or the grid's row and column sizes while the
    // window has not been laid out.
    static TPoint CellPoint(const TCustomGrid& g, int col, int row) {
        const TRect r = g.CellRect(col, row);
        if (!r.IsEmpty()) return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        int x = 0, y = 0;
        for (int c = 0; c < col; ++c)
            x += g.ColWidths(c) + g.GridLineWidth();
        for (int k = 0; k < row; ++k)
            y += g.RowHeights(k) + g.GridLineWidth();
        return {x + g.ColWidths(col) / 2, y + g.RowHeights(row) / 2};
    }
    static void ClickFileRow(TDataSelForm& f, int row) {
        const TPoint p = CellPoint(f.FileStringGrid, 2, row);
        f.FileStringGridMouseUp(&f.FileStringGrid, mbLeft, 0, p.x, p.y);
    }
    static void UnloadFileRow(TDataSelForm& f, int row) {
        const TPoint p = CellPoint(f.FileStringGrid, 2, row);
        f.FileStringGridMouseUp(&f.FileStringGrid, mbLeft, 0, p.x, p.y);
        f.FileStringGridDblClick(&f.FileStringGrid);
        f.FileStringGridMouseUp(&f.FileStringGrid, mbLeft, 0, p.x, p.y);
    }
    static void ClickSelected(TDataSelForm& f, int col, int row) {
        const TPoint p = CellPoint(f.SelectedGrid, col, row);
        f.SelectedGridMouseUp(&f.SelectedGrid, mbLeft, 0, p.x, p.y);
    }
    static std::vector<std::string> Row(TDataSelForm& f, int row) {
        return {f.SelectedGrid.Cells(0, row), f.SelectedGrid.Cells(1, row),
                f.SelectedGrid.Cells(2, row), f.SelectedGrid.Cells(3, row)};
    }

    testsupport::ScratchDir data_;
    std::string cwd_ = GetCurrentDir();
};

using Strings = std::vector<std::string>;

TEST_F(SavedState, MultiFileSaveWritesTheExactValues) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    const std::string a = Adf("a.adf", "v:a c:b"), b = Adf("b.adf", "v:x");
    SetMtime(a, 2021, 6, 15, 10, 20, 30);
    SetMtime(b, 2021, 6, 15, 10, 20, 31); // the same two-second step
    MultiFile(f, true);
    Load(f, kit, a);
    Load(f, kit, b);
    ClickFileRow(f, 1);
    Pick(f, 1, false); // c:b of a.adf
    ClickFileRow(f, 2);
    Pick(f, 0, true); // v:x of b.adf, right axis
    ASSERT_EQ(f.selection.RowCount(), 3);
    kit.messages.clear();

    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    EXPECT_EQ(kit.MessageLines(), Strings{"Info: State Saved"});
    EXPECT_EQ(kit.messages.back().flags, MB_OK | MB_ICONINFORMATION);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kStateKey, false));
    EXPECT_EQ(reg.ReadInteger("Number Of Files"), 2);
    std::uint8_t record[260];
    for (const auto& [k, path] : {std::pair{1, a}, std::pair{2, b}}) {
        reg.ReadBinaryData("File N. " + std::to_string(k), record, 260);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(record)), path);
        for (std::size_t i = path.size(); i < 256; ++i)
            ASSERT_EQ(record[i], 0) << i;
        EXPECT_EQ(Hex(record + 256, 4), "8F 52 CF 52");
    }
    std::uint8_t sel[200];
    reg.ReadBinaryData("SelVarData", sel, 200);
    // The common x row, c:b (variable 2 of file 1), v:x (variable 1 of file 2) marked,
    // then the end of the list.
    EXPECT_EQ(Hex(sel, 20), "00 00 00 00 00 00 00 00 00 00 00 00 FF FF FF FF 00 00 00 00");
    EXPECT_EQ(Hex(sel + 20, 16), "00 00 00 00 00 00 00 00 02 00 00 00 FF FF FF FF");
    EXPECT_EQ(Hex(sel + 40, 16), "01 00 00 00 01 00 00 00 01 00 00 00 FF FF FF FF");
    EXPECT_EQ(Hex(sel + 64, 4), "FF FF FF FF");
    std::uint8_t unit = 0x55;
    reg.ReadBinaryData("TimeUnit", &unit, 1);
    EXPECT_EQ(unit, 0);
    EXPECT_EQ(reg.ReadInteger("XVarRow"), 1);
}

TEST_F(SavedState, RestartRestoresFilesRowsMarksAndTimeUnitAndPlots) {
    testsupport::ScratchDir home;
    const auto registry = home.path() / "reg";
    const std::string a = Adf("a.adf", "v:a c:b");
    std::vector<std::string> before;
    {
        AppTestKit kit;
        CurvixUnderTest first({}, registry);
        TDataSelForm& f = Shown(first);
        ASSERT_FALSE(first.globals.multiFileMode);
        Load(f, kit, a);
        Pick(f, 1, true); // v:a, right axis: "r"
        Pick(f, 2, false);
        f.shtimefactor1Click(f.shtimefactor1);
        for (int r = 1; r <= 3; ++r)
            for (const auto& c : Row(f, r))
                before.push_back(c);
        ASSERT_EQ(before,
                  (Strings{"t", "x", "s->h", "0", "v:a", "r", "1", "0", "c:b", "", "1", "0"}));
        f.SSSpeedBtnClick(&f.SSSpeedBtn);
        ASSERT_EQ(kit.MessageLines().back(), "Info: State Saved");
    }
    AppTestKit kit;
    CurvixUnderTest second({}, registry);
    TDataSelForm& f = Shown(second);
    ASSERT_EQ(f.fileSlots.LoadedCount(), 0);
    SetCurrentDir("/");
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    EXPECT_EQ(f.fileSlots.LoadedCount(), 1);
    EXPECT_EQ(f.fileSlots.Name(0), a);
    EXPECT_EQ(f.FileStringGrid.Cells(2, 1), "a.adf");
    EXPECT_EQ(GetCurrentDir(), ExtractFileDir(a));
    std::vector<std::string> after;
    for (int r = 1; r <= 3; ++r)
        for (const auto& c : Row(f, r))
            after.push_back(c);
    EXPECT_EQ(after, before);
    EXPECT_EQ(f.selection.RowCount(), 3);
    EXPECT_EQ(f.SelectedGrid.GetColorCell(1, 2), kRightAxis);
    EXPECT_NE(f.SelectedGrid.GetColorCell(1, 3), kRightAxis);
    EXPECT_EQ(f.selection.TimeUnit(), 'h');
    EXPECT_TRUE(f.lastPlotOk);
    ASSERT_TRUE(f.PreparedPlot);
    EXPECT_EQ(f.PreparedPlot->totalCurves, 2);
}

TEST_F(SavedState, SingleFileXVariableRowComesBack) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    Load(f, kit, Adf("a.adf", "v:a c:b"));
    Pick(f, 1, false);
    Pick(f, 2, false);
    ClickSelected(f, 1, 3); // c:b becomes x: an XY plot
    ASSERT_EQ(f.selection.XRow(), 3);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    f.ResetBtnClick(&f.ResetBtn);
    ASSERT_EQ(f.selection.XRow(), 1);
    kit.messages.clear();

    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f.selection.XRow(), 3);
    EXPECT_EQ(Row(f, 3)[0], "c:b");
    EXPECT_EQ(Row(f, 3)[1], "x");
    EXPECT_FALSE(f.selection.XIsFirstVariable());

    // Without the file's first variable the selection comes back as it was, with no "t".
    ClickSelected(f, 0, 1);
    ASSERT_EQ(f.selection.RowCount(), 2);
    const std::vector<std::string> saved = Row(f, 1), savedX = Row(f, 2);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    f.ResetBtnClick(&f.ResetBtn);
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f.selection.RowCount(), 2);
    EXPECT_EQ(Row(f, 1), saved);
    EXPECT_EQ(Row(f, 2), savedX);
    EXPECT_EQ(Row(f, 3)[0], "");
    ASSERT_TRUE(f.PreparedPlot);
    EXPECT_EQ(f.PreparedPlot->totalCurves, 1);
}

TEST_F(SavedState, ARecordBeyondItsFileLeavesTheWindowAsItWas) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    const std::string a = Adf("a.adf", "v:a c:b");
    Load(f, kit, a);
    Pick(f, 2, false); // c:b, the file's variable 2
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    // a.adf loses c:b under its old stamp.
    struct stat st {};
    ASSERT_EQ(::stat(a.c_str(), &st), 0);
    Adf("a.adf", "v:a");
    const utimbuf times{st.st_mtime, st.st_mtime};
    ASSERT_EQ(::utime(a.c_str(), &times), 0);
    Load(f, kit, Adf("b.adf", "v:x"));
    Pick(f, 1, true);
    const SWindowPicture before = Picture(f);
    kit.messages.clear();

    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_EQ(kit.MessageLines(), Strings{"Severe Error: Error reading registry"});
    EXPECT_EQ(Picture(f), before);
    EXPECT_EQ(f.fileSlots.Name(0), data_.file("b.adf"));
}

TEST_F(SavedState, SlotGapsLeftByUnloadsRestoreTheRightFiles) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    MultiFile(f, true);
    const std::string a = Adf("a.adf", "v:a"), b = Adf("b.adf", "v:b"),
                      c = Adf("c.adf", "v:c1 v:c2");
    Load(f, kit, a);
    Load(f, kit, b);
    Load(f, kit, c);
    UnloadFileRow(f, 2); // b.adf: slot 1 is free, c.adf stays in slot 2
    ASSERT_EQ(f.fileSlots.LoadedCount(), 2);
    ClickFileRow(f, 2);
    ASSERT_EQ(f.fileSlots.Current(), 2);
    Pick(f, 1, false); // v:c2
    ClickFileRow(f, 1);
    Pick(f, 0, false); // v:a
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    kit.messages.clear();

    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f.fileSlots.Name(0), a);
    EXPECT_EQ(f.fileSlots.Name(1), c);
    EXPECT_EQ(FreeMask(f.fileSlots), 0xFC);
    EXPECT_EQ(Row(f, 2)[0], "v:c2");
    EXPECT_EQ(Row(f, 2)[1], "2");
    EXPECT_EQ(Row(f, 3)[0], "v:a");
    EXPECT_EQ(Row(f, 3)[1], "1");
    EXPECT_EQ(f.selection.RowCount(), 3);

    // From the single-file layout with a hidden file, and c.adf damaged under its old
    // stamp: the loader says why, a.adf comes back with its own row only.
    MultiFile(f, false);
    struct stat st {};
    ASSERT_EQ(::stat(c.c_str(), &st), 0);
    testsupport::writeFile(c, "// c\n");
    const utimbuf times{st.st_mtime, st.st_mtime};
    ASSERT_EQ(::utime(c.c_str(), &times), 0);
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].text.rfind("Unable to read file \"" + c + "\"\nReason: ", 0), 0u);
    EXPECT_TRUE(f.MultiFileBtn.Down());
    EXPECT_EQ(f.fileSlots.LoadedCount(), 1);
    EXPECT_EQ(FreeMask(f.fileSlots), 0xFE);
    EXPECT_EQ(f.selection.RowCount(), 2);
    EXPECT_EQ(Row(f, 2)[0], "v:a");
    EXPECT_EQ(Row(f, 2)[1], "1");
}

// The common-x row belongs to no file: with the first slot unloaded its record must not
// read back as the end of the list (which lost every curve, then the x row itself).
TEST_F(SavedState, AStateSavedWithTheFirstSlotUnloadedComesBack) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    MultiFile(f, true);
    const std::string a = Adf("a.adf", "v:a"), b = Adf("b.adf", "v:b1 v:b2");
    Load(f, kit, a);
    Load(f, kit, b);
    UnloadFileRow(f, 1); // a.adf: slot 0 is free
    ASSERT_EQ(f.fileSlots.LoadedCount(), 1);
    ClickFileRow(f, 1);
    Pick(f, 1, false); // v:b2
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    kit.messages.clear();

    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f.fileSlots.Name(0), b);
    ASSERT_EQ(f.selection.RowCount(), 2);
    EXPECT_EQ(Row(f, 2)[0], "v:b2");
}

TEST_F(SavedState, ChangedOrMissingFileRefusesBeforeAnythingIsUnloaded) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    MultiFile(f, true);
    const std::string a = Adf("a.adf", "v:a"), b = Adf("b.adf", "v:b");
    SetMtime(b, 2021, 6, 15, 10, 20, 30);
    Load(f, kit, a);
    Load(f, kit, b);
    Pick(f, 0, true);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    // Work goes on after the save; a refused restore must keep it.
    UnloadFileRow(f, 1);
    Load(f, kit, Adf("other.adf", "v:o"));
    Pick(f, 0, false);
    const SWindowPicture before = Picture(f);

    SetMtime(b, 2021, 6, 15, 11, 20, 30);
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    ASSERT_EQ(kit.messages.size(), 1u);
    EXPECT_EQ(kit.messages[0].title, "State not restored");
    EXPECT_EQ(kit.messages[0].text, "Error: file \"" + b +
                                        "\"\nhas time and date stamps that do not correspond to "
                                        "those stored when saving state\n");
    EXPECT_EQ(kit.messages[0].flags, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Picture(f), before);

    std::remove(b.c_str());
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_EQ(kit.MessageLines(),
              Strings{"State not restored: Error accessing file \n\"" + b + "\""});
    EXPECT_EQ(kit.messages[0].flags, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Picture(f), before);
}

TEST_F(SavedState, DamagedValuesAreRefusedBeforeAnythingIsUnloaded) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    const std::string a = Adf("a.adf", "v:a c:b");
    Load(f, kit, a);
    Pick(f, 1, false);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    const SWindowPicture before = Picture(f);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kStateKey, false));
    std::uint8_t file1[260], sel[200];
    reg.ReadBinaryData("File N. 1", file1, 260);
    reg.ReadBinaryData("SelVarData", sel, 200);
    const std::string readError = "Severe Error: Error reading registry";
    struct Case {
        const char* what;
        std::function<void(TRegistry&)> damage;
        std::string message;
    };
    const Case cases[] = {
        {"no files", [](TRegistry& r) { r.WriteInteger("Number Of Files", 0); }, readError},
        {"nine files", [](TRegistry& r) { r.WriteInteger("Number Of Files", 9); }, readError},
        {"count as binary",
         [](TRegistry& r) {
             const std::uint8_t one[4] = {1, 0, 0, 0};
             r.WriteBinaryData("Number Of Files", one, 4);
         },
         "Severe Error: Error: unable read NumOfSelFiles in Registry"},
        {"short file record", [&](TRegistry& r) { r.WriteBinaryData("File N. 1", file1, 259); },
         readError},
        {"short selection", [&](TRegistry& r) { r.WriteBinaryData("SelVarData", sel, 199); },
         readError},
        {"slot beyond the files",
         [&](TRegistry& r) {
             std::uint8_t bad[200];
             std::copy(sel, sel + 200, bad);
             bad[24] = 1; // record 1's slot
             r.WriteBinaryData("SelVarData", bad, 200);
         },
         readError},
        {"XVarRow past the rows", [](TRegistry& r) { r.WriteInteger("XVarRow", 7); }, readError},
        {"XVarRow missing", [](TRegistry& r) { r.DeleteValue("XVarRow"); }, readError},
        {"two-byte time unit",
         [](TRegistry& r) {
             const std::uint8_t two[2] = {'h', 0};
             r.WriteBinaryData("TimeUnit", two, 2);
         },
         readError},
    };
    for (const Case& c : cases) {
        f.SSSpeedBtnClick(&f.SSSpeedBtn); // a whole state again
        TRegistry r;
        ASSERT_TRUE(r.OpenKey(kStateKey, false));
        c.damage(r);
        kit.messages.clear();
        f.LSSpeedBtnClick(&f.LSSpeedBtn);
        EXPECT_EQ(kit.MessageLines(), Strings{c.message}) << c.what;
        EXPECT_EQ(Picture(f), before) << c.what;
    }
}

// Each write of the store during one save fails in turn, as a full disk would: the store
// then holds the state saved before or the new one, each whole, never a mix of the two.
TEST_F(SavedState, ASaveFailingAtAnyWriteLeavesTheOldStateOrTheNewWhole) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    const std::string store = CRegistryFile(RegistryDirectory()).StorePath().string();
    Load(f, kit, Adf("a.adf", "v:a c:b"));
    Pick(f, 2, false);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    const std::string oldState = testsupport::readFile(store);
    MultiFile(f, true);
    Load(f, kit, Adf("b.adf", "v:x"));
    Pick(f, 0, true);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    const std::string newState = testsupport::readFile(store);
    ASSERT_NE(newState, oldState);

    int writes = 0, failing = 0, failed = 0;
    struct SProbe {
        std::function<void()> old;
        ~SProbe() { SetRegistryCommitProbe(old); }
    } probe{SetRegistryCommitProbe([&] {
        if (++writes == failing) throw ERegistryException("No space left on device");
    })};
    for (failing = 1; failing <= 8; ++failing) {
        testsupport::writeFile(store, oldState);
        writes = 0;
        kit.messages.clear();
        f.SSSpeedBtnClick(&f.SSSpeedBtn);
        const std::string stored = testsupport::readFile(store);
        if (failing > writes) {
            EXPECT_TRUE(stored == newState) << "no write failed";
            EXPECT_EQ(kit.MessageLines(), Strings{"Info: State Saved"});
            continue;
        }
        ++failed;
        EXPECT_TRUE(stored == oldState)
            << "write " << failing << " of " << writes << " failed; the store holds "
            << (stored == newState ? "the new state" : "a mix");
        EXPECT_EQ(kit.MessageLines(), Strings{"Severe Error: Error writing registry"});
    }
    EXPECT_GT(failed, 0);

    // A damaged store met by the save says so, and the state goes into a fresh store.
    testsupport::writeFile(store, "curvix-registry 1\n[Software]\n"); // cut short
    kit.messages.clear();
    SetRegistryCommitProbe(nullptr);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    const Strings damagedThenSaved{
        "Error in Registry: Error reading data in Registry\n(This may be caused by the first "
        "use of this release of the program).\nThe Curvix keys are cancelled and defaults "
        "restored.",
        "Info: State Saved"};
    EXPECT_EQ(kit.MessageLines(), damagedThenSaved);
    TRegistry saved;
    ASSERT_TRUE(saved.OpenKey(std::string(kProgramKey) + "\\" + kSavedStateKey, false));
    EXPECT_EQ(saved.ReadInteger(kNumberOfFilesValue), 2);
}

TEST_F(SavedState, NoStateToRestoreAndSavesThatWriteNothing) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_EQ(kit.MessageLines(),
              Strings{"Error: Error: unable to open saved state on registry\nPossible reason: no "
                      "state previously saved"});
    EXPECT_EQ(kit.messages[0].flags, MB_OK | MB_ICONINFORMATION);

    // No file loaded, then a file whose full name takes 256 bytes or more.
    const std::filesystem::path deep = data_.path() / std::string(200, 'd');
    std::filesystem::create_directory(deep);
    const std::string path = (deep / (std::string(60, 'f') + ".adf")).string();
    testsupport::writeFile(path, "// x\nt v:a\n0 1\n1 2\n");
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1) Load(f, kit, path);
        ASSERT_EQ(f.fileSlots.LoadedCount(), attempt);
        kit.messages.clear();
        f.SSSpeedBtnClick(&f.SSSpeedBtn);
        ASSERT_EQ(kit.messages.size(), 1u);
        EXPECT_EQ(kit.messages[0].title, "Invalid Operation");
        EXPECT_FALSE(TRegistry().KeyExists(kStateKey));
    }
}

TEST_F(SavedState, OneRowRestoresWithoutPlotting) {
    AppTestKit kit;
    CurvixUnderTest program;
    TDataSelForm& f = Shown(program);
    Load(f, kit, Adf("a.adf", "v:a"));
    ASSERT_EQ(f.selection.RowCount(), 1);
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty());
    EXPECT_EQ(f.fileSlots.LoadedCount(), 1);
    EXPECT_EQ(f.selection.RowCount(), 1);
    EXPECT_FALSE(f.lastPlotOk);
    EXPECT_FALSE(f.PreparedPlot);
}

} // namespace
