#pragma once
// A Windows metafile (.wmf with the placeable header), written by our own code
// through TMetafileCanvas. Logical units are screen pixels (96 per inch); the
// picture is Width x Height of them. Coordinates beyond the 16-bit range of the
// format are held at its limits.

#include "Canvas.h"
#include "Object.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TMetafile : public TObject {
public:
    TMetafile() = default;

    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    bool Empty() const { return data_.empty(); }

    // The whole file; empty until a metafile canvas on it was destroyed.
    const std::vector<std::uint8_t>& Data() const { return data_; }
    // Empty text on success, else the reason (nothing written, a short write).
    std::string SaveToFile(const std::string& fileName) const;
    // Takes a placeable metafile after checking it; empty text on success.
    std::string LoadFromBytes(std::span<const std::uint8_t> bytes);
    void Clear();
    // The texts of its text records as they were drawn, in record order. The file holds
    // them in Windows-1252; a picture made from the metafile here (the clipboard's image)
    // draws these instead, so that it loses no character. Kept in memory only.
    const std::vector<std::string>& ShownTexts() const { return shownTexts_; }

private:
    friend class TMetafileCanvas;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> data_;
    std::vector<std::string> shownTexts_;
};

// Records into a metafile; the metafile is complete when the canvas is
// destroyed. Text is measured with the screen's font metrics.
class TMetafileCanvas final : public TCanvas {
public:
    explicit TMetafileCanvas(TMetafile& metafile);
    ~TMetafileCanvas() override;

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
    void DoClipChanged() override;

private:
    struct Writer;
    void SelectPen();
    void SelectBrush();
    void SelectFont();
    void SetTextState(bool opaque);
    TMetafile& metafile_;
    std::unique_ptr<Writer> w_;
};
