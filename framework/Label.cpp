#include "Label.h"

#include "Control_p.h"
#include "FontMap_p.h"

#include <QFontMetrics>

TLabel::TLabel(TControl* parent) : TControl(parent) {
    font_.OnChange = [this](TObject*) { Adjust(); };
    Adjust();
}

void TLabel::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    Adjust();
}

void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TLabel::SetColor(TColor value) {
    color_ = value;
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    Adjust();
}

TSize TLabel::TextExtent() const {
    const QFontMetrics fm(QtFontFor(font_));
    return {fm.horizontalAdvance(QtText(caption_)), fm.height()};
}

void TLabel::Adjust() {
    if (autoSize_) {
        const TSize s = TextExtent();
        SetBounds(Left(), Top(), s.cx, s.cy);
    }
    Invalidate();
}

void TLabel::Paint(TPaintContext& context) {
    PaintCanvas canvas(context.painter);
    if (!transparent_) {
        canvas.Brush().SetColor(color_);
        canvas.Brush().SetStyle(bsSolid);
        canvas.FillRect({0, 0, Width(), Height()});
    }
    canvas.Font().Assign(font_);
    canvas.Brush().SetStyle(bsClear);
    const int w = canvas.TextWidth(caption_);
    const int x = alignment_ == taRightJustify ? Width() - w
                  : alignment_ == taCenter     ? (Width() - w) / 2
                                               : 0;
    canvas.TextOut(x, 0, caption_);
}

void TLabel::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    font_.SetHeight(MulDiv(font_.Height(), m, d));
}
