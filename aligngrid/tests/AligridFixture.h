#pragma once
// A shown form with one alignment grid (5 x 5, one fixed row and column,
// editing on) and a second grid to take the focus; events are logged as
// "before 1,2", "after 1,2", "cancel 1,2".

#include "Aligrid.h"
#include "Application.h"
#include "Control_p.h"
#include "Form.h"
#include "InplaceEdit.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct AligridFixture : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
    TForm form;
    TStringAlignGrid grid{&form};
    TStringAlignGrid other{&form};
    std::vector<std::string> log;

    void SetUp() override {
        form.SetClientSize(420, 400);
        grid.SetBounds(0, 0, 400, 180);
        other.SetBounds(0, 200, 400, 180);
        grid.SetOptions(grid.Options() | goEditing);
        other.SetOptions(other.Options() | goEditing);
        Watch(grid, "");
        Watch(other, "other ");
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
        grid.SetFocus();
        QApplication::processEvents();
        log.clear();
    }

    void Watch(TStringAlignGrid& g, const std::string& prefix) {
        auto logger = [this, prefix](const char* what) {
            return [this, prefix, what](TObject*, int c, int r) {
                log.push_back(prefix + what + " " + std::to_string(c) + "," + std::to_string(r));
            };
        };
        g.OnBeforeEdit = logger("before");
        g.OnAfterEdit = logger("after");
        g.OnCancelEdit = logger("cancel");
    }

    static bool EditorShown(TStringAlignGrid& g) {
        return g.InplaceEditor() && g.InplaceEditor()->Visible();
    }
    // Where keys go: the open editor, else the grid.
    static QWidget* KeyTarget(TStringAlignGrid& g) {
        return EditorShown(g) ? InnerOf(*g.InplaceEditor()) : InnerOf(g);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(KeyTarget(grid), key, mods);
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p) {
            QTest::keyClick(KeyTarget(grid), *p);
            QApplication::processEvents(); // the first character reaches the editor posted
        }
    }
    static void Flush() { QApplication::processEvents(); }
    bool GridHasFocus(TStringAlignGrid& g) {
        QWidget* f = QApplication::focusWidget();
        for (QWidget* w = f; w; w = w->parentWidget())
            if (w == &WidgetOf(g)) return true;
        return false;
    }
};
