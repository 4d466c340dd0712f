// Picture control, shape and label as widgets under the offscreen platform.
#include "Control_p.h"
#include "Image.h"
#include "Label.h"
#include "Shape.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {
struct MouseLog {
    std::vector<std::string> events;
    void Attach(TControl& c) {
        c.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            events.push_back("down " + std::to_string(b) + " " + std::to_string(s) + " " +
                             std::to_string(x) + "," + std::to_string(y));
        };
        c.OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
            events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        };
        c.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int x, int y) {
            events.push_back("up " + std::to_string(b) + " " + std::to_string(x) + "," +
                             std::to_string(y));
        };
    }
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetBounds(0, 0, 300, 200);
        window.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&WidgetOf(window)));
    }
    TControl window{nullptr};

    static QImage Shot(TControl& c) { return WidgetOf(c).grab().toImage(); }
    static TColor At(const QImage& img, int x, int y) {
        const QRgb p = img.pixel(x, y);
        return RGB(unsigned(qRed(p)), unsigned(qGreen(p)), unsigned(qBlue(p)));
    }
};
} // namespace

TEST_F(Controls, ImageShowsItsBitmapAndKeepsItWhenResized) {
    TImage image(&window);
    image.SetBounds(10, 10, 100, 80);
    EXPECT_EQ(image.Bitmap().Width(), 100);
    image.Canvas().Brush().SetColor(clRed);
    image.Canvas().FillRect({0, 0, 100, 80});
    EXPECT_EQ(At(Shot(image), 50, 40), clRed);
    image.SetBounds(10, 10, 140, 90);
    const QImage shot = Shot(image);
    EXPECT_EQ(At(shot, 99, 79), clRed);
    EXPECT_EQ(At(shot, 120, 40), clWhite);
    EXPECT_EQ(At(shot, 50, 85), clWhite);
}

TEST_F(Controls, ImageMouseEventsCarryButtonShiftAndCoordinatesAndAreGrabbedDuringADrag) {
    TImage image(&window);
    image.SetBounds(10, 10, 100, 80);
    MouseLog log;
    log.Attach(image);
    QWidget& w = WidgetOf(image);
    QTest::mousePress(&w, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseMove(&w, QPoint(150, 120)); // beyond the image, inside the window
    QTest::mouseRelease(&w, Qt::LeftButton, Qt::NoModifier, QPoint(150, 120));
    ASSERT_GE(log.events.size(), 3u);
    EXPECT_EQ(log.events.front(), "down 0 " + std::to_string(ssShift | ssLeft) + " 5,6");
    EXPECT_EQ(log.events[log.events.size() - 2], "move 150,120");
    EXPECT_EQ(log.events.back(), "up 0 150,120");
}

TEST_F(Controls, ShapeDrawsItsRectangleAndCanBeACursorLine) {
    TShape line(&window);
    line.SetBounds(20, 0, 1, 50);
    line.Brush().SetColor(RGB(192, 192, 192));
    EXPECT_EQ(line.ShapeRect(), Rect(0, 0, 1, 50));
    EXPECT_EQ(At(Shot(line), 0, 25), clBlack);

    TShape bar(&window);
    bar.SetBounds(40, 0, 6, 50);
    bar.Brush().SetColor(RGB(192, 192, 192));
    const QImage shot = Shot(bar);
    EXPECT_EQ(At(shot, 0, 25), clBlack);
    EXPECT_EQ(At(shot, 5, 25), clBlack);
    EXPECT_EQ(At(shot, 3, 25), RGB(192, 192, 192));

    TShape band(&window);
    band.Pen().SetStyle(psDot);
    band.Brush().SetStyle(bsClear);
    band.SetBounds(0, 0, 0, 0); // nothing to draw
    EXPECT_EQ(band.Width(), 0);
}

TEST_F(Controls, ShapePassesItsMouseEventsInItsOwnCoordinates) {
    TShape line(&window);
    line.SetBounds(50, 20, 5, 40);
    MouseLog log;
    log.Attach(line);
    QTest::mousePress(&WidgetOf(line), Qt::LeftButton, Qt::NoModifier, QPoint(2, 3));
    QTest::mouseRelease(&WidgetOf(line), Qt::LeftButton, Qt::NoModifier, QPoint(2, 3));
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "down 0 " + std::to_string(ssLeft) + " 2,3");
    EXPECT_EQ(line.Left() + 2, 52);
}

TEST_F(Controls, LabelSizesItselfToItsCaptionAndPaintsItsBackground) {
    TLabel label(&window);
    label.Font().SetName("Arial");
    label.SetCaption("Double-Click here to set the title text!");
    const TSize s = label.TextExtent();
    EXPECT_EQ(label.Width(), s.cx);
    EXPECT_EQ(label.Height(), s.cy);
    label.SetCaption("x");
    EXPECT_LT(label.Width(), s.cx);

    label.SetAutoSize(false);
    label.SetBounds(0, 100, 200, 20);
    label.SetAlignment(taCenter);
    label.SetColor(RGB(255, 255, 223));
    const QImage shot = Shot(label);
    EXPECT_EQ(At(shot, 2, 10), RGB(255, 255, 223));
    EXPECT_EQ(At(shot, 197, 10), RGB(255, 255, 223));
    bool ink = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 90; x < 110; ++x)
            ink = ink || At(shot, x, y) != RGB(255, 255, 223);
    EXPECT_TRUE(ink) << "the centred caption";

    int clicks = 0;
    label.OnDblClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &label);
        ++clicks;
    };
    QTest::mouseDClick(&WidgetOf(label), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Controls, HiddenControlsAndCursorsAreTheControlsOwnState) {
    TLabel label(&window);
    label.Hide();
    EXPECT_FALSE(label.Visible());
    EXPECT_FALSE(WidgetOf(label).isVisible());
    label.Show();
    EXPECT_TRUE(WidgetOf(label).isVisible());
    window.SetCursor(crCross);
    EXPECT_EQ(window.Cursor(), crCross);
    EXPECT_EQ(WidgetOf(window).cursor().shape(), Qt::CrossCursor);
    window.SetCursor(crDefault);
}
