// The title (two labels on screen, drawn into copies and prints) and the
// legend below the plot, with factor and offset rows in copies and prints.
#include "LineChart.h"

#include "ChartNumbers.h"
#include "MemoPlus.h"
#include "PixelMath.h"
#include "TitleForm.h"

#include "Canvas.h"
#include "Label.h"
#include "RadioGroup.h"

#include <algorithm>

namespace {
constexpr int kMinTitlePoints = 2;
const std::string kBlanks5 = "     ", kBlanks3 = "   ";
} // namespace

int TLineChart::max3(int a, int b, int c) {
    return std::max(a, std::max(b, c));
}

// ---- title

void TLineChart::TitleLabelDblClick(TObject*) {
    TTitleForm& form = *titleForm_;
    form.SetCaption(ApplicationName.empty() ? "Plot Title" : ApplicationName + " - Plot Title");
    if (form.ShowModal() != mrOk) return;
    TStrings& lines = form.Memo->Lines();
    const int rows = std::max(1, std::min(form.RowsRadioGroup->ItemIndex() + 1, lines.Count()));
    const std::string row1 = lines.Count() > 0 ? lines[0] : std::string();
    const std::string row2 = rows > 1 ? lines[1] : std::string();
    TitleRows = titleLabel1_->Visible() ? rows : 0;
    titleLabel1_->SetCaption(row1);
    titleLabel1_->Show();
    titleLabel1_->SetColor(RGB(255, 255, 223));
    titleLabel2_->SetCaption(rows < 2 ? std::string() : row2);
    titleLabel2_->SetVisible(rows >= 2);
    AdjustTitleSize(true);
}

void TLineChart::EnableTitle() {
    titleLabel1_->Show();
    titleLabel2_->SetVisible(TitleRows > 1);
    AdjustTitleSize(true);
}

void TLineChart::DisableTitle() {
    titleLabel1_->Hide();
    titleLabel2_->Hide();
    AdjustTitleSize(true);
}

void TLineChart::LabelMouseMove(TObject*, TShiftState, int, int) {
    SetCursor(crDefault);
}

void TLineChart::AdjustTitleSize(bool replot) {
    TitleAdjusted = true;
    const int old = TitleHeight;
    TCanvas& c = *canvas_;
    if (!titleLabel1_->Visible()) {
        TitleHeight = 0;
        if (old != 0 && replot && GotData) {
            Plot(false, false);
            MarkAll();
        }
        TitleAdjusted = false;
        return;
    }
    const std::string& t1 = titleLabel1_->Caption();
    const std::string& t2 = titleLabel2_->Caption();
    titleLabel1_->SetAutoSize(true);
    titleLabel2_->SetAutoSize(true);

    int size = TruncSat(0.01 * (DrawHeight + DrawWidth));
    size = std::min(size, 14);
    if (size < 9) size = 8;
    LabelFontSize = size;
    c.Font().SetSize(size);
    // The rows are spaced in this font, not in whatever font the last pass (the legend's)
    // measured last.
    CharHeight = c.TextHeight("W");
    const bool two = TitleRows >= 2 && titleLabel2_->Visible();
    const std::string& text = two && c.TextWidth(t2) > c.TextWidth(t1) ? t2 : t1;

    // A title too long even at the smallest size is clipped by its label.
    const int room = DrawWidth - c.TextWidth("1000") - 20;
    while (c.TextWidth(text) > room && size > kMinTitlePoints)
        c.Font().SetSize(--size);

    for (TLabel* l : {titleLabel1_, titleLabel2_}) {
        l->Font().SetSize(size);
        l->SetAutoSize(false);
        l->SetWidth(std::max(0, room));
    }
    titleLabel2_->SetTop(ChartTop + CharHeight - 2);

    TitleHeight = TruncSat(1.2 * CharHeight) + (titleLabel2_->Visible() ? CharHeight : 0);
    if (replot && TitleHeight != old && GotData) {
        Plot(false, false);
        MarkAll();
    }
    c.Font().SetSize(LabelFontSize);
    CharHeight = c.TextHeight("W");
    TitleAdjusted = false;
}

void TLineChart::DrawTitle() {
    TCanvas& c = *canvas_;
    const int mid2 = PlotRect.left + PlotRect.right;
    // Text wider than the chart is cut at its edges.
    auto draw = [&](const std::string& text, int y) {
        const int w = c.TextWidth(text);
        const int x = (mid2 - w) / 2;
        if (x >= ChartLeft && x + w <= ChartRight) {
            c.TextOut(x, y, text);
        } else {
            const TBrushStyle keep = c.Brush().Style();
            c.Brush().SetStyle(bsClear);
            c.TextRect({ChartLeft, y, ChartRight, y + c.TextHeight(text)}, x, y, text);
            c.Brush().SetStyle(keep);
        }
    };
    if (titleLabel1_->Visible()) {
        c.Font().SetSize(titleLabel1_->Font().Size());
        CharHeight = c.TextHeight("W");
        draw(titleLabel1_->Caption(), ChartTop);
    }
    if (titleLabel2_->Visible())
        draw(titleLabel2_->Caption(), ChartTop + c.TextHeight(titleLabel1_->Caption()));
}

// ---- legend

void TLineChart::GetInfoLegend(const std::string* fileNames, const std::string* varNames,
                               int xIndex, const float* factors, const float* offsets) {
    const int total = std::max(0, TotalCurves);
    DefaultScaling.assign(std::size_t(std::max(0, NFiles)) + 1, true);
    int j = 0;
    for (int f = 0; f < NFiles; ++f)
        for (int k = 0; k < nCurves_[f]; ++k, ++j)
            if (factors[j] != 1.0f || offsets[j] != 0.0f) DefaultScaling[f] = false;
    DefaultScaling[NFiles] = factors[total] == 1.0f && offsets[total] == 0.0f;
    auto text = [](float v) {
        std::string t = chartnum::MyFloatToStrF(v, 4);
        return t.size() > 5 ? chartnum::MyFloatToStrF(v, 3) : t;
    };
    FactorText.assign(std::size_t(total) + 1, {});
    OffsetText.assign(std::size_t(total) + 1, {});
    for (int i = 0; i <= total; ++i) {
        FactorText[i] = text(factors[i]);
        OffsetText[i] = text(offsets[i]);
    }
    LegendInfo = true;
    legendFiles_ = fileNames;
    legendVars_ = varNames;
    XIndex = std::clamp(xIndex, 0, total);
}

// Names skip the x variable's slot.
std::string TLineChart::CurveName(int curve) const {
    return legendVars_[curve < XIndex ? curve : curve + 1];
}

int TLineChart::GiveLegendHeight(bool factorRowsOnly, bool withFactors) {
    if (!LegendInfo || !legendFiles_ || !legendVars_ || NFiles < 1) return 0;
    if (factorRowsOnly && !withFactors) return 0;
    TCanvas& c = *canvas_;
    const int L = CharHeight, g = TruncSat(0.12 * L + 0.5), p = Printing ? 0 : g;
    auto F = [&](int i) { return withFactors && !DefaultScaling[i] ? 1 : 0; };
    const int Fx = F(NFiles);
    int rows = 0, height = 0;
    if (NFiles == 1) {
        const int A = (F(0) || Fx) ? 1 : 0;
        int width =
            c.TextWidth("(file " + legendFiles_[0] + "; x-var " + legendVars_[XIndex] + ")  ") + g;
        for (int j = 0; j < TotalCurves; ++j) {
            const std::string tail = j == TotalCurves - 1 ? kBlanks3 : kBlanks5;
            width += max3(c.TextWidth(OffsetText[j] + kBlanks5),
                          c.TextWidth(FactorText[j] + kBlanks5), c.TextWidth(CurveName(j) + tail));
        }
        if (width > DrawWidth) {
            rows = (4 * L - 4 * p) * A;
            height = 2 * L + g + rows;
        } else {
            rows = (2 * L - 2 * p) * A;
            height = L + g + rows;
        }
    } else {
        for (int f = 0; f < NFiles; ++f) {
            rows += (2 * L - p) * F(f);
            height += L + g;
        }
        rows += L * Fx;
        height += rows;
    }
    height += 2;
    return factorRowsOnly ? rows : height;
}

void TLineChart::WriteLegend(bool positionsOnly, bool withFactors) {
    if (!LegendInfo || !legendFiles_ || !legendVars_ || NFiles < 1) {
        LegendHeight = 0;
        return;
    }
    TCanvas& c = *canvas_;
    TFont& font = c.Font();
    font.SetSize(AutoLegendFont ? LegendFontSize : (AutoAxisFont ? LabelFontSize : UserFontSize));
    CharHeight = c.TextHeight("W");
    LegendHeight = GiveLegendHeight(false, withFactors);
    const int L = CharHeight, g = TruncSat(0.12 * L + 0.5), p = Printing ? 0 : g;
    auto F = [&](int i) { return withFactors && !DefaultScaling[i] ? 1 : 0; };
    const int Fx = F(NFiles);
    int y = ChartBottom + g - LegendHeight;
    const int x0 = ChartLeft;
    LegendSymbol.assign(std::size_t(std::max(0, TotalCurves)), {});
    auto out = [&](int x, int yy, const std::string& t) {
        if (!positionsOnly) c.TextOut(x0 + x, yy, t);
    };
    auto italic = [&](bool on) {
        font.SetStyle(on ? (font.Style() | fsItalic) : (font.Style() & ~fsItalic));
    };
    // Right-axis curves are underlined; black-and-white output keeps that
    // mark in the one-file row but drops it in the per-file rows.
    auto curveFont = [&](int j, bool underlineInBlack) {
        const SCurveParam& cp = curves_[j];
        font.SetColor(BlackWhite ? clBlack : cp.color);
        const bool under = cp.axis != 0 && SecondYAxis && (underlineInBlack || !BlackWhite);
        font.SetStyle(under ? (font.Style() | fsUnderline) : (font.Style() & ~fsUnderline));
    };
    auto black = [&] {
        font.SetColor(clBlack);
        font.SetStyle(font.Style() & ~fsUnderline);
    };
    const std::string& xName = legendVars_[XIndex];
    black();

    if (NFiles == 1) {
        const int A = (F(0) || Fx) ? 1 : 0;
        const std::string t0 = "(file " + legendFiles_[0] + "; ", t1 = "x-var " + xName + ")  ";
        out(2, y, t0 + t1);
        if (A) {
            italic(true);
            out(2, y + L - p, "factors:");
            out(2, y + 2 * L - 2 * p, "offsets:");
            const std::string& xf = FactorText[TotalCurves];
            const std::string& xo = OffsetText[TotalCurves];
            int at = c.TextWidth(t0);
            if (std::max(c.TextWidth(xf), c.TextWidth(xo)) >= c.TextWidth(t1))
                at -= c.TextWidth("xx");
            out(at, y + L - p, xf);
            out(at, y + 2 * L - 2 * p, xo);
            italic(false);
        }
        int m = c.TextWidth(t0) + c.TextWidth(t1) + g;
        for (int j = 0; j < TotalCurves; ++j) {
            curveFont(j, true);
            const std::string name = CurveName(j);
            if (m + c.TextWidth(name + kBlanks3) > DrawWidth && m > 2) {
                y += A * (2 * L - p) + L;
                m = 2;
            }
            const std::string text = name + kBlanks5;
            out(m, y, text);
            if (A) {
                italic(true);
                out(m, y + L - p, FactorText[j]);
                out(m, y + 2 * L - 2 * p, OffsetText[j]);
                italic(false);
            }
            LegendSymbol[j] = {x0 + m + c.TextWidth(name) + LegendUnitWidth, y + LegendUnitWidth};
            m += c.TextWidth(text);
        }
        black();
    } else {
        if (Fx && !positionsOnly) {
            const std::string head = "x-var: " + xName + "  ";
            out(2, y, head);
            int m = 2 + c.TextWidth(head) + c.TextWidth(kBlanks5);
            italic(true);
            const std::string fx = "Factor: " + FactorText[TotalCurves];
            out(m, y, fx);
            m += c.TextWidth(fx) + c.TextWidth(kBlanks3);
            out(m, y, "Offset: " + OffsetText[TotalCurves]);
            italic(false);
            y += L;
        }
        int j = 0;
        for (int f = 0; f < NFiles; ++f) {
            black();
            const std::string head = legendFiles_[f] + ": ";
            out(2, y, head);
            if (F(f)) {
                italic(true);
                out(2, y + L - p, "factors:");
                out(2, y + 2 * L - 2 * p, "offsets:");
                italic(false);
            }
            int m = c.TextWidth(head) + 2;
            for (int k = 0; k < nCurves_[f]; ++k, ++j) {
                curveFont(j, false);
                const std::string name = CurveName(j);
                const std::string text = name + kBlanks5;
                out(m, y, text);
                if (F(f)) {
                    italic(true);
                    out(m, y + L - p, FactorText[j]);
                    out(m, y + 2 * L - 2 * p, OffsetText[j]);
                    italic(false);
                }
                LegendSymbol[j] = {x0 + m + c.TextWidth(name) + LegendUnitWidth,
                                   y + LegendUnitWidth};
                m += c.TextWidth(text);
            }
            y += L + (L - p) * 2 * F(f) + g;
            black();
        }
    }
    black();
    font.SetName("Arial");
    italic(false);
}
