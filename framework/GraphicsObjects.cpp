#include "GraphicsObjects.h"

#include <cstdlib>

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (p < 0) != (c < 0);
    const long long q = (std::llabs(p) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -q : q);
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- pen

TPen::TPen(const TPen& other)
    : TGraphicsObject(), color_(other.color_), width_(other.width_), style_(other.style_) {}

void TPen::Assign(const TPen& source) {
    if (color_ == source.color_ && width_ == source.width_ && style_ == source.style_) return;
    color_ = source.color_;
    width_ = source.width_;
    style_ = source.style_;
    Changed();
}

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 0) value = 0;
    if (value == width_) return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

// ---- brush

TBrush::TBrush(const TBrush& other)
    : TGraphicsObject(), color_(other.color_), style_(other.style_) {}

void TBrush::Assign(const TBrush& source) {
    if (color_ == source.color_ && style_ == source.style_) return;
    color_ = source.color_;
    style_ = source.style_;
    Changed();
}

void TBrush::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

// ---- font

TFont::TFont(const TFont& other)
    : TGraphicsObject(), name_(other.name_), height_(other.height_),
      pixelsPerInch_(other.pixelsPerInch_), style_(other.style_), color_(other.color_),
      pitch_(other.pitch_), charset_(other.charset_) {}

bool TFont::SameLook(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
           pitch_ == o.pitch_ && charset_ == o.charset_;
}

void TFont::Assign(const TFont& source) {
    const int height = source.pixelsPerInch_ == pixelsPerInch_
                           ? source.height_
                           : -MulDiv(source.Size(), pixelsPerInch_, 72);
    if (name_ == source.name_ && height_ == height && style_ == source.style_ &&
        color_ == source.color_ && pitch_ == source.pitch_ && charset_ == source.charset_)
        return;
    name_ = source.name_;
    height_ = height;
    style_ = source.style_;
    color_ = source.color_;
    pitch_ = source.pitch_;
    charset_ = source.charset_;
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (value.empty() || value == name_) return;
    name_ = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetPixelsPerInch(int value) {
    if (value > 0) pixelsPerInch_ = value;
}

void TFont::SetStyle(TFontStyles value) {
    value &= 0x0Fu;
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Changed();
}

void TFont::SetCharset(std::uint8_t value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}
