#include "RecordingCanvas.h"

#include <cstdlib>

namespace {
const char* OpName(TCanvasOp op) {
    switch (op) {
    case TCanvasOp::LineTo:
        return "LineTo";
    case TCanvasOp::Polyline:
        return "Polyline";
    case TCanvasOp::Polygon:
        return "Polygon";
    case TCanvasOp::Rectangle:
        return "Rectangle";
    case TCanvasOp::FillRect:
        return "FillRect";
    case TCanvasOp::Ellipse:
        return "Ellipse";
    case TCanvasOp::SetPixel:
        return "SetPixel";
    case TCanvasOp::TextOut:
        return "TextOut";
    case TCanvasOp::TextRect:
        return "TextRect";
    }
    return "?";
}

std::vector<int> Flatten(std::span<const TPoint> points) {
    std::vector<int> v;
    v.reserve(points.size() * 2);
    for (const TPoint& p : points) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    return v;
}
} // namespace

std::string ToString(const TCanvasCall& call) {
    std::string s = OpName(call.op);
    for (int a : call.args) {
        s += ' ';
        s += std::to_string(a);
    }
    if (!call.text.empty()) {
        s += " '";
        s += call.text;
        s += '\'';
    }
    return s;
}

TRecordingCanvas::TRecordingCanvas(int pixelsPerInch) : TCanvas(pixelsPerInch) {}

TCanvasCall& TRecordingCanvas::Add(TCanvasOp op, std::vector<int> args) {
    TCanvasCall c;
    c.op = op;
    c.args = std::move(args);
    c.penColor = ColorToRGB(Pen().Color());
    c.penWidth = Pen().Width();
    c.penStyle = Pen().Style();
    c.brushColor = ColorToRGB(Brush().Color());
    c.brushStyle = Brush().Style();
    c.fontName = Font().Name();
    c.fontHeight = Font().Height();
    c.fontStyle = Font().Style();
    c.fontColor = ColorToRGB(Font().Color());
    c.hasClip = HasClip();
    c.clip = ClipRect();
    Calls.push_back(std::move(c));
    return Calls.back();
}

void TRecordingCanvas::DoLineTo(TPoint from, TPoint to) {
    Add(TCanvasOp::LineTo, {from.x, from.y, to.x, to.y});
}
void TRecordingCanvas::DoPolyline(std::span<const TPoint> points) {
    Add(TCanvasOp::Polyline, Flatten(points));
}
void TRecordingCanvas::DoPolygon(std::span<const TPoint> points) {
    Add(TCanvasOp::Polygon, Flatten(points));
}
void TRecordingCanvas::DoRectangle(const TRect& r) {
    Add(TCanvasOp::Rectangle, {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::DoFillRect(const TRect& r) {
    Add(TCanvasOp::FillRect, {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::DoEllipse(const TRect& r) {
    Add(TCanvasOp::Ellipse, {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::DoSetPixel(int x, int y, TColor color) {
    Add(TCanvasOp::SetPixel, {x, y, static_cast<int>(ColorToRGB(color))});
}
void TRecordingCanvas::DoTextOut(int x, int y, std::string_view text, const TRect* clip,
                                 bool opaque) {
    TCanvasCall& c =
        clip ? Add(TCanvasOp::TextRect, {x, y, clip->Left, clip->Top, clip->Right, clip->Bottom})
             : Add(TCanvasOp::TextOut, {x, y});
    c.text = std::string(text);
    if (!opaque) {
        c.brushStyle = bsClear;
        c.brushColor = 0;
    }
}

TSize TRecordingCanvas::DoTextExtent(std::string_view text) {
    const int e = std::abs(Font().Height());
    return {static_cast<int>(text.size()) * ((3 * e + 2) / 5), (6 * e + 2) / 5};
}
