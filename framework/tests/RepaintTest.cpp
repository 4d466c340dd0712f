// Invalidate repaints what a control shows: for a grid and a list that is the area
// their Qt controls draw in, not only the control's outer widget.
#include "Control_p.h"
#include "Form.h"
#include "ListBox.h"
#include "StringGrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPaintEvent>

#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST(Repaint, InvalidateRepaintsTheAreaAControlDrawsIn) {
    TForm form;
    TStringGrid grid(&form);
    grid.SetBounds(0, 0, 200, 100);
    TListBox list(&form);
    list.SetBounds(0, 110, 200, 100);
    list.Items().Add("v:a");
    form.SetBounds(0, 0, 220, 230);
    form.Show();
    QApplication::processEvents();
    for (TControl* c : {static_cast<TControl*>(&grid), static_cast<TControl*>(&list)}) {
        auto* area = dynamic_cast<QAbstractScrollArea*>(InnerOf(*c));
        ASSERT_TRUE(area);
        PaintCounter counter;
        area->viewport()->installEventFilter(&counter);
        QApplication::processEvents();
        counter.paints = 0;
        c->Invalidate();
        QApplication::processEvents();
        EXPECT_GE(counter.paints, 1) << (c == &grid ? "grid" : "list");
        area->viewport()->removeEventFilter(&counter);
    }
}

} // namespace
