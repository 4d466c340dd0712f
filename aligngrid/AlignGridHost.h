#pragma once
// What the attribute store needs of the string grid that holds it: sizes,
// cell texts, the base grid's own row and column move (texts only), the grid
// font and brush, and repainting. TStringAlignGrid implements it on its
// framework grid; tests implement it on plain vectors.

#include "GraphicsObjects.h"

#include <string>

class TAlignGridHost {
public:
    virtual ~TAlignGridHost() = default;

    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    // Growing adds empty cells at the end, shrinking drops the last ones.
    virtual void SetColCount(int value) = 0;
    virtual void SetRowCount(int value) = 0;

    virtual std::string GetCell(int col, int row) const = 0;
    virtual void SetCell(int col, int row, const std::string& text) = 0;

    // The string grid's own move step: moves the texts and objects of row
    // (column) `from` to index `to`, the ones between closing the gap,
    // repaints and fires OnRowMoved (OnColumnMoved). Attributes are not
    // touched.
    virtual void BaseRowMoved(int from, int to) = 0;
    virtual void BaseColumnMoved(int from, int to) = 0;

    virtual const TFont& GridFont() const = 0;
    // The control's own brush; its colour is the grid's Color.
    virtual const TBrush& GridBrush() const = 0;
    // The base grid's fixed colour; setting it repaints.
    virtual TColor BaseFixedColor() const = 0;
    virtual void SetBaseFixedColor(TColor value) = 0;

    virtual void Invalidate() = 0;
};
