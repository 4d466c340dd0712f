// Ticks, tick labels, unit labels and grid of the chart's axes. Positions
// and texts come from the computing half (AxisLabels); this file only draws.
#include "LineChart.h"

#include "CanvasMeasure.h"
#include "PixelMath.h"

#include "Canvas.h"

#include <cmath>

namespace {

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

// Pen changes for a stretch of drawing, undone on leaving.
class PenScope {
public:
    explicit PenScope(TCanvas& c) : c_(c), saved_(c.Pen()) {}
    ~PenScope() { c_.Pen() = saved_; }

private:
    TCanvas& c_;
    TPen saved_;
};

} // namespace

int TLineChart::TextOut2(int x, int y, AdjustType horizontal, AdjustType vertical,
                         const std::string& text, const std::string& raised, bool measureOnly) {
    TCanvas& c = *canvas_;
    CanvasMeasure measure(c);
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    const int raisedW = raised.empty() ? 0 : measure.TextWidth(raised, ExponentFontSizePt);
    int dy = 0;
    if (vertical == 0)
        dy = TruncSat(0.1 * h);
    else if (vertical == 1)
        dy = TruncSat(1.1 * h);
    else
        dy = TruncSat(-0.55 * h);
    int dx = 0;
    if (horizontal == 0) {
        dx = TruncSat(0.3 * c.TextWidth("a"));
    } else if (horizontal == 2) {
        x -= ((raised.empty() ? 0 : c.TextWidth(raised)) + w + 1) / 2;
    } else {
        dx = TruncSat(-0.3 * c.TextWidth("a"));
        x -= raisedW + w + 1;
    }
    if (measureOnly) return w + raisedW;
    c.TextOut(x + dx, y + dy, text);
    if (!raised.empty()) {
        TFont& f = c.Font();
        const int height = f.Height();
        f.SetSize(ExponentFontSizePt);
        c.TextOut(x + dx + w + 1, y + dy, raised);
        f.SetHeight(height);
    }
    return 0;
}

int TLineChart::WriteLabel(int x, int y, SAxis& axis, bool measureOnly) {
    AdjustType h = 2, v = 0;
    if (axis.kind == 1)
        h = 1, v = 2;
    else if (axis.kind == 2)
        h = 0, v = 2;
    SUnitText& texts =
        axis.kind == 0 ? Axes.xText : (axis.kind == 1 ? Axes.yLeftText : Axes.yRightText);
    CanvasMeasure measure(*canvas_);
    SLabelEnv env = ScaleSettingsFor().env;
    env.measure = &measure;
    BuildUnitTexts(axis, env, texts);
    canvas_->Font().SetSize(LabelFont());
    return TextOut2(x, y, h, v, texts.unit, texts.exponent, measureOnly) + 1;
}

void TLineChart::LabelsAndGrid(SAxis axis) {
    if (axis.scaleType == stDB) return LabelsAndGridDB(axis);
    if (axis.scaleType == stLog) return LabelsAndGridLog(axis);
    PenScope scope(*canvas_);
    canvas_->Pen() = AxisPen;
    canvas_->Font().SetSize(LabelFont());
    if (axis.kind == 0)
        DrawLinearX(axis);
    else
        DrawLinearY(axis);
}

void TLineChart::DrawLinearY(const SAxis& axis) {
    TCanvas& c = *canvas_;
    const SPlotRect& p = PlotRect;
    const bool left = axis.kind == 1;
    const float spacing = TickSpacingPx[axis.kind];
    for (const STick& t : LinearYTicks(axis, p.top, p.bottom, spacing)) {
        if (left)
            Line(c, p.left - 1, t.pos, p.left - YTickLength - 1, t.pos);
        else
            Line(c, p.right + 1, t.pos, p.right + YTickLength + 1, t.pos);
        if (!t.labelled) continue;
        if (left)
            TextOut2(p.left - YTickLength - 1, t.pos, 1, 2, t.text, {}, false);
        else
            TextOut2(TruncSat(1.5 * YTickLength + p.right), t.pos, 0, 2, t.text, {}, false);
    }
    SAxis record = axis;
    const int ux = left ? (axis.everyOther ? p.left - 3 : p.left) : p.right + 2;
    WriteLabel(ux, TruncSat(spacing * (axis.everyOther ? 0.9 : 0.5) + p.top), record, false);
    if (left && axis.grid) {
        c.Pen() = GridPen;
        for (int row : LinearYGridRows(p.top, p.bottom, spacing))
            Line(c, p.left, row, p.left + Axes.x.pixelLength - 2, row);
    }
}

void TLineChart::DrawLinearX(const SAxis& axis) {
    TCanvas& c = *canvas_;
    const SPlotRect& p = PlotRect;
    const float spacing = TickSpacingPx[0];
    const std::vector<STick> ticks = LinearXTicks(axis, p.left, p.right, BarMarginPx, spacing);
    for (const STick& t : ticks) {
        Line(c, t.pos, p.bottom, t.pos, p.bottom + XTickLength);
        if (t.labelled) TextOut2(t.pos, p.bottom + XTickLength, 2, 0, t.text, {}, false);
    }
    SAxis record = axis;
    WriteLabel(TruncSat(p.right - (0.2 * axis.everyOther + 0.5) * spacing), p.bottom + XTickLength,
               record, false);
    if (XGrid && !ticks.empty()) {
        c.Pen() = GridPen;
        for (int col : LinearXGridColumns(ticks.front().pos, axis.pixelLength, spacing))
            Line(c, col, p.top, col, p.bottom);
    }
}

void TLineChart::LabelsAndGridDB(SAxis axis) {
    TCanvas& c = *canvas_;
    PenScope scope(c);
    c.Pen() = AxisPen;
    c.Font().SetSize(LabelFont());
    const SPlotRect& p = PlotRect;
    const bool yAxis = axis.kind != 0;
    const SDecadeTicks d = yAxis ? DBTicks(axis, p.top, p.bottom, true, c.Font().Height())
                                 : DBTicks(axis, p.left, p.right, false, c.Font().Height());
    const int last = static_cast<int>(d.ticks.size()) - 1;
    for (int k = 0; k <= last; ++k) {
        const STick& t = d.ticks[k];
        if (axis.kind == 1) {
            Line(c, p.left, t.pos, p.left - YTickLength, t.pos);
            TextOut2(p.left - YTickLength - 1, t.pos, 1, 2, t.text, {}, false);
        } else if (axis.kind == 2) {
            Line(c, p.right, t.pos, p.right - YTickLength, t.pos);
            TextOut2(p.right + SmallGap, t.pos, 0, 2, t.text, {}, false);
        } else {
            Line(c, t.pos, p.bottom + 1, t.pos, p.bottom + XTickLength);
            TextOut2(t.pos, p.bottom, 2, 0, t.text, {}, false);
        }
    }
    const bool grid = axis.kind == 1 ? axis.grid : (axis.kind == 0 && XGrid);
    if (grid) {
        PenScope inner(c);
        c.Pen() = GridPen;
        for (int k = 1; k < last; ++k) {
            if (yAxis)
                Line(c, p.left, d.ticks[k].pos, p.right, d.ticks[k].pos);
            else
                Line(c, d.ticks[k].pos, p.top, d.ticks[k].pos, p.bottom);
        }
    }
    // The right axis' unit stands right of the plot, not over it.
    if (axis.kind == 1)
        WriteLabel(p.left - YTickLength, TruncSat(p.top + d.pixelStep / 2), axis, false);
    else if (axis.kind == 2)
        WriteLabel(p.right + SmallGap, TruncSat(p.top + d.pixelStep / 2), axis, false);
    else
        TextOut2(TruncSat(p.right - d.pixelStep / 2), p.bottom + XTickLength, 2, 0, "dB", {},
                 false);
}

void TLineChart::LabelsAndGridLog(SAxis axis) {
    TCanvas& c = *canvas_;
    PenScope scope(c);
    c.Pen() = AxisPen;
    c.Font().SetSize(LabelFont());
    const SPlotRect& p = PlotRect;
    const int kind = axis.kind;
    const bool yAxis = kind != 0;
    const SDecadeTicks d = yAxis ? LogTicks(axis, p.top, p.bottom, true, c.Font().Height())
                                 : LogTicks(axis, p.left, p.right, false, c.Font().Height());
    // A line across the plot at a tick position.
    auto across = [&](int pos) {
        if (yAxis)
            Line(c, p.left, pos, p.right, pos);
        else
            Line(c, pos, p.top, pos, p.bottom);
    };
    // Inner ticks at the plot edges, for finer decades without a grid.
    auto inward = [&](int pos) {
        if (kind == 1) {
            Line(c, p.left, pos, p.left + YTickLength, pos);
            if (!SecondYAxis) Line(c, p.right, pos, p.right - YTickLength, pos);
        } else if (kind == 2) {
            Line(c, p.right, pos, p.right - YTickLength, pos);
        } else {
            Line(c, pos, p.top, pos, p.top + XTickLength);
            Line(c, pos, p.bottom, pos, p.bottom - XTickLength);
        }
    };
    const int lastDecade = axis.lowDecade + std::max(1, axis.highDecade - axis.lowDecade);
    int decade = axis.lowDecade - 1;
    for (const STick& t : d.ticks) {
        if (t.minor) {
            PenScope inner(c);
            if (axis.grid) {
                c.Pen() = GridPen;
                c.Pen().SetStyle(psDot);
                across(t.pos);
            } else {
                c.Pen().SetWidth(1);
                c.Pen().SetStyle(psSolid);
                inward(t.pos);
            }
            continue;
        }
        decade = std::stoi(t.raised);
        if (kind == 1) {
            Line(c, p.left - YTickLength, t.pos, p.left + 1, t.pos);
            TextOut2(p.left - YTickLength, t.pos, 1, 2, t.text, t.raised, false);
        } else if (kind == 2) {
            Line(c, p.right - YTickLength, t.pos, p.right, t.pos);
            TextOut2(p.right + SmallGap, t.pos, 0, 2, t.text, t.raised, false);
        } else {
            Line(c, t.pos, p.bottom, t.pos, p.bottom + XTickLength);
            TextOut2(t.pos, p.bottom + XTickLength, 2, 0, t.text, t.raised, false);
        }
        const bool inner = decade != axis.lowDecade && decade != lastDecade;
        const bool barBase = PlotType == ptBar && yAxis && decade == 0;
        if (!inner || barBase) continue;
        PenScope lineScope(c);
        if (d.density == 2 && axis.grid) {
            c.Pen() = GridPen;
            across(t.pos);
        } else if (d.density == 3 && axis.grid) {
            c.Pen() = GridPen;
            c.Pen().SetStyle(psDash);
            across(t.pos);
        } else if (d.density == 3) {
            c.Pen().SetWidth(1);
            c.Pen().SetStyle(psSolid);
            inward(t.pos);
        }
    }
    if (yAxis)
        WriteLabel(kind == 1 ? p.left - YTickLength : p.right + SmallGap,
                   TruncSat(p.top + d.pixelStep / 2), axis, false);
    else
        WriteLabel(TruncSat(p.right - axis.spacing / 2), p.bottom + XTickLength, axis, false);
}
