#pragma once
// The chart control: curves, bars or point swarms of the caller's float
// arrays on linear, dB or log axes with ticks, labels, units and grid. It
// draws into the persistent picture of a child image control; nothing is
// painted in paint events, so the picture keeps the last plot.
//
// The computing half (scaling, tick positions, filter and clipper, pixel
// tables) lives in the Qt-free helpers; this class lays out the plot,
// keeps the state between passes and draws through TCanvas.

#include "AxisScale.h"
#include "ChartLayout.h"
#include "ChartTypes.h"
#include "DataRange.h"
#include "FilterClip.h"
#include "PixelIndex.h"

#include "Control.h"
#include "GraphicsObjects.h"
#include "Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TImage;
class TMemoPlus;
class TMetafile;
class TLabel;
class TShape;

// The data cursor's answer: x per file, y per file and curve. Owned by the
// chart, valid until its next plot pass.
struct XYValues {
    float* X = nullptr;
    float** Y = nullptr;
};

using TZoomStateEvent = std::function<void(TObject* Sender, bool Info)>;
using TValuesChangeEvent = std::function<void(TObject* Sender, XYValues Values)>;
// A modal message of the chart; the program binds its message box (and, for
// fatal ones, ends itself). Tests bind a recorder so nothing blocks.
using SChartMessage = SScaleMessage;
using TChartMessageHandler = std::function<void(const SChartMessage&)>;

// Derived from TControl until the framework has its panel; only the
// constructor and the size calls touch the base.
class TLineChart : public TControl {
public:
    using SAxis = ::SAxis;
    using SDigits = ::SDigits;
    using CFilterClip = ::CFilterClip;
    // Text placement of TextOut2. Horizontal: 0 starts right of the point,
    // 1 ends left of it, 2 centred. Vertical: 0 top just below the point,
    // 1 top 1.1 text heights below, 2 centred.
    using AdjustType = std::uint8_t;

    explicit TLineChart(TControl* owner);
    ~TLineChart() override;

    // Property setters: they store and draw nothing; the next Plot shows them.
    void SetDataCursorVisible(bool v);
    void SetLinearInterpolation(bool v);
    void SetXGrid(bool v);
    void SetYGrid(bool v);
    void SetXScaleType(EScaleType t);
    void SetYScaleType(EScaleType t);

    // One data set (the Fourier window).
    void GetData(bool unequalSpacing, int nCurves, int nPoints, SXVarParam xVar,
                 SCurveParam* curves, float* x, float** y);
    // Several files (the plot window). The chart keeps the pointers.
    void GetData(int nFiles, bool* unequalSpacing, int* nCurves, int* nPoints, SXVarParam xVar,
                 SCurveParam* curves, float** x, float*** y);

    // Scale (full range, or the displayed rectangle) and draw; a scaling
    // error leaves the previous picture, and the axes and the displayed
    // rectangle as drawn (ScaleRefused tells). Returns the plot pass's text.
    std::string Plot(bool fullRange);
    bool ScaleRefused = false;
    // The plot pass proper; empty text on success.
    std::string Plot(bool layoutOnly, bool legendArgument);
    void Resize_(int width, int height);
    void DesignPlot();

    // Scaling (the computing half does the work; messages go to ShowMessage).
    int ScaleXYFullRect();
    void SetFullDispRect();
    // The full data rectangle of the data held now; changes nothing.
    FloatRect2 FullDataRectangle() const;
    // Messages listed in `quiet` (shown already) are not repeated.
    int ScaleXY(FloatRect2 rect, bool exactEnds, const std::vector<EScaleMsg>& quiet = {});

    // Labels and grid of one axis; dB and log axes are passed on.
    void LabelsAndGrid(SAxis axis);
    void LabelsAndGridDB(SAxis axis);
    void LabelsAndGridLog(SAxis axis);
    int WriteLabel(int x, int y, SAxis& axis, bool measureOnly);
    int TextOut2(int x, int y, AdjustType horizontal, AdjustType vertical, const std::string& text,
                 const std::string& raised, bool measureOnly);

    void DrawCurves(bool extentsOnly);
    // Layout only: the columns and the cursor width, nothing drawn.
    void DrawBars(bool layoutOnly = false);
    void DrawSwarm(bool layoutOnly = false);

    TCanvas& Canvas() { return *canvas_; }
    TImage& Image() { return *image_; }

    // ---- zoom, data cursor and values (mouse positions in chart pixels)
    void ImageMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ImageMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The cursor line passes its events on in chart coordinates.
    void ConMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ConMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void ConMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // The owner forwards its form's keys: arrows move the cursor line.
    void KeyDown(WORD& Key, TShiftState Shift) override;
    FloatRect2 GiveZoomRect(int x1, int y1, int x2, int y2);
    XYValues GiveValues(int x, bool interpolate);
    XYValues GiveValues(int x, bool interpolate, int& pixel);
    // OnValuesChange with the values where the cursor line stands, when it is shown.
    void RefreshValues();
    // The data cursor line and the zoom rectangle (read by owners and tests).
    TShape& CursorLine() { return *cursorLine_; }
    TShape& ZoomShape() { return *zoomRect_; }

    // ---- title and legend
    class TTitleForm;
    TTitleForm& TitleForm() { return *titleForm_; }
    TLabel& TitleLabel(int row) { return row == 0 ? *titleLabel1_ : *titleLabel2_; }
    void TitleLabelDblClick(TObject* Sender);
    void EnableTitle();
    void DisableTitle();
    void AdjustTitleSize(bool replot);
    void DrawTitle();
    void LabelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    // The caller keeps the name arrays alive; factors and offsets are read
    // now (one per curve in order, then the x variable).
    void GetInfoLegend(const std::string* fileNames, const std::string* varNames, int xIndex,
                       const float* factors, const float* offsets);
    void WriteLegend(bool positionsOnly, bool withFactors);
    int GiveLegendHeight(bool factorRowsOnly, bool withFactors);
    static int max3(int a, int b, int c);

    // ---- marks
    void Mark() { Mark(true); }
    void Mark(bool store);
    void MarkSingle(int file, int tableIndex, int curveInFile, int curve, bool store);
    void MarkAll();
    void MarkAuto();
    void DrawMark(int x, int y, int kind, bool inLegend);
    void ResetMarkData();
    bool AreThereAnyMarks() const { return AutoMark || MarkCounter >= 0; }

    // ---- copy, metafile and print
    void Copy();
    void Save();
    void Copy(TCanvas* canvas, TRect rect);
    void Print(int framePen, int curvePen);
    void Print(int framePen, int curvePen, TRect rect);

    // ---- state (public: the owners and the later interaction code read it)
    bool StrongFilter = false;
    bool BlackWhite = false;  // all curves black (printing)
    bool ManualScale = false; // the next Plot(false) keeps the displayed ends
    bool AutoLabel = false;   // units may be shown in axis labels
    bool UserLabel = false;   // axis texts set by the user, never rebuilt
    std::string YUnitText;    // unit of the y axes written out (a ratio's "pu"), else empty
    int UserFontSize = 8;
    int PrintPenWidth = 1;
    bool AutoAxisFont = true, AutoLegendFont = true;
    TPen FramePen, GridPen, CurvePen, AxisPen;
    FloatRect2 DispRect;
    // Axis records with the unit and exponent texts of x, left y and right y.
    SAxisSet Axes;
    bool DataCursorVisible = false;
    bool LinearInterpolation = false;
    bool SecondYAxis = false;
    bool XGrid = false, YGrid = false;
    bool Zoomed = false;
    EPlotType PlotType = ptLine;
    EPlotPenWidth PlotPenWidth = pwAuto;
    ESwarmPointSize SwarmPointSize = ssPixel;
    EScaleType XScaleType = stLin, YScaleType = stLin;
    std::string ApplicationName;
    TZoomStateEvent OnZoomStateChange;
    TValuesChangeEvent OnValuesChange;
    TChartMessageHandler ShowMessage;

    bool TitleAdjusted = false;
    bool Copying = false;
    bool Printing = false;
    bool GotData = false;
    bool Legend = false;
    bool Zooming = false;

    int DrawHeight = 0, DrawWidth = 0;
    int LegendHeight = 0, TitleHeight = 0, TitleRows = 1;
    SPlotRect PlotRect;
    int BarMarginPx = 0;
    int LabelFontSize = 8, ExponentFontSizePt = 6, LegendFontSize = 7;

    int NFiles = 0;
    int TotalCurves = 0;
    int NUnequalFiles = 0;
    CPixelIndexTable PixelToIndex;
    int SmallGap = 0;
    int LegendUnitWidth = 0;
    std::vector<std::int64_t> FirstVisible, LastVisible;
    int FirstColumn[8] = {}, LastColumn[8] = {};
    int CharHeight = 0;
    int XTickBudget_ = 4, YTickBudget_ = 4;
    int SegmentCount = 0; // most segments (or points) drawn for one curve, last pass
    std::string PlotTimeText;
    float TickSpacingPx[3] = {};          // x, left y, right y
    float ScalePx[3] = {};                // pixels per data unit (per decade on log axes)
    int XTickLength = 4, YTickLength = 4; // x axis ticks vertical, y axis ticks horizontal
    int ChartLeft = 0, ChartTop = 0, ChartRight = 0, ChartBottom = 0;
    float FullRect[6] = {}; // x min, x max, left-y min, left-y max, right-y min, right-y max
    CFilterClip FilterClip;

    // ---- interaction state
    bool CursorDragging = false;
    int ZoomStartX = 0, ZoomStartY = 0;
    static constexpr float kNoValue = 8888.8f; // no sample under the cursor
    // Marks: per file and stored mark the sample at or before it (-1: missed
    // the file) and the fraction of the way to the next sample.
    static constexpr int kMaxMarks = 8, kMaxMarkFiles = 8;
    bool AutoMark = false;
    int MarkCounter = -1;
    int MarkIndex[kMaxMarkFiles][kMaxMarks] = {};
    float MarkFraction[kMaxMarkFiles][kMaxMarks] = {};
    // Legend data (GetInfoLegend) and the symbol place of each curve.
    bool LegendInfo = false;
    int XIndex = 0;
    std::vector<bool> DefaultScaling;                // per file, then the x variable
    std::vector<std::string> FactorText, OffsetText; // per curve, then the x variable
    std::vector<TPoint> LegendSymbol;                // per curve (chart coordinates)

    // The cursor values of the last pass (rebuilt by every pass).
    XYValues CursorValues();

private:
    SChartData Data() const;
    SScaleSettings ScaleSettingsFor() const;
    void MeasureLabelWidths();
    int LabelFont() const { return AutoAxisFont ? LabelFontSize : UserFontSize; }
    bool FileUnequal(int f) const;
    SPixelMap MapFor(int curveAxis, bool bars) const;
    void ComputeVisibleRanges();
    void FileColumns(bool bars);
    void Message(const SChartMessage& m);
    void LogRangeFromData(FloatRect2& rect);
    void DrawLinearY(const SAxis& axis);
    void DrawLinearX(const SAxis& axis);

    // Interaction helpers.
    struct SZoomSpan {
        int a = 0, b = 0, c = 0, e = 0; // clamped x and y pixel offsets
    };
    SZoomSpan ZoomSpan(int x1, int y1, int x2, int y2) const;
    void EnsureValueBuffers();
    void FireValues(XYValues v);
    double CursorValueAt(int h) const;
    int TableRowOf(int file) const;
    // A mark's place in a file: the sample at or before it (-1: none) and the fraction
    // of the way to the next.
    struct SMarkPlace {
        std::int64_t index = -1;
        double fraction = 0;
    };
    void MarkAt(int column, int file, int tableIndex, int curveInFile, int curve, bool store);
    SMarkPlace MarkPlace(int column, int file, int tableIndex) const;
    bool MarkPoint(int file, int curveInFile, int curve, const SMarkPlace& place, TPoint& at) const;
    void LegendSymbols();
    std::string CurveName(int curve) const;
    void RenderMetafile(TMetafile& mf);
    void ShowOutputMessage(const std::string& done, const std::string& note);

    std::unique_ptr<TTitleForm> titleForm_;
    const std::string* legendFiles_ = nullptr;
    const std::string* legendVars_ = nullptr;
    TImage* image_ = nullptr;
    TCanvas* canvas_ = nullptr;
    TLabel* titleLabel1_ = nullptr;
    TLabel* titleLabel2_ = nullptr;
    TShape* zoomRect_ = nullptr;
    TShape* cursorLine_ = nullptr;
    TPen savedPen_;

    // The caller's arrays, or the single-file holders below.
    bool* unequal_ = nullptr;
    int* nCurves_ = nullptr;
    int* nPoints_ = nullptr;
    float** x_ = nullptr;
    float*** y_ = nullptr;
    SCurveParam* curves_ = nullptr;
    SXVarParam xVar_{};
    bool singleUnequal_ = false;
    int singleCurves_ = 0, singlePoints_ = 0;
    std::vector<float*> singleX_;
    std::vector<float**> singleY_;

    std::vector<float> cursorX_, cursorY_;
    std::vector<float*> cursorRows_;

    SPolylines runs_; // kept between passes: clear() keeps the memory
    std::vector<TPoint> runPoints_;
    // Messages of the last scaling, so a resize does not repeat them.
    std::vector<EScaleMsg> lastScaleMessages_;

    // The plot top of the previous pass, shared by all charts (title rule).
    static inline int previousPlotTop_ = -1;
};
