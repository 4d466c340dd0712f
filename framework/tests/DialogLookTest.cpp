// What the program's windows ask of their controls beyond the basics: side panels that
// follow the window's edges, captions and backgrounds in the colours given, and the Alt
// state of a press on a speed button.
#include "CheckBox.h"
#include "ComboBox.h"
#include "Control_p.h"
#include "Form.h"
#include "Label.h"
#include "Panel.h"
#include "SpeedButton.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct DialogLook : ::testing::Test {
    TForm form;
    void SetUp() override { form.SetClientSize(426, 333); }
};

TRect BoundsOf(const TControl& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}

QImage Snapshot(TControl& c) {
    return WidgetOf(c).grab().toImage();
}

// The style may tint a group's inside slightly.
bool Near(QRgb got, QRgb want) {
    return std::abs(qRed(got) - qRed(want)) <= 6 && std::abs(qGreen(got) - qGreen(want)) <= 6 &&
           std::abs(qBlue(got) - qBlue(want)) <= 6;
}

bool Holds(const QImage& image, QRect area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}
} // namespace

TEST_F(DialogLook, AlignedPanelsKeepToTheirEdgesWhenTheWindowResizes) {
    TPanel tools(&form), side(&form);
    tools.SetHeight(24);
    tools.SetAlign(TAlign::alBottom);
    side.SetWidth(120);
    side.SetAlign(TAlign::alRight);
    struct Row {
        const char* what;
        std::function<void()> resize;
        int clientW, clientH;
    };
    const std::vector<Row> rows = {
        {"as designed", [] {}, 426, 333},
        {"client size set while hidden", [&] { form.SetClientSize(600, 400); }, 600, 400},
        {"shown", [&] { form.Show(); }, 600, 400},
        {"dragged by the user",
         [&] {
             WidgetOf(form).resize(500, 300);
             QApplication::processEvents();
         },
         500, 300},
        {"panel made taller", [&] { tools.SetHeight(30); }, 500, 300},
    };
    int toolsHeight = 24;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        r.resize();
        if (std::string(r.what) == "panel made taller") toolsHeight = 30;
        ASSERT_EQ(form.ClientWidth(), r.clientW);
        ASSERT_EQ(form.ClientHeight(), r.clientH);
        // The bottom panel spans the width; the right one what is left above it.
        EXPECT_EQ(BoundsOf(tools), Rect(0, r.clientH - toolsHeight, r.clientW, r.clientH));
        EXPECT_EQ(BoundsOf(side), Rect(r.clientW - 120, 0, r.clientW, r.clientH - toolsHeight));
    }
    side.Hide();
    tools.SetAlign(TAlign::alNone);
    tools.SetBounds(5, 6, 50, 20);
    WidgetOf(form).resize(450, 320);
    QApplication::processEvents();
    EXPECT_EQ(BoundsOf(tools), Rect(5, 6, 55, 26)) << "no longer aligned";
}

TEST_F(DialogLook, CaptionsAndBackgroundsTakeTheColoursGiven) {
    TGroupBox view(&form);
    view.SetBounds(10, 10, 200, 80);
    view.SetCaption("WWWWWWWW");
    view.SetColor(clWhite);
    TGroupBox axis(&form);
    axis.SetBounds(220, 10, 200, 80);
    axis.SetCaption("WWWWWWWW");
    axis.Font().SetColor(RGB(128, 128, 128));
    TComboBox pens(&form);
    pens.SetBounds(10, 100, 100, 21);
    pens.SetColor(clInactiveBorder);
    TLabel onWhite(&view);
    onWhite.SetCaption("WWW");
    onWhite.SetBounds(100, 40, onWhite.Width(), onWhite.Height());
    onWhite.SetTransparent(true);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));

    const QImage shot = Snapshot(form);
    const QRect title(10, 10, 200, 16), titleGrey(220, 10, 200, 16);
    const QRgb grey = qRgb(128, 128, 128), black = qRgb(0, 0, 0);
    EXPECT_TRUE(Holds(shot, title, black)) << "a plain title is black";
    EXPECT_FALSE(Holds(shot, titleGrey, black));
    EXPECT_TRUE(Holds(shot, titleGrey, grey)) << "the title greys with its font";
    EXPECT_TRUE(Near(shot.pixel(60, 70), qRgb(255, 255, 255))) << "the group is white inside";
    EXPECT_TRUE(Near(shot.pixel(300, 70), qRgb(240, 240, 240)))
        << "an uncoloured group shows the button face";
    EXPECT_TRUE(Near(shot.pixel(20, 110), qRgb(244, 247, 252)))
        << "the combo field takes the inactive-border colour";
    EXPECT_FALSE(Near(shot.pixel(20, 110), qRgb(255, 255, 255)));
    const QPoint below(10 + 100, 10 + 40 + onWhite.Height() - 1);
    EXPECT_TRUE(Near(shot.pixel(below), shot.pixel(60, 70)))
        << "a transparent label shows the white group below";
    EXPECT_EQ(clInactiveBorder, 0x8000000Bu);
}

TEST_F(DialogLook, CheckBoxTakesItsOwnFontAndCanLeaveTheTabOrder) {
    TCheckBox box(&form);
    box.SetCaption("Interpolation");
    const QFont inherited = InnerOf(box)->font();
    box.Font().SetName("Arial");
    box.Font().SetSize(9);
    EXPECT_NE(InnerOf(box)->font(), inherited);
    EXPECT_EQ(InnerOf(box)->font().family(), QFont("Liberation Sans").family());
    EXPECT_TRUE(box.TabStop());
    box.SetTabStop(false);
    EXPECT_FALSE(box.TabStop());
    EXPECT_TRUE(InnerOf(box)->focusPolicy() & Qt::ClickFocus) << "a click still focuses it";
}

TEST_F(DialogLook, SpeedButtonPressCarriesAltBeforeTheClick) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(form)));
    TSpeedButton copy(&form);
    copy.SetBounds(367, 2, 25, 22);
    std::vector<std::string> seen;
    copy.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState shift, int, int) {
        seen.push_back(b == mbLeft && (shift & ssAlt) ? "down+alt" : "down");
    };
    copy.OnClick = [&](TObject*) { seen.push_back("click"); };
    QTest::mouseClick(InnerOf(copy), Qt::LeftButton, Qt::AltModifier, QPoint(5, 5));
    QTest::mouseClick(InnerOf(copy), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(seen, (std::vector<std::string>{"down+alt", "click", "down", "click"}));
}
