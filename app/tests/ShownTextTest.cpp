// Names with letters beyond ASCII as the user meets them: file names shown as the system
// decodes them, names read from files shown as UTF-8 or else Windows-1252, and the bytes
// kept as they were through load, list, plot, save and the saved state. The hints of
// the two grids are what the user sees when the mouse rests on a cell.
#include "AppTestKit.h"
#include "Control_p.h"
#include "DataSelFF.h"
#include "RegistryNames.h"
#include "ScratchFiles.h"
#include "SimOut.h"
#include "services/FileNames.h"
#include "services/Registry.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>

#include <algorithm>
#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

class ShownText : public ::testing::Test {
protected:
    ShownText() {
        f.Show();
        QApplication::processEvents();
    }
    ~ShownText() override { SetCurrentDir(cwd_); }

    std::string cwd_ = GetCurrentDir();
    testsupport::ScratchDir data;
    CurvixUnderTest program;
    AppTestKit kit;
    TDataSelForm& f = *program.w.DataSel;

    // "données" and "démarrage" in UTF-8, as this system names files.
    std::string Folder() {
        const std::string dir = data.file("donn\xC3\xA9"
                                          "es");
        std::filesystem::create_directory(dir);
        return dir;
    }
    static std::string Adf(const std::string& path, const std::string& names) {
        testsupport::writeFile(path, "// run\n" + names + "\n0 1 10\n1 2 20\n2 3 30\n");
        return path;
    }
    void Load(const std::string& path) {
        kit.fileScript.push_back(Strings{path});
        f.LoadBtnClick(&f.LoadBtn);
    }
    // The texts the variable list shows.
    QStringList ListShows() {
        QStringList out;
        auto* list = dynamic_cast<QListWidget*>(InnerOf(f.VarList));
        for (int i = 0; list && i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    // The hint that shows when the mouse rests on a cell.
    static QString HintOf(TStringAlignGrid& grid, int col, int row) {
        QToolTip::hideText();
        auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(grid));
        const TRect r = grid.CellRect(col, row);
        if (!area || r.IsEmpty()) return "(no cell)";
        const QPoint at((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        QHelpEvent e(QEvent::ToolTip, at, area->viewport()->mapToGlobal(at));
        QApplication::sendEvent(area->viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(ShownText, NonAsciiFolderThroughLoadListPlotSaveAndSavedState) {
    const std::string dir = Folder();
    const std::string path = Adf(dir + "/d\xC3\xA9marrage.adf", "t v:\xC3\xA9t\xC3\xA9 c:\xC3\xBC");
    Load(path);
    ASSERT_TRUE(kit.messages.empty()) << kit.MessageLines().front();

    // Shown decoded; kept as bytes.
    EXPECT_EQ(f.FileStringGrid.Cells(2, 1), "d\xC3\xA9marrage.adf");
    EXPECT_EQ(HintOf(f.FileStringGrid, 2, 1), QString::fromUtf8(path.c_str()));
    EXPECT_EQ(HintOf(f.SelectedGrid, 1, 0), "X Variable");
    EXPECT_EQ(ListShows(),
              (QStringList{"t", QString::fromUtf8("v:été"), QString::fromUtf8("c:ü")}));

    for (int item : {1, 2}) {
        const int h = std::max(1, f.VarList.ItemHeight());
        const int y = (item - f.VarList.TopIndex()) * h + h / 2;
        f.VarListMouseDown(&f.VarList, mbLeft, 0, 4, y);
        f.VarListMouseUp(&f.VarList, mbLeft, 0, 4, y);
    }
    ASSERT_EQ(f.selection.RowCount(), 3);
    EXPECT_EQ(f.SelectedGrid.Cells(0, 2), "v:\xC3\xA9t\xC3\xA9");
    f.PlotBtnClick(&f.PlotBtn);
    ASSERT_TRUE(f.lastPlotOk) << kit.MessageLines().front();
    EXPECT_EQ(f.PreparedPlot->legendNames[0], "d\xC3\xA9marrage.adf");
    EXPECT_EQ(f.PreparedPlot->varNames[0], "v:\xC3\xA9t\xC3\xA9");

    const std::string saved = dir + "/s\xC3\xA9lection.adf";
    kit.fileScript.push_back(Strings{saved});
    f.SaveVarBtnClick(&f.SaveVarBtn);
    ASSERT_EQ(kit.MessageLines(),
              Strings{"QJ's Curvix: Selected variables successfully saved into file " + saved});
    SimOut back;
    ASSERT_EQ(back.LoadFromAdfFile(saved), "");
    EXPECT_EQ(back.names, (Strings{"t", "v:\xC3\xA9t\xC3\xA9", "c:\xC3\xBC"}));

    kit.messages.clear();
    f.SSSpeedBtnClick(&f.SSSpeedBtn);
    ASSERT_EQ(kit.MessageLines(), Strings{"Info: State Saved"});
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(std::string(kProgramKey) + "\\SavedState", false));
        char record[260] = {};
        reg.ReadBinaryData("File N. 1", record, 260);
        EXPECT_EQ(std::string(record), path);
    }
    f.ResetBtnClick(&f.ResetBtn);
    kit.messages.clear();
    f.LSSpeedBtnClick(&f.LSSpeedBtn);
    EXPECT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
    EXPECT_EQ(f.fileSlots.Name(0), path);
    EXPECT_EQ(f.SelectedGrid.Cells(0, 2), "v:\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(f.SelectedGrid.Cells(0, 3), "c:\xC3\xBC");
    EXPECT_TRUE(f.lastPlotOk);
    EXPECT_EQ(HintOf(f.FileStringGrid, 2, 1), QString::fromUtf8(path.c_str()));
}

TEST_F(ShownText, NamesWrittenInUtf8OrWindows1252BothShowRight) {
    const std::string dir = Folder();
    const std::pair<const char*, const char*> files[] = {
        {"/utf8.adf", "t v:\xC3\xA9t\xC3\xA9 c:\xC3\xBC"},
        {"/ansi.adf", "t v:\xE9t\xE9 c:\xFC"},
    };
    for (const auto& [name, names] : files) {
        SCOPED_TRACE(name);
        Load(Adf(dir + name, names));
        ASSERT_TRUE(kit.messages.empty()) << kit.MessageLines().front();
        EXPECT_EQ(ListShows(),
                  (QStringList{"t", QString::fromUtf8("v:été"), QString::fromUtf8("c:ü")}));
        // The list gives back the bytes of the file, not the text it shows.
        const std::string first = std::string(names).substr(2, std::string(names).find(' ', 2) - 2);
        EXPECT_EQ(f.VarList.Items()[1], first);
    }
}

} // namespace
