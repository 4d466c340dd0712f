#include "Image.h"

#include "Bitmap_p.h"
#include "Control_p.h"

TImage::TImage(TControl* parent) : TControl(parent) {
    bitmap_.OnChange = [this] { Invalidate(); };
}

TImage::~TImage() {
    bitmap_.OnChange = nullptr;
}

void TImage::Paint(TPaintContext& context) {
    context.painter.drawImage(0, 0, ImageOf(bitmap_));
}

void TImage::Resized() {
    bitmap_.SetSize(Width(), Height());
}
