#pragma once
// The drawing surface of every control, metafile and printer page. One
// interface, several back ends (image, printer, metafile, recording); all of
// them follow the Windows rules the drawing code counts on:
// - Rectangle and FillRect leave out the right and bottom edges;
// - LineTo and Polyline leave out their end pixel; LineTo moves the pen;
// - a pen of width 0 draws one pixel; dotted and dashed pens only at width 1;
// - TextOut places the text by its top-left corner, on an opaque background in
//   the brush colour when the brush is solid, and moves the pen to its end;
// - text is 8-bit Windows-1252;
// - nothing is antialiased.

#include "GraphicsObjects.h"
#include "Object.h"
#include "Types.h"

#include <cstdint>
#include <span>
#include <string_view>

// GetPixel's answer where nothing can be read back.
constexpr TColor clInvalid = 0xFFFFFFFFu;

class TCanvas : public TObject {
public:
    ~TCanvas() override;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    TPoint PenPos() const { return penPos_; }
    // Dots per inch of the device: 96 for the screen and metafiles.
    int PixelsPerInch() const { return pixelsPerInch_; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    // Fills with the brush only; no outline.
    void FillRect(const TRect& r);
    void Ellipse(int x1, int y1, int x2, int y2);
    void SetPixel(int x, int y, TColor color);
    virtual TColor GetPixel(int x, int y);

    void TextOut(int x, int y, std::string_view text);
    // Text at (x, y) clipped to r; with a solid brush r is filled first.
    void TextRect(const TRect& r, int x, int y, std::string_view text);
    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    // The line height of the font; the same for every text, the empty one too.
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    // A rectangular clip in device coordinates, replacing any earlier one.
    void SetClipRect(const TRect& r);
    void ResetClip();
    bool HasClip() const { return hasClip_; }
    const TRect& ClipRect() const { return clip_; }

protected:
    explicit TCanvas(int pixelsPerInch);
    // A new device resolution; the font keeps its point size.
    void SetDeviceResolution(int pixelsPerInch);

    // Back-end primitives; colours reach them unresolved (ColorToRGB turns
    // system colours into RGB). Pen, brush and font are read from the canvas;
    // PenGeneration() and friends change whenever the object changed.
    virtual void DoMoveTo(TPoint) {}
    virtual void DoLineTo(TPoint from, TPoint to) = 0;
    virtual void DoPolyline(std::span<const TPoint> points) = 0;
    virtual void DoPolygon(std::span<const TPoint> points) = 0;
    virtual void DoRectangle(const TRect& r) = 0;
    virtual void DoFillRect(const TRect& r) = 0;
    virtual void DoEllipse(const TRect& r) = 0;
    virtual void DoSetPixel(int x, int y, TColor color) = 0;
    // clip is null for TextOut; opaque: fill the text's box (or the clip
    // rectangle) in the brush colour first, which only a solid brush does;
    // hatched and clear brushes leave the background as it is.
    virtual void DoTextOut(int x, int y, std::string_view text, const TRect* clip, bool opaque) = 0;
    virtual TSize DoTextExtent(std::string_view text) = 0;
    virtual void DoClipChanged() = 0;

    std::uint64_t PenGeneration() const { return penGen_; }
    std::uint64_t BrushGeneration() const { return brushGen_; }
    std::uint64_t FontGeneration() const { return fontGen_; }

private:
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
    int pixelsPerInch_;
    bool hasClip_ = false;
    TRect clip_;
    std::uint64_t penGen_ = 1, brushGen_ = 1, fontGen_ = 1;
};
