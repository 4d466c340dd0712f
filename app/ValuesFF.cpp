#include "ValuesFF.h"

#include "NumericText.h"
#include "PlotWinFF.h"
#include "PlotWinRules.h"
#include "Screen.h"

#include <algorithm>

namespace {
constexpr int kBoxHeight = 17;
std::string Blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}
} // namespace

TValuesForm::TValuesForm(TComponent* owner, SAppContext& ctx)
    : TForm(owner), Surface(this), InterpolationBox(this), ctx_(ctx) {
    SetCaption("Values");
    SetBorderStyle(bsDialog);
    SetBorderIcons(false);
    SetFormStyle(fsStayOnTop);
    SetShowActivates(false); // the arrow keys stay with the plot window
    SetColor(clWhite);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-14);
    SetClientSize(132, 205);
    FitSurface();
    InterpolationBox.SetCaption("Interpolation");
    InterpolationBox.Font().SetName("Arial");
    InterpolationBox.SetBounds(2, 184, 110, kBoxHeight);
    InterpolationBox.OnClick = [this](TObject* s) { InterpolationBoxClick(s); };
    // The arrows move the plot's cursor even when this window has the focus.
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
        if (TPlotWinForm* plot = ctx_.windows.PlotWin) plot->FormKeyDown(s, k, sh);
    };

    TCanvas& c = Canvas();
    c.Font().SetName("Arial");
    c.Font().SetSize(kValueFontSize);
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);

    if (ctx.options.Flag(poRememberWindows)) {
        const auto& pos = ctx.globals.winPos;
        SetBounds(KeepWholeOnScreen(pos[8], Width(), Screen->Width()),
                  KeepWholeOnScreen(pos[7], Height(), Screen->Height()), Width(), Height());
    }
    // The window may change its inside while it is shown (its frame becomes known): the
    // picture follows and the texts are drawn again.
    OnShow = [this](TObject* s) { FormPaint(s); };
    OnResize = [this](TObject* s) {
        FitSurface();
        FormPaint(s);
    };
}

// The picture is sized here too: a hidden window hears of no resize.
void TValuesForm::FitSurface() {
    Surface.SetBounds(0, 0, ClientWidth(), ClientHeight());
    Surface.Bitmap().SetSize(ClientWidth(), ClientHeight());
}

int TValuesForm::TextWidthAt(const std::string& text, int size) {
    Canvas().Font().SetSize(size);
    return Canvas().TextWidth(text);
}

// Opaque text: the trailing blanks wipe what a longer text left.
void TValuesForm::DrawText(int x, int y, const std::string& text) {
    Canvas().Brush().SetColor(clWhite);
    Canvas().Brush().SetStyle(bsSolid);
    Canvas().TextOut(x, y, text);
}

void TValuesForm::SetCurves(int fileCount, const int* curveCounts) {
    fileCount_ = std::clamp(fileCount, 0, kMaxFiles);
    totalCurves_ = 0;
    curveCounts_.fill(0);
    for (int f = 0; f < fileCount_; ++f) {
        // Never more rows than the curve texts the window keeps.
        const int n = std::clamp(curveCounts[f], 0, kMaxCurves - totalCurves_);
        curveCounts_[static_cast<std::size_t>(f)] = n;
        totalCurves_ += n;
    }
    for (auto& t : xText_)
        t.clear();
    for (auto& t : yText_)
        t.clear();
    for (auto& t : fileNames_)
        t.clear();
    headingSize_.fill(kHeadingFontSize);
    headingsShown_ = false;
    LayOut();
}

void TValuesForm::LayOut() {
    TCanvas& c = Canvas();
    c.Font().SetSize(kValueFontSize);
    c.Font().SetStyle(0);
    const int h = c.TextHeight("0");
    layout_ = LayoutValueRows({curveCounts_.data(), static_cast<std::size_t>(fileCount_)}, h);
    InterpolationBox.SetTop(layout_.boxTop);
    SetClientSize(ClientWidth(), layout_.boxTop + InterpolationBox.Height());
    FitSurface();
    c.Pen().SetColor(clWhite);
    c.Brush().SetColor(clWhite);
    c.Brush().SetStyle(bsSolid);
    c.Rectangle(0, 0, ClientWidth(), ClientHeight());
}

void TValuesForm::ShowFileHeadings(const std::string* fileNames) {
    TFont& f = Canvas().Font();
    f.SetStyle(fsBold);
    f.SetColor(clBlack);
    for (int i = 0; i < fileCount_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        fileNames_[k] = fileNames[i];
        const std::string heading = "File " + fileNames_[k];
        headingSize_[k] =
            HeadingFontSize([&](int size) { return TextWidthAt(heading, size); }, ClientWidth());
        f.SetSize(kHeadingFontSize);
        DrawText(kHeadingLeft, layout_.headingRow[k], Blanks(38));
        f.SetSize(headingSize_[k]);
        headingsShown_ = true;
        // Smaller headings sit lower, on the same base line.
        DrawText(kHeadingLeft, layout_.headingRow[k] + kHeadingFontSize - headingSize_[k],
                 heading + Blanks(17));
    }
    f.SetStyle(0);
}

void TValuesForm::ShowValues(const float* X, float* const* Y, const SCurveParam* curves) {
    TFont& f = Canvas().Font();
    f.SetSize(kValueFontSize);
    f.SetColor(clBlack);
    f.SetStyle(fsItalic);
    for (int i = 0; i < fileCount_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        xText_[k] = FormatNumber(X[i], 5);
        DrawText(kValueLeft, layout_.xRow[k], xText_[k] + Blanks(20));
    }
    f.SetStyle(0);
    std::size_t curve = 0;
    for (int i = 0; i < fileCount_; ++i)
        for (int c = 0; c < curveCounts_[static_cast<std::size_t>(i)]; ++c, ++curve) {
            yColour_[curve] = curves[curve].color;
            yText_[curve] = FormatNumber(Y[i][c], 5);
            f.SetColor(yColour_[curve]);
            DrawText(kValueLeft, layout_.valueRow[curve], yText_[curve] + Blanks(20));
        }
    f.SetColor(clBlack);
}

void TValuesForm::FormPaint(TObject*) {
    TFont& f = Canvas().Font();
    f.SetColor(clBlack);
    f.SetStyle(fsBold);
    for (int i = 0; headingsShown_ && i < fileCount_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        f.SetSize(headingSize_[k]);
        DrawText(kHeadingLeft, layout_.headingRow[k] + kHeadingFontSize - headingSize_[k],
                 "File " + fileNames_[k] + Blanks(14));
    }
    f.SetSize(kValueFontSize);
    f.SetStyle(fsItalic);
    for (int i = 0; i < fileCount_; ++i) {
        const auto k = static_cast<std::size_t>(i);
        DrawText(kValueLeft, layout_.xRow[k], xText_[k] + Blanks(16));
    }
    f.SetStyle(0);
    for (std::size_t c = 0; c < static_cast<std::size_t>(totalCurves_); ++c) {
        f.SetColor(yColour_[c]);
        DrawText(kValueLeft, layout_.valueRow[c], yText_[c] + Blanks(12));
    }
    f.SetColor(clBlack);
}

void TValuesForm::InterpolationBoxClick(TObject*) {
    if (TPlotWinForm* plot = ctx_.windows.PlotWin)
        plot->InterpolationChosen(InterpolationBox.Checked());
}
