#include "Shape.h"

#include "Control_p.h"

TShape::TShape(TControl* parent) : TControl(parent) {
    pen_.OnChange = [this](TObject*) { Invalidate(); };
    brush_.OnChange = [this](TObject*) { Invalidate(); };
}

TRect TShape::ShapeRect() const {
    // The pen stays inside the control: a wide pen's band starts half its width in.
    const int x = pen_.Width() / 2;
    int w = Width() - pen_.Width() + 1;
    int h = Height() - pen_.Width() + 1;
    if (pen_.Width() == 0) {
        --w;
        --h;
    }
    return {x, x, x + w, x + h};
}

void TShape::Paint(TPaintContext& context) {
    if (Width() <= 0 || Height() <= 0) return;
    PaintCanvas canvas(context.painter);
    canvas.Pen().Assign(pen_);
    canvas.Brush().Assign(brush_);
    canvas.Rectangle(ShapeRect());
}
