#include "LineChart.h"

#include "CanvasMeasure.h"
#include "ChartNumbers.h"
#include "PixelMath.h"
#include "TitleForm.h"

#include "Application.h"
#include "Canvas.h"
#include "Image.h"
#include "Label.h"
#include "MessageBox.h"
#include "Shape.h"
#include "services/SystemHooks.h"

#include <algorithm>
#include <new>

namespace {

// A panel's size before its owner sizes it.
constexpr int kInitialWidth = 185, kInitialHeight = 41;

// Without a handler of the owner the chart shows its own message box; a fatal message
// then ends the program once the current event is done.
void DefaultMessage(const SChartMessage& m) {
    unsigned icon = 0;
    switch (m.icon) {
    case EMsgIcon::Warning:
        icon = MB_ICONEXCLAMATION;
        break;
    case EMsgIcon::Information:
        icon = MB_ICONINFORMATION;
        break;
    case EMsgIcon::Error:
        icon = MB_ICONSTOP;
        break;
    case EMsgIcon::None:
        break;
    }
    MessageBox(m.text, m.title, MB_OK | icon);
    if (m.fatal && Application) Application->Terminate();
}

} // namespace

TLineChart::TLineChart(TControl* owner) : TControl(owner) {
    SetBounds(Left(), Top(), kInitialWidth, kInitialHeight);
    ShowMessage = DefaultMessage;

    image_ = new TImage(this);
    image_->SetBounds(0, 0, Width(), Height());
    image_->Bitmap().SetSize(Width(), Height());
    canvas_ = &image_->Canvas();
    canvas_->Font().SetName("Arial");
    using namespace std::placeholders;
    image_->OnMouseDown = std::bind(&TLineChart::ImageMouseDown, this, _1, _2, _3, _4, _5);
    image_->OnMouseMove = std::bind(&TLineChart::ImageMouseMove, this, _1, _2, _3, _4);
    image_->OnMouseUp = std::bind(&TLineChart::ImageMouseUp, this, _1, _2, _3, _4, _5);

    titleLabel1_ = new TLabel(this);
    titleLabel1_->SetCaption("Double-Click here to set the title text!");
    titleLabel1_->SetAlignment(taCenter);
    titleLabel1_->SetColor(RGB(240, 240, 240));
    titleLabel1_->Font().SetName(canvas_->Font().Name());
    titleLabel1_->Hide();
    titleLabel1_->OnDblClick = [this](TObject* s) { TitleLabelDblClick(s); };
    titleLabel1_->OnMouseMove = std::bind(&TLineChart::LabelMouseMove, this, _1, _2, _3, _4);
    titleLabel2_ = new TLabel(this);
    titleLabel2_->SetAlignment(taCenter);
    titleLabel2_->SetColor(RGB(255, 255, 223));
    titleLabel2_->Font().SetName(canvas_->Font().Name());
    titleLabel2_->Hide();
    titleLabel2_->OnDblClick = titleLabel1_->OnDblClick;
    titleLabel2_->OnMouseMove = titleLabel1_->OnMouseMove;

    zoomRect_ = new TShape(this);
    zoomRect_->SetBounds(0, 0, 0, 0);
    zoomRect_->Brush().SetStyle(bsClear);
    zoomRect_->Pen().SetStyle(psDot);
    cursorLine_ = new TShape(this);
    cursorLine_->SetWidth(1);
    cursorLine_->Brush().SetColor(RGB(192, 192, 192));
    cursorLine_->Pen().SetColor(clBlack);
    cursorLine_->Hide();
    cursorLine_->OnMouseDown = std::bind(&TLineChart::ConMouseDown, this, _1, _2, _3, _4, _5);
    cursorLine_->OnMouseMove = std::bind(&TLineChart::ConMouseMove, this, _1, _2, _3, _4);
    cursorLine_->OnMouseUp = std::bind(&TLineChart::ConMouseUp, this, _1, _2, _3, _4, _5);

    titleForm_ = std::make_unique<TTitleForm>();

    GridPen.SetStyle(psDot);
    FramePen.SetColor(clBlack);

    ChartLeft = 0, ChartTop = 0, ChartRight = Width(), ChartBottom = Height();
    AutoAxisFont = AutoLegendFont = true;
    PlotPenWidth = pwAuto;
    DesignPlot();

    PixelToIndex.Reset(1, 0);
    cursorX_.assign(1, 0);
    cursorY_.assign(1, 0);
    cursorRows_.assign(1, cursorY_.data());

    YTickBudget_ = YTickBudget(DrawHeight, CharHeight);
    XTickBudget_ = XTickBudget(DrawWidth, canvas_->TextWidth("+0.000"), 1.0);

    TitleRows = 1;
    Axes.x.kind = 0;
    Axes.yLeft.kind = 1;
    Axes.yRight.kind = 2;
}

// The child controls belong to this control and go with it (the base's
// destructor releases their windows first).
TLineChart::~TLineChart() {
    titleForm_.reset();
    delete cursorLine_;
    delete zoomRect_;
    delete titleLabel2_;
    delete titleLabel1_;
    delete image_;
}

void TLineChart::SetXGrid(bool v) {
    XGrid = v;
    Axes.x.grid = v;
}

void TLineChart::SetYGrid(bool v) {
    YGrid = v;
    Axes.yLeft.grid = v;
}

void TLineChart::SetXScaleType(EScaleType t) {
    XScaleType = t;
    Axes.x.scaleType = t;
}

void TLineChart::SetYScaleType(EScaleType t) {
    YScaleType = t;
    Axes.yLeft.scaleType = t;
    Axes.yRight.scaleType = t;
}

void TLineChart::GetData(bool unequalSpacing, int nCurves, int nPoints, SXVarParam xVar,
                         SCurveParam* curves, float* x, float** y) {
    NFiles = 1;
    singleUnequal_ = unequalSpacing;
    singleCurves_ = nCurves;
    singlePoints_ = nPoints;
    unequal_ = &singleUnequal_;
    nCurves_ = &singleCurves_;
    nPoints_ = &singlePoints_;
    curves_ = curves;
    xVar_ = xVar;
    singleX_.assign(1, x);
    singleY_.assign(1, y);
    x_ = singleX_.data();
    y_ = singleY_.data();
    TotalCurves = nCurves;
    NUnequalFiles = unequalSpacing ? 1 : 0;
    GotData = true;
}

void TLineChart::GetData(int nFiles, bool* unequalSpacing, int* nCurves, int* nPoints,
                         SXVarParam xVar, SCurveParam* curves, float** x, float*** y) {
    NFiles = nFiles;
    unequal_ = unequalSpacing;
    nCurves_ = nCurves;
    nPoints_ = nPoints;
    xVar_ = xVar;
    curves_ = curves;
    x_ = x;
    y_ = y;
    TotalCurves = Data().totalCurves();
    NUnequalFiles = 0;
    for (int f = 0; f < nFiles; ++f)
        NUnequalFiles += unequalSpacing[f] ? 1 : 0;
    GotData = true;
}

SChartData TLineChart::Data() const {
    SChartData d;
    d.nFiles = NFiles;
    d.nCurves = nCurves_;
    d.nPoints = nPoints_;
    d.x = x_;
    d.y = y_;
    d.curves = curves_;
    return d;
}

bool TLineChart::FileUnequal(int f) const {
    return IsUnequallySpaced(unequal_[f], x_[f], nPoints_[f]);
}

void TLineChart::Message(const SChartMessage& m) {
    if (ShowMessage)
        ShowMessage(m);
    else
        DefaultMessage(m);
}

// ---- scaling

int TLineChart::ScaleXYFullRect() {
    SecondYAxis = false;
    if (GotData && curves_) SecondYAxis = AssignYAxes({curves_, std::size_t(TotalCurves)});
    SetFullDispRect();
    if (!GotData) return 1;
    ManualScale = false;
    return ScaleXY(DispRect, false);
}

void TLineChart::SetFullDispRect() {
    if (!GotData) {
        Message({"Unexpected Error \"Not Got Data\" in TLineChart", "Unexpected Error",
                 EMsgIcon::Error, true});
        return;
    }
    FullDataRect(Data(), FullRect, DispRect);
}

FloatRect2 TLineChart::FullDataRectangle() const {
    FloatRect2 r = DispRect;
    if (!GotData) return r;
    float full[6] = {};
    FullDataRect(Data(), full, r);
    return r;
}

SScaleSettings TLineChart::ScaleSettingsFor() const {
    SScaleSettings s;
    s.xBudget = XTickBudget_;
    s.yBudget = YTickBudget_;
    s.manual = ManualScale;
    s.secondY = SecondYAxis;
    s.env.labelFontSize = LabelFont();
    s.env.exponentFontSize = ExponentFontSizePt;
    s.env.yTickLength = YTickLength;
    s.env.autoLabel = AutoLabel;
    s.env.userLabel = UserLabel;
    s.env.yUnitText = YUnitText;
    s.env.xVar = xVar_;
    if (curves_) s.env.curves = {curves_, std::size_t(std::max(0, TotalCurves))};
    return s;
}

// A log axis is refused for data with values at or below 0, not for a linear range whose
// rounded lower end is 0: over positive data it starts at the smallest sample.
void TLineChart::LogRangeFromData(FloatRect2& rect) {
    const bool xLog = Axes.x.scaleType != stLin && !(rect.xLower > 0);
    const bool yLog = Axes.yLeft.scaleType != stLin &&
                      (!(rect.yLeftLower > 0) || (SecondYAxis && !(rect.yRightLower > 0)));
    if (!GotData || (!xLog && !yLog)) return;
    const FloatRect2 full = FullDataRectangle();
    auto fromData = [](float& lower, float& upper, float min, float max) {
        if (lower > 0 || !(min > 0)) return;
        lower = min;
        if (!(upper > lower)) upper = max;
    };
    if (xLog) fromData(rect.xLower, rect.xUpper, full.xLower, full.xUpper);
    if (yLog) {
        fromData(rect.yLeftLower, rect.yLeftUpper, full.yLeftLower, full.yLeftUpper);
        if (SecondYAxis)
            fromData(rect.yRightLower, rect.yRightUpper, full.yRightLower, full.yRightUpper);
    }
}

int TLineChart::ScaleXY(FloatRect2 rect, bool exactEnds, const std::vector<EScaleMsg>& quiet) {
    LogRangeFromData(rect);
    CanvasMeasure measure(*canvas_);
    SScaleSettings s = ScaleSettingsFor();
    s.env.measure = &measure;
    const SScaleOutcome out = ::ScaleXY(Axes, DispRect, rect, exactEnds, s);
    for (EScaleMsg m : out.messages)
        if (std::find(quiet.begin(), quiet.end(), m) == quiet.end()) Message(ScaleMessage(m));
    lastScaleMessages_ = out.messages;
    return out.errors;
}

// Label widths again in the current canvas and label font: a printer's dots are not the
// screen's pixels, and a width measured on screen cuts the printed labels off.
void TLineChart::MeasureLabelWidths() {
    CanvasMeasure measure(*canvas_);
    SScaleSettings s = ScaleSettingsFor();
    s.env.measure = &measure;
    AxisLabelWidth(Axes.x, s.env, Axes.xText);
    AxisLabelWidth(Axes.yLeft, s.env, Axes.yLeftText);
    if (SecondYAxis)
        AxisLabelWidth(Axes.yRight, s.env, Axes.yRightText);
    else
        Axes.yRight.labelWidth = 0;
}

// ---- layout

void TLineChart::DesignPlot() {
    DrawWidth = ChartRight - ChartLeft;
    DrawHeight = ChartBottom - ChartTop;
    const SDesign d = DesignSizes(DrawWidth, DrawHeight);
    XTickLength = d.xTickLength;
    YTickLength = d.yTickLength;
    int f = d.labelFontSize;
    ExponentFontSizePt = d.exponentFontSize;
    canvas_->Font().SetSize(f);
    CharHeight = canvas_->TextHeight("W");
    SmallGap = TruncSat(0.6 * canvas_->TextWidth("a"));
    if (Printing) {
        f = TruncSat(0.8 * f);
        ExponentFontSizePt = ExponentFontSize(f);
        canvas_->Font().SetSize(f);
        LegendFontSize = f;
        LegendUnitWidth = TruncSat(0.55 * canvas_->TextWidth("x") + 0.5);
    } else {
        LegendFontSize = f - 1;
        const double xw = 0.7 * canvas_->TextWidth("x");
        LegendUnitWidth = DrawWidth / 100 >= xw ? TruncSat(xw) : DrawWidth / 100;
    }
    LabelFontSize = f;
}

void TLineChart::Resize_(int width, int height) {
    SetBounds(Left(), Top(), width, height);
    ChartRight = width;
    image_->SetBounds(0, 0, width, height);
    image_->Bitmap().SetSize(width, height);
    ChartBottom = height;
    cursorLine_->SetHeight(height);

    DesignPlot();
    AdjustTitleSize(false);
    YTickBudget_ = YTickBudget(DrawHeight, CharHeight);
    XTickBudget_ = XTickBudget(DrawWidth, canvas_->TextWidth("+0.000"), 0.4);
    if (!GotData) return;

    // A failed scaling keeps the last picture; its message was shown once
    // already and is not repeated at every resize step.
    const std::vector<EScaleMsg> shown = lastScaleMessages_;
    if (ScaleXY(DispRect, true, shown)) return;
    Plot(false, false);
    MarkAll();

    if (xVar_.xIsTime) {
        const int w = cursorLine_->Width();
        int c = 0;
        const XYValues v = GiveValues(width / 2 + w / 2, LinearInterpolation, c);
        cursorLine_->SetLeft(std::max(
            PlotRect.left, std::min(PlotRect.right - BarMarginPx, TruncSat(c - w / 2.0 + 0.5))));
        FireValues(v);
    }
}

// ---- plot pass

std::string TLineChart::Plot(bool fullRange) {
    // A refused scaling may have rescaled some axes already: they go back to what the
    // picture shows, so zoom, cursor and marks keep working on it. The settings the
    // caller made (scale types, grid) stay the caller's to keep or put back.
    const SAxisSet drawn = Axes;
    const FloatRect2 drawnRect = DispRect;
    const bool drawnManual = ManualScale, drawnSecond = SecondYAxis;
    const int errors = fullRange ? ScaleXYFullRect() : ScaleXY(DispRect, false);
    ScaleRefused = errors != 0;
    if (ScaleRefused) {
        Axes = drawn;
        DispRect = drawnRect;
        ManualScale = drawnManual;
        SecondYAxis = drawnSecond;
        return {};
    }
    return Plot(false, false);
}

void TLineChart::ComputeVisibleRanges() {
    for (int f = 0; f < NFiles; ++f) {
        const SVisibleRange r =
            VisibleRange(x_[f], nPoints_[f], FileUnequal(f), xVar_.xIsTime, DispRect.xLower,
                         DispRect.xUpper, Axes.x.lowerData, Axes.x.upperData);
        FirstVisible[f] = r.first;
        LastVisible[f] = r.last;
    }
}

namespace {

int DecadeSpan(const SAxis& a) {
    return std::max(1, a.highDecade - a.lowDecade);
}

// Pixels per unit of the factor along `length` pixels.
float AxisScale(const SAxis& a, int length) {
    if (a.scaleType != stLin) return static_cast<float>(double(length) / DecadeSpan(a));
    const double range = double(a.upper) - a.lower;
    return range > 0 ? static_cast<float>(length / range) : 0.0f;
}

} // namespace

std::string TLineChart::Plot(bool layoutOnly, bool legendArgument) {
    // The title rule comes first: a pass that ends here changes nothing.
    int plotTop = ChartTop + CharHeight + 1;
    if (titleLabel1_->Visible()) {
        if (CharHeight + 1 < TitleHeight)
            plotTop = ChartTop + TitleHeight;
        else if (plotTop == previousPlotTop_ && TitleAdjusted)
            return {};
    }
    previousPlotTop_ = plotTop;

    try {
        FirstVisible.assign(NFiles, 0);
        LastVisible.assign(NFiles, 0);
    } catch (const std::bad_alloc&) {
        return "Unable to allocate variables in TLineChart!";
    }
    for (int f = 0; f < NFiles; ++f)
        LastVisible[f] = std::max(0, nPoints_[f]) - 1;
    const std::uint32_t start = GetTickCount();

    FilterClip.strongFilter = Copying ? StrongFilter : false;
    if (!Printing) {
        const int w = PlotPenWidthFor(PlotPenWidth, ClientWidth(), ClientHeight());
        AxisPen.SetWidth(w);
        CurvePen.SetWidth(w);
        FramePen.SetWidth(w);
    }
    TCanvas& c = *canvas_;
    savedPen_ = c.Pen();
    c.Pen().SetColor(clWhite);

    if (!layoutOnly) c.Rectangle(ChartLeft, ChartTop, ChartRight, ChartBottom);
    if (Legend)
        WriteLegend(layoutOnly, legendArgument);
    else
        LegendHeight = 0;
    c.Font().SetStyle(0);

    SLayoutInput in;
    in.chartLeft = ChartLeft, in.chartTop = ChartTop;
    in.chartRight = ChartRight, in.chartBottom = ChartBottom;
    in.plotTop = plotTop;
    in.yTickLength = YTickLength, in.xTickLength = XTickLength;
    in.leftLabelWidth = Axes.yLeft.labelWidth;
    in.rightLabelWidth = SecondYAxis ? Axes.yRight.labelWidth : 0;
    in.xLabelWidth = Axes.x.labelWidth;
    in.smallGap = SmallGap, in.legendHeight = LegendHeight;
    // The x labels' row under the plot is drawn in the label font, a tenth of its height
    // down; the character height may come from the legend's smaller font (or the title's
    // sizing, on a page), and then the labels would cover the legend's first row.
    {
        TFont& f = c.Font();
        const int height = f.Height();
        f.SetSize(LabelFont());
        const int h = c.TextHeight("W");
        f.SetHeight(height);
        in.charHeight = std::max(CharHeight, h + TruncSat(0.1 * h));
    }
    PlotRect = PlotRectangle(in);
    const SPlotRect& p = PlotRect;

    if (!Copying && !Printing) {
        cursorLine_->SetTop(p.top);
        cursorLine_->SetHeight(p.bottom - p.top + 1);
        for (TLabel* l : {titleLabel1_, titleLabel2_}) {
            l->SetLeft(p.left);
            l->SetWidth(p.right - p.left);
        }
    }

    c.Pen() = FramePen;
    if (!layoutOnly && !p.Empty()) {
        c.Brush().SetStyle(bsClear);
        c.Rectangle(p.left, p.top, p.right + 1, p.bottom + 1);
        c.Brush().SetStyle(bsSolid);
    }

    if (xVar_.xIsTime) ComputeVisibleRanges();

    const int D = p.right - p.left;
    BarMarginPx = 0;
    if (PlotType == ptBar && NFiles > 0)
        BarMarginPx = BarMargin(D, LastVisible[0] - FirstVisible[0]);

    const int xLength = D - 2 * BarMarginPx, yLength = p.bottom - p.top;
    Axes.x.pixelLength = xLength;
    Axes.yLeft.pixelLength = yLength;
    Axes.yRight.pixelLength = yLength;
    SAxis* axes[3] = {&Axes.x, &Axes.yLeft, &Axes.yRight};
    for (int k = 0; k < 3; ++k) {
        if (k == 2 && !SecondYAxis) break;
        const float s = AxisScale(*axes[k], k == 0 ? xLength : yLength);
        TickSpacingPx[k] = axes[k]->spacing * s;
        ScalePx[k] = s / axes[k]->factor;
    }

    try {
        std::vector<SPixelIndexFile> files(NFiles);
        for (int f = 0; f < NFiles; ++f)
            files[f] = {x_[f], nPoints_[f], FileUnequal(f), FirstVisible[f]};
        if (Axes.x.scaleType != stLin)
            FillPixelToIndexLog(PixelToIndex, files, Axes.x.lowDecade, ScalePx[0], D);
        else
            FillPixelToIndex(PixelToIndex, files, Axes.x.lowerData, Axes.x.upperData, D);
        NUnequalFiles = PixelToIndex.rows();
    } catch (const std::bad_alloc&) {
        Message({"Out of Memory in \"TLineChart.cpp\"", "Fatal Error", EMsgIcon::Error, true});
        return {};
    }

    if (!layoutOnly && !p.Empty()) {
        LabelsAndGrid(Axes.x);
        LabelsAndGrid(Axes.yLeft);
        if (SecondYAxis) LabelsAndGrid(Axes.yRight);
    }

    switch (PlotType) {
    case ptLine:
        DrawCurves(layoutOnly);
        break;
    case ptBar:
        DrawBars(layoutOnly);
        break;
    case ptSwarm:
        DrawSwarm(layoutOnly);
        break;
    }

    int widest = 1;
    for (int f = 0; f < NFiles; ++f)
        widest = std::max(widest, nCurves_[f]);
    cursorX_.assign(std::max(1, NFiles), 0);
    cursorY_.assign(std::size_t(std::max(1, NFiles)) * widest, 0);
    cursorRows_.resize(std::max(1, NFiles));
    for (std::size_t f = 0; f < cursorRows_.size(); ++f)
        cursorRows_[f] = cursorY_.data() + f * widest;

    PlotTimeText =
        " (" + chartnum::FloatToStrFixed((GetTickCount() - start) / 1000.0, 15, 2) + "s)";
    return {};
}

XYValues TLineChart::CursorValues() {
    return {cursorX_.data(), cursorRows_.data()};
}
