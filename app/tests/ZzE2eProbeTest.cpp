// Temporary probe (e2e); removed before the report.
#include "AppTestKit.h"
#include "DataSelFF.h"
#include <gtest/gtest.h>
#include <QApplication>
#include <cstdio>
#include <QTest>
#include <QListWidget>
#include "Control_p.h"
#include <QAbstractScrollArea>
#include <QScrollBar>

TEST(ZzE2eProbe, Geometry) {
    AppTestKit kit;
    const std::string ex = "/work/main/examples/";
    CurvixUnderTest t({ex + "rl_energisation.pl4", ex + "motor_start.adf", ex + "line_fault.cfg",
                       ex + "load_harmonics.mat"});
    auto& m = *t.w.DataSel;
    m.Show();
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    std::printf("scale %d/%d sf %f\n", t.globals.scaleMul, t.globals.scaleDiv, t.globals.scaleFactor);
    for (TStringAlignGrid* g : {&m.FileStringGrid, &m.SelectedGrid}) {
        std::printf("grid %d,%d %dx%d client %dx%d rows %d cols %d visrows %d viscols %d\n", g->Left(), g->Top(),
                    g->Width(), g->Height(), g->ClientWidth(), g->ClientHeight(), g->RowCount(), g->ColCount(),
                    g->VisibleRowCount(), g->VisibleColCount());
        for (int c = 0; c < g->ColCount(); ++c) std::printf(" c%d=%d", c, g->ColWidths(c));
        std::printf("\n");
        for (int r = 0; r < g->RowCount(); ++r) std::printf(" r%d=%d", r, g->RowHeights(r));
        std::printf("\n");
        auto* a = dynamic_cast<QAbstractScrollArea*>(InnerOf(*g));
        std::printf("area %dx%d vp %dx%d v %d [%d,%d] h %d [%d,%d]\n", a->width(), a->height(), a->viewport()->width(), a->viewport()->height(),
          a->verticalScrollBar()->isVisible(), a->verticalScrollBar()->minimum(), a->verticalScrollBar()->maximum(),
          a->horizontalScrollBar()->isVisible(), a->horizontalScrollBar()->minimum(), a->horizontalScrollBar()->maximum());
    }
    {
        auto* list = dynamic_cast<QListWidget*>(InnerOf(m.VarList));
        m.SelectFileRow(1);
        QApplication::processEvents();
        QRect r = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QApplication::processEvents();
        std::printf("after click: current %d selected %d rows %d\n", list->currentRow(), (int)list->selectedItems().size(), m.selectionRows);
    }
    std::printf("panel %d,%d %dx%d form %dx%d client %dx%d\n", m.Panel2.Left(), m.Panel2.Top(), m.Panel2.Width(), m.Panel2.Height(), m.Width(), m.Height(), m.ClientWidth(), m.ClientHeight());
}
