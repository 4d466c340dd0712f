// The cursor values window: rows from the text height, headings that shrink to fit,
// values in the curves' colours that wipe what stood there, and a repaint from the texts.
#include "PlotWinTestData.h"

#include "NumericText.h"
#include "ValuesFF.h"

namespace {

class ValuesWindow : public PlotWinFixture {
protected:
    TValuesForm& values = *program.w.Values;

    TColor At(int x, int y) { return values.Surface.Canvas().GetPixel(x, y); }
    // Text in colour c on white: smoothed edges blend the two, so a pixel counts when it
    // lies on that blend, at least half of the way to c.
    static bool InkOf(TColor c, TColor p) {
        if (c == clWhite) return p == clWhite;
        const int cs[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        const int ps[3] = {GetRValue(p), GetGValue(p), GetBValue(p)};
        double num = 0, den = 0;
        for (int k = 0; k < 3; ++k) {
            num += double(255 - ps[k]) * (255 - cs[k]);
            den += double(255 - cs[k]) * (255 - cs[k]);
        }
        const double t = num / den;
        if (t < 0.5) return false;
        for (int k = 0; k < 3; ++k)
            if (std::abs(ps[k] - (t * cs[k] + (1 - t) * 255)) > 24) return false;
        return true;
    }
    // Pixels of colour c in a row band of the window, right of column `from`.
    int CountIn(TColor c, int top, int bottom, int from = 0) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = from; x < values.Surface.Width(); ++x)
                n += InkOf(c, At(x, y)) ? 1 : 0;
        return n;
    }
    int NotWhiteIn(int top, int bottom, int from = 0) {
        const int all = (bottom - top) * (values.Surface.Width() - from);
        return all - CountIn(clWhite, top, bottom, from);
    }
    // The leftmost column right of `from` where anything is drawn in the band.
    int InkEnd(int top, int bottom) {
        int last = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < values.Surface.Width(); ++x)
                if (At(x, y) != clWhite) last = std::max(last, x);
        return last;
    }
};

} // namespace

TEST_F(ValuesWindow, ThreeCurvesOfTwoFilesInRowsOfTheTextHeight) {
    Show(MakeSnapshot({SineFile("a.adf", {1, 2}), SineFile("b.adf", {3})}, {kRed, kGreen, kBlue}));
    win.CursorBtn.Click();
    ASSERT_TRUE(values.Visible());
    ASSERT_EQ(values.FileCount(), 2);
    ASSERT_EQ(values.TotalCurves(), 3);

    TCanvas& c = values.Surface.Canvas();
    c.Font().SetSize(TValuesForm::kValueFontSize);
    const int h = c.TextHeight("0");
    const SValuesLayout& l = values.Layout();
    EXPECT_EQ(l.headingRow, (std::vector<int>{3, 3 + 2 * h + 1 + 2 * h + 2}));
    EXPECT_EQ(l.valueRow[1] - l.valueRow[0], h);
    EXPECT_EQ(values.InterpolationBox.Top(), l.boxTop);
    EXPECT_EQ(values.ClientHeight(), l.boxTop + values.InterpolationBox.Height());

    // Each curve's value in its colour on its own row; the x of each file in black.
    const TColor colours[] = {kRed, kGreen, kBlue};
    for (int k = 0; k < 3; ++k) {
        const int row = l.valueRow[static_cast<std::size_t>(k)];
        EXPECT_GT(CountIn(colours[k], row, row + h), 5) << "curve " << k;
        EXPECT_EQ(values.YText(k),
                  FormatNumber(win.MyChart.CursorValues().Y[k < 2 ? 0 : 1][k < 2 ? k : 0], 5));
    }
    EXPECT_GT(CountIn(clBlack, l.xRow[0], l.xRow[0] + h), 5);
    EXPECT_EQ(values.XText(0), values.XText(1)) << "both files run 0 .. 0.1 s";
}

TEST_F(ValuesWindow, LongFileNamesShrinkTheHeadingToSixPointsAtMost) {
    const std::string longName(60, 'W');
    Show(MakeSnapshot(
        {SineFile("a.adf", {1}), SineFile("busbar_voltages.adf", {1}), SineFile(longName, {1})},
        {kRed, kGreen, kBlue}));
    win.CursorBtn.Click();
    EXPECT_EQ(values.HeadingSize(0), 9);
    EXPECT_LT(values.HeadingSize(1), 9);
    EXPECT_GE(values.HeadingSize(1), 6);
    EXPECT_EQ(values.HeadingSize(2), 6);
    // Fits at its size, and would not at one point more.
    TCanvas& c = values.Surface.Canvas();
    c.Font().SetStyle(fsBold);
    c.Font().SetSize(values.HeadingSize(1));
    EXPECT_LT(c.TextWidth("File busbar_voltages.adf"), values.ClientWidth());
    c.Font().SetSize(values.HeadingSize(1) + 1);
    EXPECT_GE(c.TextWidth("File busbar_voltages.adf"), values.ClientWidth());
    c.Font().SetStyle(0);
}

TEST_F(ValuesWindow, NewValuesWipeTheOldAndThePictureComesBackFromTheTexts) {
    Show(MakeSnapshot({SineFile("a.adf", {1, 1000})}, {kRed, kBlue}));
    win.CursorBtn.Click();
    const SValuesLayout& l = values.Layout();
    const int h = values.Layout().valueRow[1] - values.Layout().valueRow[0];
    const int row = l.valueRow[1];

    // A long value, then a short one on the same row: nothing of the long one is left.
    float x[1] = {0.0123456f};
    float y0[2] = {-123.456f, -98765.4f};
    float* y[1] = {y0};
    values.ShowValues(x, y, win.Shown->curves.data());
    const int longEnd = InkEnd(row, row + h);
    y0[1] = 5;
    values.ShowValues(x, y, win.Shown->curves.data());
    EXPECT_EQ(values.YText(1), "5");
    const int shortEnd = InkEnd(row, row + h);
    EXPECT_LT(shortEnd, longEnd);
    EXPECT_EQ(NotWhiteIn(row, row + h, shortEnd + 1), 0);

    // Painted over, then repainted from the stored texts alone.
    TCanvas& c = values.Surface.Canvas();
    c.Pen().SetColor(clWhite);
    c.Brush().SetColor(clWhite);
    c.Rectangle(0, 0, values.ClientWidth(), l.boxTop);
    ASSERT_EQ(NotWhiteIn(0, l.boxTop), 0);
    values.FormPaint(&values);
    EXPECT_GT(CountIn(kBlue, row, row + h), 5);
    EXPECT_GT(CountIn(kRed, l.valueRow[0], l.valueRow[0] + h), 5);
    EXPECT_GT(CountIn(clBlack, l.headingRow[0], l.headingRow[0] + h), 5);
}

TEST_F(ValuesWindow, ItsInterpolationBoxDrivesTheChart) {
    Show(MakeSnapshot({SineFile("a.adf", {1}), SineFile("b.adf", {1})}, {kRed, kBlue}));
    win.CursorBtn.Click();
    values.InterpolationBox.SetChecked(true);
    EXPECT_TRUE(win.MyChart.LinearInterpolation);
    values.InterpolationBox.SetChecked(false);
    EXPECT_FALSE(win.MyChart.LinearInterpolation);
}
