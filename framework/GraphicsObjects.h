#pragma once
// Pen, brush and font as the canvas uses them. Each is assignable (value copy,
// the change handler stays with the object) and reports changes through a
// virtual Changed(), which runs only when a value actually changed.

#include "Color.h"
#include "Object.h"

#include <cstdint>
#include <functional>
#include <string>

class TGraphicsObject : public TObject {
public:
    std::function<void(TObject* Sender)> OnChange;

protected:
    virtual void Changed();
};

enum TPenStyle : std::uint8_t { psSolid = 0, psDash = 1, psDot = 2, psClear = 5 };

class TPen : public TGraphicsObject {
public:
    TPen() = default;
    TPen(const TPen& other);
    TPen& operator=(const TPen& other) {
        Assign(other);
        return *this;
    }
    void Assign(const TPen& source);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Width 0 and 1 both draw one pixel (one dot on a printer).
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

enum TBrushStyle : std::uint8_t {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7
};

class TBrush : public TGraphicsObject {
public:
    TBrush() = default;
    TBrush(const TBrush& other);
    TBrush& operator=(const TBrush& other) {
        Assign(other);
        return *this;
    }
    void Assign(const TBrush& source);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// Style bits, stored as the framework stores them (bold 1, italic 2, underline
// 4, strike-out 8).
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum TFontPitch : std::uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

constexpr std::uint8_t DEFAULT_CHARSET = 1;

// The font keeps its height in pixels of the device it is used on (its
// PixelsPerInch, set by the canvas): a negative Height is the character height,
// a positive one the cell height. Size is in points and converts through
// PixelsPerInch, so a size set on a printer canvas gives printer dots.
class TFont : public TGraphicsObject {
public:
    TFont() = default;
    TFont(const TFont& other);
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }
    // Copies every value; across devices of different resolution the point size
    // is kept rather than the pixel height.
    void Assign(const TFont& source);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int points);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value); // no notification: the look does not change
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch value);
    std::uint8_t Charset() const { return charset_; }
    void SetCharset(std::uint8_t value);

    bool SameLook(const TFont& other) const;

private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    int pixelsPerInch_ = 96;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    TFontPitch pitch_ = fpDefault;
    std::uint8_t charset_ = DEFAULT_CHARSET;
};

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);
