#pragma once
// A canvas that draws nothing and logs every drawing call with the pen, brush
// and font in force, for tests of drawing code. Its font metrics are fixed and
// independent of installed fonts: with e = |font height in pixels| (the cell
// height for a positive Height), a character is (3e + 2) / 5 pixels wide and a
// line is (6e + 2) / 5 pixels high.

#include "Canvas.h"

#include <string>
#include <vector>

enum class TCanvasOp {
    LineTo,
    Polyline,
    Polygon,
    Rectangle,
    FillRect,
    Ellipse,
    SetPixel,
    TextOut,
    TextRect
};

struct TCanvasCall {
    TCanvasOp op;
    std::vector<int> args; // LineTo: from x, y, to x, y; shapes: left, top, right, bottom;
                           // point lists: x, y pairs; SetPixel: x, y, colour;
                           // TextOut: x, y; TextRect: x, y, left, top, right, bottom
    std::string text;
    TColor penColor = 0; // colours as drawn (ColorToRGB)
    int penWidth = 0;
    TPenStyle penStyle = psSolid;
    TColor brushColor = 0;
    TBrushStyle brushStyle = bsSolid;
    std::string fontName;
    int fontHeight = 0;
    TFontStyles fontStyle = 0;
    TColor fontColor = 0;
    bool hasClip = false;
    TRect clip;

    friend bool operator==(const TCanvasCall&, const TCanvasCall&) = default;
};

std::string ToString(const TCanvasCall& call);

class TRecordingCanvas final : public TCanvas {
public:
    explicit TRecordingCanvas(int pixelsPerInch = 96);
    std::vector<TCanvasCall> Calls;

protected:
    void DoLineTo(TPoint from, TPoint to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoPolygon(std::span<const TPoint> points) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoSetPixel(int x, int y, TColor color) override;
    void DoTextOut(int x, int y, std::string_view text, const TRect* clip, bool opaque) override;
    TSize DoTextExtent(std::string_view text) override;
    void DoClipChanged() override {}

private:
    TCanvasCall& Add(TCanvasOp op, std::vector<int> args);
};
