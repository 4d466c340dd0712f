#pragma once
// The picture control: shows a persistent bitmap that its owner draws into at
// any time (not in paint events); it repaints itself from the bitmap. The bitmap
// follows the control's size, keeping its content and filling new area white.

#include "Bitmap.h"
#include "Control.h"

class TImage : public TControl {
public:
    explicit TImage(TControl* parent);
    ~TImage() override;

    TCanvas& Canvas() { return bitmap_.Canvas(); }
    TBitmap& Bitmap() { return bitmap_; }

protected:
    void Paint(TPaintContext& context) override;
    void Resized() override;

private:
    TBitmap bitmap_;
};
