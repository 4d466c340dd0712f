// The chart drawn into other canvases: a metafile on the clipboard or in a
// file, the printer, or a caller's canvas. Each runs the plot pass there
// and then puts the screen layout back.
#include "LineChart.h"

#include "PixelMath.h"

#include "Canvas.h"
#include "Clipboard.h"
#include "FileDialogs.h"
#include "Metafile.h"
#include "Printer.h"

#include <memory>

namespace {

struct SChartRectKeeper {
    int& l;
    int& t;
    int& r;
    int& b;
    int sl = l, st = t, sr = r, sb = b;
    ~SChartRectKeeper() { l = sl, t = st, r = sr, b = sb; }
};

} // namespace

// The chart with its factor and offset rows; complete on return.
void TLineChart::RenderMetafile(TMetafile& mf) {
    mf.SetWidth(ClientWidth());
    mf.SetHeight(ClientHeight() + GiveLegendHeight(true, true));
    TMetafileCanvas mc(mf);
    Copy(&mc, {ChartLeft, ChartTop, ChartRight, ChartTop + mf.Height()});
}

// "Plot copied ..." with the point count of line plots.
void TLineChart::ShowOutputMessage(const std::string& done, const std::string& note) {
    std::string text = done;
    if (SegmentCount > 0 && PlotType == ptLine)
        text +=
            " (" + std::to_string(SegmentCount) + (TotalCurves > 1 ? " Points Max)" : " Points)");
    if (StrongFilter)
        Message({note + text, "Warning", EMsgIcon::Warning, false});
    else
        Message({text, "Information", EMsgIcon::Information, false});
}

void TLineChart::Copy() {
    TMetafile mf;
    RenderMetafile(mf);
    Clipboard().Assign(mf);
    ShowOutputMessage("Plot copied into Win95 Clipboard",
                      "\nSince \"StrongFilter\" option is used,\ncheck the appearence of the "
                      "copied plot before use\n\n\n");
}

void TLineChart::Save() {
    TSaveDialog dialog(this);
    dialog.Filter = "Windows metafile files (*.wmf)|*.wmf";
    dialog.DefaultExt = "wmf";
    if (!dialog.Execute()) return;
    TMetafile mf;
    RenderMetafile(mf);
    // A file that could not be written is reported, never "saved".
    const std::string error = mf.SaveToFile(dialog.FileName);
    if (!error.empty()) {
        Message({"Unable to save the plot in \"" + dialog.FileName + "\":\n" + error, "Error",
                 EMsgIcon::Error, false});
        return;
    }
    Clipboard().Assign(mf);
    ShowOutputMessage("Plot saved", "\nSince \"StrongFilter\" option is used\ncheck the "
                                    "appearence of the saved plot before use\n\n\n");
}

void TLineChart::Copy(TCanvas* canvas, TRect rect) {
    if (!canvas) return;
    const int frameWidth = FramePen.Width(), curveWidth = CurvePen.Width();
    TCanvas* const screen = canvas_;
    int drawn = 0;
    {
        SChartRectKeeper keep{ChartLeft, ChartTop, ChartRight, ChartBottom};
        ChartLeft = rect.Left, ChartTop = rect.Top, ChartRight = rect.Right,
        ChartBottom = rect.Bottom;
        canvas_ = canvas;
        canvas_->Font().SetName("Arial");
        DrawHeight = rect.Height();
        XTickLength = std::max(4, TruncSat(0.015 * DrawHeight));
        Copying = true;
        if (GotData) {
            Plot(false, true);
            drawn = SegmentCount;
            DrawTitle();
            if (xVar_.xIsTime || !Zoomed) MarkAll();
        }
        Copying = false;
        FramePen.SetWidth(frameWidth);
        CurvePen.SetWidth(curveWidth);
        canvas_ = screen;
    }
    DesignPlot();
    // The screen's own layout again (plot rectangle, scales, columns), so
    // zoom, cursor and marks keep working on what the screen shows.
    if (GotData) Plot(true, false);
    SegmentCount = drawn; // the count of the copy, which the message reports
}

void TLineChart::Print(int framePen, int curvePen) {
    TPrinter& printer = Printer();
    const int e = GiveLegendHeight(true, true);
    const float aspect =
        DrawWidth > 0 ? static_cast<float>(double(e + DrawHeight) / DrawWidth) : 1.0f;
    const int PW = printer.PageWidth(), PH = printer.PageHeight();
    int top = TruncSat(0.05 * PW), left = TruncSat(0.05 * PW), right = TruncSat(0.95 * PW);
    int bottom = TruncSat((right - left) * double(aspect) + top);
    if (bottom > 0.95 * PH && aspect > 0) {
        bottom = TruncSat(0.95 * PH);
        left = TruncSat((bottom - top) * 0.05 / aspect);
        right = TruncSat(left + (bottom - top) / double(aspect));
    }
    const std::string begin = printer.BeginDoc();
    if (!begin.empty()) {
        Message({begin, "Error", EMsgIcon::Error, false});
        return;
    }
    Print(framePen, curvePen, {left, top, right, bottom});
    const std::string end = printer.EndDoc();
    if (!end.empty()) Message({end, "Error", EMsgIcon::Error, false});
}

void TLineChart::Print(int framePen, int curvePen, TRect rect) {
    const int frameWidth = FramePen.Width(), curveWidth = CurvePen.Width();
    TCanvas* const screen = canvas_;
    const SAxisSet screenAxes = Axes;
    {
        SChartRectKeeper keep{ChartLeft, ChartTop, ChartRight, ChartBottom};
        ChartLeft = rect.Left, ChartTop = rect.Top, ChartRight = rect.Right,
        ChartBottom = rect.Bottom;
        Printing = true;
        canvas_ = &Printer().Canvas();
        canvas_->Font().SetName("Arial");
        canvas_->SetClipRect(rect);
        DesignPlot();
        AdjustTitleSize(false);
        if (GotData) MeasureLabelWidths();
        FramePen.SetWidth(framePen);
        AxisPen.SetWidth(framePen);
        CurvePen.SetWidth(curvePen);
        if (GotData) Plot(false, true);
        canvas_->SetClipRect({0, 0, rect.Right, rect.Bottom});
        DrawTitle();
        if (GotData) MarkAll();
        canvas_->ResetClip();
        Printing = false;
        canvas_ = screen;
    }
    DesignPlot();
    AdjustTitleSize(false);
    FramePen.SetWidth(frameWidth);
    AxisPen.SetWidth(frameWidth);
    CurvePen.SetWidth(curveWidth);
    BlackWhite = false;
    Axes = screenAxes;
    if (GotData) Plot(true, false);
}
