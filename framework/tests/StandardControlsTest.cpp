// The standard controls as the dialogs drive them: which changes fire events, what the
// controls hand on, and how they keep their state.
#include "CheckBox.h"
#include "ComboBox.h"
#include "Control_p.h"
#include "Edit.h"
#include "Form.h"
#include "Memo.h"
#include "PageControl.h"
#include "Panel.h"
#include "RadioGroup.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct StandardControls : ::testing::Test {
    TForm form;
    void SetUp() override {
        form.SetClientSize(320, 240);
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
    }
};

std::vector<QRadioButton*> ButtonsOf(TRadioGroup& g) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto found = InnerOf(g)->findChildren<QRadioButton*>();
    return {found.begin(), found.end()};
}

struct TitleMemo : TMemo {
    using TMemo::TMemo;
    void LimitToHeight() { SetAutoVScroll(false); }
};
} // namespace

TEST_F(StandardControls, PageControlReportsOnlyTheUsersTabChoice) {
    TPageControl pages(&form);
    pages.SetBounds(0, 0, 260, 200);
    TTabSheet general(&pages), lines(&pages);
    general.SetCaption("General");
    lines.SetCaption("Lines");
    TCheckBox grid(&general), dots(&lines);
    int changes = 0;
    pages.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &pages);
        ++changes;
    };
    EXPECT_EQ(pages.ActivePage(), &general);
    pages.SetActivePage(&lines);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(WidgetOf(dots).isVisible());
    EXPECT_FALSE(WidgetOf(grid).isVisible());

    auto* bar = InnerOf(pages)->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->tabText(0), "General");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages.ActivePage(), &general);
    EXPECT_EQ(general.PageIndex(), 0);
    EXPECT_EQ(lines.PageIndex(), 1);

    // Ctrl+Tab on a page turns to the next page, as a user chose it, even with a control
    // beside the page control for the focus to go to.
    TCheckBox beside(&form);
    beside.SetBounds(0, 210, 100, 20);
    QTest::keyClick(InnerOf(grid), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.ActivePage(), &lines);
    EXPECT_EQ(changes, 2);
}

TEST_F(StandardControls, RadioGroupLaysOutColumnsAndFiresOnRealChoices) {
    TRadioGroup group(&form);
    group.SetBounds(0, 0, 240, 60);
    group.SetColumns(2);
    for (const char* item : {"thin", "thick", "auto"})
        group.Items().Add(item);
    auto b = ButtonsOf(group);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0]->x(), b[1]->x()) << "filled column by column";
    EXPECT_LT(b[0]->y(), b[1]->y());
    EXPECT_GT(b[2]->x(), b[0]->x());

    std::vector<int> clicks;
    group.OnClick = [&](TObject*) { clicks.push_back(group.ItemIndex()); };
    group.SetItemIndex(2);
    group.SetItemIndex(2);
    group.SetItemIndex(-1);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    EXPECT_FALSE(b[2]->isChecked());
    const QPoint onLabel(4, b[1]->height() / 2);
    QTest::mouseClick(b[1], Qt::LeftButton, {}, onLabel);
    QTest::mouseClick(b[1], Qt::LeftButton, {}, onLabel); // the chosen one stays chosen
    EXPECT_EQ(clicks, (std::vector<int>{2, 1}));
    EXPECT_TRUE(b[1]->isChecked());
    EXPECT_FALSE(b[0]->isChecked());

    // A handler may change the items while its button is being clicked.
    group.OnClick = [&](TObject*) { group.Items().Delete(2); };
    QTest::mouseClick(b[2], Qt::LeftButton, {}, onLabel);
    EXPECT_EQ(group.Items().Count(), 2);
    EXPECT_EQ(group.ItemIndex(), 1) << "an index beyond the items moves to the last";
    EXPECT_EQ(ButtonsOf(group).size(), 2u);
    group.Items().Clear();
    EXPECT_EQ(group.ItemIndex(), -1);
}

TEST_F(StandardControls, ComboBoxChangesFromCodeAreSilent) {
    TComboBox sizes(&form);
    for (const char* s : {"7", "8", "9", "10", "11", "13"})
        sizes.Items().Add(s);
    int changes = 0;
    sizes.OnChange = [&](TObject*) { ++changes; };
    sizes.SetItemIndex(2);
    EXPECT_EQ(sizes.Text(), "9");
    sizes.SetText("11");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(sizes.ItemIndex(), 4);

    auto* combo = static_cast<QComboBox*>(InnerOf(sizes));
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), "12");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(sizes.Text(), "12");
    EXPECT_EQ(sizes.ItemIndex(), -1) << "a typed text that is no item";

    sizes.SetStyle(csDropDownList);
    sizes.SetItemIndex(0);
    changes = 0;
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sizes.ItemIndex(), 1);
    EXPECT_EQ(sizes.Text(), "8");
}

TEST_F(StandardControls, MaskEditTakesOnlyWhatTheMaskAllows) {
    TMaskEdit order(&form);
    order.SetEditMask("999;0; ");
    order.SetText("30");
    EXPECT_EQ(order.Text(), "30");
    order.SetFocus();
    order.SelectAll();
    QTest::keyClicks(InnerOf(order), "4x52");
    EXPECT_EQ(order.Text(), "452") << "letters refused, three digits at most";

    TMaskEdit time(&form);
    time.SetEditMask("90:00;0;_");
    time.SetText("1230");
    EXPECT_EQ(time.EditText(), "12:30");
    EXPECT_EQ(time.Text(), "1230") << ";0 leaves the literals out";
    time.SetEditMask("90:00;1;_");
    time.SetText("12:30");
    EXPECT_EQ(time.Text(), "12:30");
    TMaskEdit any(&form);
    any.SetEditMask("cc:cc;0;_");
    any.SetText("\xC3\xA9\xCE\xA9"
                "ab"); // "éΩab" in UTF-8
    EXPECT_EQ(any.EditText(), "\xC3\xA9\xCE\xA9:ab");
    EXPECT_EQ(any.Text(), "\xC3\xA9\xCE\xA9"
                          "ab")
        << "the mask counts characters, not bytes";
    TMaskEdit code(&form);
    code.SetEditMask("LL\\9;1;_");
    code.SetText("ab9");
    EXPECT_EQ(code.Text(), "ab9");
}

TEST_F(StandardControls, MemoWithoutAutoScrollTakesOnlyTheLinesItShows) {
    TitleMemo memo(&form);
    memo.Font().SetHeight(-15);
    memo.SetBounds(5, 20, 200, 22);
    memo.LimitToHeight();
    EXPECT_EQ(memo.VisibleLines(), 1);
    memo.SetText("first\nsecond");
    EXPECT_EQ(memo.Lines().Count(), 1);
    EXPECT_EQ(memo.Lines()[0], "first");
    // A word longer than the row wraps: what is typed stays in sight, and no horizontal
    // scroll bar can take the only row's place.
    memo.SetText("");
    memo.SetFocus();
    QTest::keyClicks(InnerOf(memo), "Motor start");
    QTest::keyClick(InnerOf(memo), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(InnerOf(memo), Qt::Key_Backspace);
    QTest::keyClicks(InnerOf(memo), "Motor_start_of_the_induction_motor_with_a_long_title");
    QCoreApplication::processEvents();
    EXPECT_EQ(static_cast<QAbstractScrollArea*>(InnerOf(memo))->horizontalScrollBarPolicy(),
              Qt::ScrollBarAlwaysOff);
    const QImage row = WidgetOf(memo).grab().toImage();
    int dark = 0;
    for (int y = 0; y < row.height(); ++y)
        for (int x = 0; x < row.width(); ++x)
            dark += qGray(row.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 100) << "the typed text is hidden";

    memo.SetHeight(44); // two rows
    EXPECT_EQ(memo.VisibleLines(), 2);
    memo.SetText("one\ntwo");
    EXPECT_EQ(memo.Lines().Count(), 2);
    memo.SetFocus();
    QTest::keyClick(InnerOf(memo), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(InnerOf(memo), Qt::Key_Return);
    QTest::keyClicks(InnerOf(memo), "three");
    EXPECT_EQ(memo.Lines().Count(), 2) << "a third line is refused";

    TMemo free(&form);
    free.SetBounds(0, 100, 200, 22);
    free.SetText("a\nb\nc");
    EXPECT_EQ(free.Lines().Count(), 3);
}

TEST_F(StandardControls, CheckAndRadioButtonsFireOnChangesOnly) {
    TCheckBox box(&form);
    int boxClicks = 0;
    box.OnClick = [&](TObject*) { ++boxClicks; };
    box.SetChecked(true);
    box.SetChecked(true);
    QTest::mouseClick(InnerOf(box), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(boxClicks, 2);
    EXPECT_FALSE(box.Checked());

    TPanel lines(&form), other(&form);
    TRadioButton useLines(&lines), onlyDots(&lines), elsewhere(&other);
    std::vector<TObject*> clicks;
    for (TRadioButton* r : {&useLines, &onlyDots})
        r->OnClick = [&](TObject* s) { clicks.push_back(s); };
    elsewhere.SetChecked(true);
    useLines.SetChecked(true);
    onlyDots.SetChecked(true);
    EXPECT_FALSE(useLines.Checked());
    EXPECT_TRUE(elsewhere.Checked()) << "another parent is another group";
    QTest::mouseClick(InnerOf(onlyDots), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(onlyDots.Checked()) << "a click on the chosen one keeps it";
    EXPECT_EQ(clicks, (std::vector<TObject*>{&useLines, &onlyDots}));
}

TEST_F(StandardControls, ContainersHoldTheirControlsAndKeepTheirOwnEnabledState) {
    TGroupBox axis(&form);
    axis.SetCaption("Y-Axis");
    TEdit max(&axis);
    TPanel side(&form);
    side.SetCaption("");
    TCheckBox inside(&side);
    EXPECT_EQ(axis.Caption(), "Y-Axis");
    EXPECT_EQ(max.Parent(), &axis);
    EXPECT_EQ(max.ParentForm(), &form);
    axis.SetEnabled(false);
    EXPECT_TRUE(max.Enabled()) << "its own setting";
    EXPECT_FALSE(WidgetOf(max).isEnabled()) << "but it takes no input";
    axis.SetEnabled(true);
    EXPECT_TRUE(WidgetOf(max).isEnabled());
    max.SetEnabled(false);
    EXPECT_FALSE(max.Enabled());
    side.Hide();
    EXPECT_TRUE(inside.Visible());
    EXPECT_FALSE(WidgetOf(inside).isVisible());
}

TEST_F(StandardControls, ShownNamesComeBackAsTheirBytesTypedTextAsUtf8) {
    TEdit edit(&form);
    for (const char* name : {"v:\xC3\xA9t\xC3\xA9", "v:\xE9t\xE9"}) {
        edit.SetText(name);
        EXPECT_EQ(qobject_cast<QLineEdit*>(InnerOf(edit))->text(), QString::fromUtf8("v:été"));
        EXPECT_EQ(edit.Text(), name);
    }
    // As typed: every character kept, Windows-1252 or not.
    qobject_cast<QLineEdit*>(InnerOf(edit))->insert(QString::fromUtf8("üΩ"));
    EXPECT_EQ(edit.Text(), "v:\xC3\xA9t\xC3\xA9\xC3\xBC\xCE\xA9");
    form.SetCaption("d\xC3\xA9marrage.adf");
    EXPECT_EQ(WidgetOf(form).windowTitle(), QString::fromUtf8("démarrage.adf"));
    EXPECT_EQ(form.Caption(), "d\xC3\xA9marrage.adf");
}
