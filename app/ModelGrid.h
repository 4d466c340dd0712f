#pragma once
// A grid that draws a model: what the user types into a cell is passed on as it is typed,
// so the model, not the cell, holds the text.

#include "Aligrid.h"

#include <functional>
#include <string>

class TModelGrid : public TStringAlignGrid {
public:
    using TStringAlignGrid::TStringAlignGrid;

    std::function<void(int col, int row, const std::string& text)> OnEditText;

    void SetEditText(int col, int row, const std::string& value) override {
        TStringAlignGrid::SetEditText(col, row, value);
        if (OnEditText) OnEditText(col, row, value);
    }
};
