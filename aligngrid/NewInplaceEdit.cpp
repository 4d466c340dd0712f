#include "NewInplaceEdit.h"

#include "Aligrid.h"

namespace {
// The edit control's alignment styles: left 0, centre 1, right 2.
int EditStyleOf(TMyAlign a) {
    switch (a) {
    case alRight:
        return 2;
    case alCenter:
        return 1;
    default:
        return 0;
    }
}
} // namespace

TNewInplaceEdit::TNewInplaceEdit(TStringAlignGrid& grid) : TInplaceEdit(grid), alignGrid_(grid) {}

void TNewInplaceEdit::SetAlignment(TMyAlign value) {
    if (value == alignment_) return;
    alignment_ = value;
    SetTextAlignment(EditStyleOf(value));
    SelectAll();
}

void TNewInplaceEdit::KeyPress(char& key) {
    if (EditedCol == -1 || EditedRow == -1) {
        key = 0; // a dropped key reaches no handler
        return;
    }
    if (key == 13) {
        alignGrid_.PostMessage(WM_GRIDENTEREDIT, EditedCol, EditedRow);
    } else if (key == 27) {
        SetText(TextBeforeEditing);
        alignGrid_.PostMessage(WM_GRIDCANCELEDIT, EditedCol, EditedRow);
        key = 13; // the framework closes the editor on Enter
    }
    TInplaceEdit::KeyPress(key);
}
