// Form services: pop-up menus through their test hook, the hint pause, file drops,
// scaling and the window's size limits.
#include "Application.h"
#include "Button.h"
#include "CheckBox.h"
#include "Control_p.h"
#include "Edit.h"
#include "Form.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "Panel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyle>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
struct FormServices : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
};

TRect BoundsOf(const TControl& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}

double SizeOf(const QFont& f) {
    return f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF();
}

// What a file manager hands over: local files and perhaps other links.
void DropOn(QWidget& target, const QMimeData& mime, bool* entered = nullptr) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&target, &enter);
    if (entered) *entered = enter.isAccepted();
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}
} // namespace

TEST_F(FormServices, PopupHookPicksAnItemWithoutBlocking) {
    TForm form;
    TPanel grid(&form);
    TPopupMenu menu(&form);
    std::vector<std::string> log;
    TMenuItem* user = menu.Add("User defined time factor", [&](TObject* s) {
        log.push_back("user");
        EXPECT_EQ(s, static_cast<TObject*>(menu.Items(0)));
    });
    TMenuItem* minutes = menu.Add("s->m time factor", [&](TObject*) { log.push_back("min"); });
    menu.OnPopup = [&](TObject*) { log.push_back("popup"); };
    grid.SetPopupMenu(&menu);
    int pick = 0;
    TPoint at;
    auto old = SetPopupHook([&](TPopupMenu& m, TPoint p) {
        EXPECT_EQ(&m, &menu);
        at = p;
        return pick;
    });
    QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 204));
    QApplication::sendEvent(&WidgetOf(grid), &right);
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "user"}));
    EXPECT_EQ(at, (TPoint{103, 204}));
    EXPECT_EQ(menu.PopupComponent(), &grid);

    log.clear();
    minutes->Enabled = false;
    pick = 1;
    menu.Popup(0, 0); // a disabled item cannot be chosen
    pick = -1;
    menu.Popup(0, 0); // dismissed
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "popup"}));

    log.clear();
    menu.SetAutoPopup(false); // the popup is switched off for this grid
    QApplication::sendEvent(&WidgetOf(grid), &right);
    EXPECT_TRUE(log.empty());
    (void)user;
    SetPopupHook(old);
}

TEST_F(FormServices, HintPauseIsTheDelayQtWaitsBeforeATooltip) {
    app.HintPause = 1234;
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 1234);
    app.HintPause = 50;
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 50);

    struct Probe {
        int timeout = 0;
        void Show(std::string&, bool& canShow, THintInfo& info) {
            timeout = info.HideTimeout;
            canShow = false;
        }
    } probe;
    TForm form;
    TButton button(&form);
    button.SetHint("Options...");
    button.SetShowHint(true);
    app.HintHidePause = 5000;
    app.OnShowHint = TShowHintEvent(&probe, &Probe::Show);
    EXPECT_TRUE(app.ActivateHint(button, {2, 2}));
    EXPECT_EQ(probe.timeout, 5000);
    app.OnShowHint = nullptr;
}

TEST_F(FormServices, DroppedFilesReachTheFormFromAnyOfItsControls) {
    TForm form;
    TEdit edit(&form);
    std::vector<std::vector<std::string>> drops;
    form.OnDropFiles = [&](TObject* s, const std::vector<std::string>& files) {
        EXPECT_EQ(s, &form);
        drops.push_back(files);
    };
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/data/run one.adf"), QUrl("https://example.org/x.pl4"),
                  QUrl::fromLocalFile("/data/two.PL4")});
    mime.setText("/data/run one.adf");

    bool entered = true;
    DropOn(WidgetOf(form), mime, &entered);
    EXPECT_FALSE(entered) << "not accepting files yet";
    EXPECT_TRUE(drops.empty());

    form.DragAcceptFiles(true);
    DropOn(WidgetOf(form), mime, &entered);
    EXPECT_TRUE(entered);
    DropOn(*InnerOf(edit), mime, &entered); // an edit would take it as text
    EXPECT_TRUE(entered);
    EXPECT_EQ(edit.Text(), "");
    const std::vector<std::string> expected{"/data/run one.adf", "/data/two.PL4"};
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[0], expected);
    EXPECT_EQ(drops[1], expected);

    QMimeData web;
    web.setUrls({QUrl("https://example.org/x.pl4")});
    DropOn(WidgetOf(form), web, &entered);
    EXPECT_FALSE(entered);
    form.DragAcceptFiles(false);
    DropOn(WidgetOf(form), mime);
    EXPECT_EQ(drops.size(), 2u);
}

TEST_F(FormServices, ScaleByScalesEveryControlAndFont) {
    TForm form;
    form.SetClientSize(200, 100);
    TButton button(&form);
    button.SetBounds(10, 20, 75, 25);
    TGroupBox group(&form);
    group.SetBounds(100, 10, 90, 80);
    TEdit edit(&group);
    edit.SetBounds(5, 15, 41, 21);
    TPageControl pages(&form);
    pages.SetBounds(0, 50, 100, 50);
    TTabSheet sheet(&pages);
    TCheckBox box(&sheet);
    box.SetBounds(3, 3, 33, 17);
    TLabel label(&form);
    label.Font().SetHeight(-11);
    const double buttonFont = SizeOf(InnerOf(button)->font());

    form.ScaleBy(3, 2);
    EXPECT_EQ(form.ClientWidth(), 300) << "the inside scales, not the frame";
    EXPECT_EQ(form.ClientHeight(), 150);
    EXPECT_EQ(BoundsOf(button), Rect(15, 30, 15 + 113, 30 + 38)); // halves round up
    EXPECT_EQ(BoundsOf(edit), Rect(8, 23, 8 + 62, 23 + 32));
    EXPECT_EQ(BoundsOf(box), Rect(5, 5, 5 + 50, 5 + 26)) << "controls on a tab sheet";
    EXPECT_EQ(label.Font().Height(), -17);
    EXPECT_EQ(form.Font().Height(), -17);
    EXPECT_DOUBLE_EQ(SizeOf(InnerOf(button)->font()), buttonFont * 1.5);
    EXPECT_DOUBLE_EQ(SizeOf(InnerOf(box)->font()), buttonFont * 1.5);

    form.ScaleBy(480, 600);
    EXPECT_EQ(BoundsOf(button).Left, 12);
    form.ScaleBy(1, 1); // nothing to do
    form.ScaleBy(5, 0);
    EXPECT_EQ(form.ClientWidth(), 240);
}

TEST_F(FormServices, TrackingSizesHoldTheUserAndTheCode) {
    TForm form;
    form.SetMinTrackSize(300, 200);
    form.SetBounds(0, 0, 100, 100);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_EQ(form.Height(), 200) << "the minimum height applies";
    form.SetBounds(0, 0, 400, 250);
    EXPECT_EQ(form.Height(), 250);
    form.SetMaxTrackSize(400, 0); // the width fixed, the height free upwards
    form.SetMinTrackSize(400, 250);
    form.Show();
    WidgetOf(form).resize(10, 10); // dragged by the user
    EXPECT_EQ(form.Width(), 400);
    EXPECT_EQ(form.Height(), 250);
    WidgetOf(form).resize(900, 900);
    EXPECT_EQ(form.Width(), 400);
    EXPECT_EQ(form.ClientHeight(), 900);
    form.SetMinTrackSize(0, 0);
    form.SetMaxTrackSize(0, 0);
    form.SetBounds(0, 0, 120, 90);
    EXPECT_EQ(form.Height(), 90);
}

TEST_F(FormServices, FixedBorderKeepsTheSizeTheCodeGives) {
    TForm values;
    values.SetBorderStyle(bsDialog);
    values.SetClientSize(132, 205);
    values.Show();
    values.SetClientSize(132, 120); // laid out again after showing
    EXPECT_EQ(values.ClientHeight(), 120);
    WidgetOf(values).resize(300, 300);
    EXPECT_EQ(values.ClientWidth(), 132);
    EXPECT_EQ(values.ClientHeight(), 120);
    values.SetBorderStyle(bsSizeable);
    WidgetOf(values).resize(300, 300);
    EXPECT_EQ(values.ClientHeight(), 300);
}
