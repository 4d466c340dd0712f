#pragma once
// A rectangle drawn with a pen and a brush, placed and sized by its owner (the
// chart's rubber band and data cursor line). Its mouse events carry its own
// coordinates; an owner that wants them in its coordinates adds Left and Top.

#include "Control.h"
#include "GraphicsObjects.h"
#include "Types.h"

class TShape : public TControl {
public:
    explicit TShape(TControl* parent);

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }

    // The rectangle as the shape draws it on a canvas of its size.
    TRect ShapeRect() const;

protected:
    void Paint(TPaintContext& context) override;

private:
    TPen pen_;
    TBrush brush_;
};
