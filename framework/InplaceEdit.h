#pragma once
// The grid's in-place editor: a one-line editor over the current cell. A derived
// editor may replace or drop characters in KeyPress before the base handles them
// (Enter and Esc included) and set the text alignment.

#include "Control.h"
#include "GraphicsObjects.h"

#include <string>

class TCustomGrid;

class TInplaceEdit : public TControl {
public:
    explicit TInplaceEdit(TCustomGrid& grid);
    ~TInplaceEdit() override;

    TCustomGrid& Grid() const { return grid_; }
    std::string Text() const;
    void SetText(const std::string& value);
    void SelectAll();
    void Deselect();
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    TFont& Font() { return font_; }
    void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // 0 left, 1 centre, 2 right, like the edit control's alignment styles.
    int TextAlignment() const { return alignment_; }
    void SetTextAlignment(int value);

    // Loads the current cell's text (GetEditText) and selects it.
    void UpdateContents();
    void MoveTo(const TRect& rect);

    void DefaultChar(char ch) override;
    // A character sent to the editor as if typed.
    void TypeChar(char ch);
    void HandleEnter() override;
    void HandleExit() override;
    bool WantTab() const override;

protected:
    // Up, Down, pages and Tab (and Left/Right past the text's ends) go to the grid's
    // KeyDown; every other key is shown to the grid's OnKeyDown first.
    void KeyDown(WORD& key, TShiftState shift) override;
    // Hands the character to the grid's KeyPress; Tab and Esc end there, Enter
    // toggles the selection of the whole text.
    void KeyPress(char& key) override;
    void WndProc(TMessage& message) override;

private:
    TCustomGrid& grid_;
    TFont font_;
    TColor color_ = clWindow;
    int alignment_ = 0;
    bool loading_ = false;
};
