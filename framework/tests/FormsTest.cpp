// Forms, dialogs and the object model: modal results, default and cancel buttons, close
// handling, owners, closures, exceptions at the loop, hooks and the hourglass.
#include "Application.h"
#include "Button.h"
#include "Closure.h"
#include "Control_p.h"
#include "Dispatch.h"
#include "Edit.h"
#include "FileDialogs.h"
#include "Form.h"
#include "ListBox.h"
#include "MessageBox.h"
#include "Screen.h"
#include "SpeedButton.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
struct Forms : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
};

struct Dialog : TForm {
    TButton ok{this}, cancel{this};
    TEdit edit{this};
    int validations = 0;
    Dialog() {
        ok.SetModalResult(mrOk);
        ok.SetDefault(true);
        cancel.SetModalResult(mrCancel);
        cancel.SetCancel(true);
        ok.SetBounds(10, 40, 60, 24);
        cancel.SetBounds(80, 40, 60, 24);
        ok.OnClick = [this](TObject*) {
            ++validations;
            if (edit.Text().empty()) SetModalResult(mrNone); // stays open
        };
    }
};
} // namespace

TEST_F(Forms, ModalLoopEndsByButtonsAndValidationKeepsItOpen) {
    Dialog d;
    QTimer::singleShot(0, [&] {
        d.ok.Click(); // refused: empty edit
        QTimer::singleShot(0, [&] {
            d.edit.SetText("x");
            d.ok.Click();
        });
    });
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(d.validations, 2);
    EXPECT_FALSE(d.Visible());
    QTimer::singleShot(0, [&] { d.Close(); });
    EXPECT_EQ(d.ShowModal(), mrCancel);
}

TEST_F(Forms, EnterAndEscPressDefaultAndCancelButtons) {
    Dialog d;
    d.edit.SetText("x");
    QTimer::singleShot(0, [&] {
        d.edit.SetFocus();
        QTest::keyClick(InnerOf(d.edit), Qt::Key_Return);
    });
    EXPECT_EQ(d.ShowModal(), mrOk);
    QTimer::singleShot(0, [&] {
        d.edit.SetFocus();
        QTest::keyClick(InnerOf(d.edit), Qt::Key_Escape);
    });
    EXPECT_EQ(d.ShowModal(), mrCancel);
}

TEST_F(Forms, ModalHookScriptsTheResult) {
    Dialog d;
    int shows = 0;
    d.OnShow = [&](TObject*) { ++shows; };
    auto old = SetModalHook([](TCustomForm& f) {
        static_cast<Dialog&>(f).edit.SetText("scripted");
        return mrOk;
    });
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(d.edit.Text(), "scripted");
    SetModalHook([](TCustomForm& f) {
        static_cast<Dialog&>(f).cancel.Click();
        return mrOk; // the button's result wins
    });
    EXPECT_EQ(d.ShowModal(), mrCancel);
    SetModalHook(old);
    EXPECT_EQ(shows, 2);
}

TEST_F(Forms, CloseHidesOrIsRefusedAndTheMainFormEndsTheApplication) {
    auto old = SetQuitHook([] {});
    auto* main = app.CreateForm<TForm>();
    auto* other = app.CreateForm<TForm>();
    TCloseAction next = caNone;
    other->OnClose = [&](TObject*, TCloseAction& a) { a = next; };
    other->Show();
    other->Close();
    EXPECT_TRUE(other->Visible());
    next = caHide;
    other->Close();
    EXPECT_FALSE(other->Visible());
    EXPECT_FALSE(app.Terminated());
    main->Close();
    EXPECT_TRUE(app.Terminated());
    app.Run(); // returns at once
    SetQuitHook(old);
}

TEST_F(Forms, OwnerDestroysOwnedComponentsLastFirst) {
    std::vector<int> order;
    struct Probe : TComponent {
        std::vector<int>& o;
        int id;
        Probe(TComponent* owner, std::vector<int>& log, int n) : TComponent(owner), o(log), id(n) {}
        ~Probe() override { o.push_back(id); }
    };
    {
        TComponent owner;
        new Probe(&owner, order, 1);
        auto* two = new Probe(&owner, order, 2);
        new Probe(&owner, order, 3);
        delete two; // leaves its owner by itself
        EXPECT_EQ(owner.ComponentCount(), 2);
    }
    EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
}

TEST_F(Forms, ClosuresCompareByObjectAndMember) {
    struct H {
        int n = 0;
        void A(int v) { n += v; }
        void B(int v) { n -= v; }
    } h1, h2;
    using C = TClosure<void(int)>;
    C a1(&h1, &H::A), a1again(&h1, &H::A), b1(&h1, &H::B), a2(&h2, &H::A);
    EXPECT_TRUE(a1 == a1again);
    EXPECT_FALSE(a1 == b1);
    EXPECT_FALSE(a1 == a2);
    EXPECT_TRUE(C() == C(nullptr));
    a1(3);
    EXPECT_EQ(h1.n, 3);
    C lambda([](int) {});
    C copy = lambda;
    EXPECT_TRUE(copy == lambda);
    EXPECT_FALSE(lambda == C([](int) {}));
}

TEST_F(Forms, ExceptionsFromHandlersAreReportedNotPropagated) {
    std::vector<std::string> reports;
    auto old =
        SetMessageBoxHook([&](const std::string& text, const std::string& title, unsigned flags) {
            reports.push_back(title + "|" + text + "|" + std::to_string(flags));
            return IDOK;
        });
    app.SetTitle("Prog");
    TForm form;
    TButton button(&form);
    button.OnClick = [](TObject*) { throw std::runtime_error("broken"); };
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
    QTest::mouseClick(InnerOf(button), Qt::LeftButton);
    form.PostMessage(WM_USER, 0, 0);
    struct Thrower : TControl {
        using TControl::TControl;
        void WndProc(TMessage&) override { throw 42; }
    } thrower(&form);
    thrower.PostMessage(WM_USER, 0, 0);
    QApplication::processEvents();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "Prog|broken.|" + std::to_string(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(reports[1], "Prog|Unknown exception.|" + std::to_string(MB_OK | MB_ICONSTOP));
    SetMessageBoxHook(old);
}

TEST_F(Forms, SpeedButtonGroupsAndAllUp) {
    TForm form;
    TSpeedButton a(&form), b(&form), lone(&form);
    for (auto* s : {&a, &b})
        s->SetGroupIndex(1);
    a.Click();
    EXPECT_TRUE(a.Down());
    b.Click();
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    b.Click(); // without AllowAllUp the group keeps one down
    EXPECT_TRUE(b.Down());
    lone.SetGroupIndex(2);
    lone.SetAllowAllUp(true);
    lone.Click();
    lone.Click();
    EXPECT_FALSE(lone.Down());
    TSpeedButton plain(&form);
    plain.SetDown(true); // group 0 never stays down
    EXPECT_FALSE(plain.Down());
}

TEST_F(Forms, HourGlassIsPlainAndRestoredOnEveryExit) {
    Screen->SetCursor(crHourGlass);
    Screen->SetCursor(crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        THourGlass busy;
        EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
        throw std::runtime_error("x");
    } catch (const std::exception&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(FileDialogFilters, PatternsMatchBothCasesAndDefaultExtension) {
    const auto f = QtFilters("ADF and ATP (*.ADF, *.PL4)|*.ADF;  *.PL4|MATLAB (*.MAT)|*.MAT|"
                             "Columns (tab separated)|*.TXT");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[2], "Columns (tab separated) (*.TXT *.txt)");
    // The patterns show once, as the list Qt filters with.
    EXPECT_EQ(f[0], "ADF and ATP (*.ADF *.adf *.PL4 *.pl4)");
    EXPECT_EQ(f[1], "MATLAB (*.MAT *.mat)");
    EXPECT_EQ(QtFilters("ADF  (*.ADF)|*.ADF|Runs|*.pl4")[1], "Runs (*.pl4 *.PL4)");
    EXPECT_EQ(WithDefaultExt("/d/out", "adf"), "/d/out.adf");
    EXPECT_EQ(WithDefaultExt("/d/out.mat", "adf"), "/d/out.mat");
    EXPECT_EQ(WithDefaultExt("/d.x/out", "adf"), "/d.x/out.adf");
}

TEST_F(Forms, SavedNameWithoutExtensionTakesTheChosenType) {
    int chosenType = 2;
    auto old = SetFileDialogHook([&](TFileDialogRequest& r) {
        r.dialog.Files = {"/d/nofilt"};
        r.dialog.FilterIndex = chosenType;
        return true;
    });
    TSaveDialog dlg;
    dlg.DefaultExt = "adf";
    dlg.Filter = "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT|Any|*";
    const std::pair<int, const char*> cases[] = {
        {2, "/d/nofilt.mat"}, {1, "/d/nofilt.adf"}, {3, "/d/nofilt.adf"}};
    for (const auto& [type, name] : cases) {
        chosenType = type;
        ASSERT_TRUE(dlg.Execute());
        EXPECT_EQ(dlg.FileName, name) << type;
    }
    SetFileDialogHook(old);
}

TEST_F(Forms, OpenDialogHookGivesMultipleFiles) {
    auto old = SetFileDialogHook([](TFileDialogRequest& r) {
        EXPECT_FALSE(r.save);
        r.dialog.Files = {"/a/one.adf", "/a/two.pl4"};
        return true;
    });
    TOpenDialog dlg;
    dlg.Options = ofAllowMultiSelect;
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Files.size(), 2u);
    EXPECT_EQ(dlg.FileName, "/a/one.adf");
    SetFileDialogHook([](TFileDialogRequest&) { return false; });
    EXPECT_FALSE(dlg.Execute());
    SetFileDialogHook(old);
}

TEST_F(Forms, ListBoxItemsIndexAndItemAtPos) {
    TForm form;
    TListBox list(&form);
    list.SetBounds(0, 0, 100, 200);
    for (int i = 0; i < 3; ++i)
        list.Items().Add("v" + std::to_string(i));
    list.Items().Insert(0, "first");
    list.Items().Delete(1);
    EXPECT_EQ(list.Items().ToVector(), (std::vector<std::string>{"first", "v1", "v2"}));
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    list.SetItemIndex(-1);
    EXPECT_EQ(list.ItemIndex(), -1);
    form.Show();
    QApplication::processEvents();
    EXPECT_EQ(list.ItemAtPos({5, 2}, true), 0);
    EXPECT_EQ(list.ItemAtPos({5, 190}, true), -1);
    EXPECT_EQ(list.ItemAtPos({5, 190}, false), 3);
    EXPECT_THROW(list.Items().Delete(5), EStringListError);

    // A click whose mouse-down handler chooses the item and whose mouse-up handler lets
    // it go leaves nothing chosen, nor shown as chosen.
    list.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        list.SetItemIndex(list.ItemAtPos({x, y}, true));
    };
    list.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { list.SetItemIndex(-1); };
    auto* inner = dynamic_cast<QListWidget*>(InnerOf(list));
    ASSERT_TRUE(inner);
    QTest::mouseClick(inner->viewport(), Qt::LeftButton, {},
                      inner->visualItemRect(inner->item(1)).center());
    QApplication::processEvents();
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_FALSE(list.Selected(1));

    // Taking the focus gives the list a current row, not a chosen item; a click below
    // the items chooses none either.
    int chosenOnUp = -2;
    list.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        chosenOnUp = list.ItemIndex();
    };
    form.Close();
    form.Show();
    QApplication::setActiveWindow(&WidgetOf(form));
    list.SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(inner->hasFocus());
    ASSERT_GE(inner->currentRow(), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
    QTest::mouseClick(inner->viewport(), Qt::LeftButton, {}, QPoint(5, 190));
    QApplication::processEvents();
    EXPECT_EQ(chosenOnUp, -1);
}
