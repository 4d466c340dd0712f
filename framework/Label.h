#pragma once
// A one-line text on an opaque background: caption (8-bit text), alignment
// within its width, background colour, font, and optional sizing to the text.

#include "Control.h"
#include "GraphicsObjects.h"
#include "Types.h"

#include <string>

enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

class TLabel : public TControl {
public:
    explicit TLabel(TControl* parent);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // A transparent label paints no background: what lies below shows around the text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TFont& Font() { return font_; }
    // While on, the label takes the width and height of its caption.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // The caption's size in the label's font.
    TSize TextExtent() const;
    void ChangeScale(int m, int d) override;

protected:
    void Paint(TPaintContext& context) override;

private:
    void Adjust();

    std::string caption_;
    TAlignment alignment_ = taLeftJustify;
    TColor color_ = clBtnFace;
    TFont font_;
    bool autoSize_ = true;
    bool transparent_ = false;
};
