#pragma once
// The alignment grid's in-place editor: takes the alignment of the cell it
// edits, remembers which cell that is and the text the cell had when the
// editor opened, and turns Enter and Esc into messages to the grid so that
// the grid reports the end of the edit after the framework's own handling.

#include "AlignTypes.h"
#include "InplaceEdit.h"

#include <string>

class TStringAlignGrid;

class TNewInplaceEdit : public TInplaceEdit {
public:
    explicit TNewInplaceEdit(TStringAlignGrid& grid);

    TMyAlign Alignment() const { return alignment_; }
    // A new alignment selects the whole text; a value above alCenter is alLeft.
    void SetAlignment(TMyAlign value);

    // The cell the editor is set up for; (-1, -1): none, and keys are dropped.
    int EditedCol = -1;
    int EditedRow = -1;
    // OnBeforeEdit has run for the edited cell during this visit.
    bool BeforeEditReported = false;
    // What Esc restores.
    std::string TextBeforeEditing;

protected:
    void KeyPress(char& key) override;

private:
    TStringAlignGrid& alignGrid_;
    TMyAlign alignment_ = alLeft;
};
