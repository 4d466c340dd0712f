#pragma once
// TStringAlignGrid: a string grid with per-cell, per-column and per-row
// alignment, editability, font, brush, selected colours and cell hints (held
// by TAlignAttributes), its own in-place editor with edit events and cell
// walks, multi-line cell painting, rows and columns that keep their
// attributes, and form streaming of all of it.
//
// Edit events run from messages the grid posts to itself, after the
// framework's own key and focus handling:
// - OnBeforeEdit(col, row) once per visit of a cell, when the editor first
//   opens there;
// - OnAfterEdit after Enter (posted), after a move away from an open editor
//   (posted, so it follows the new cell's OnBeforeEdit), and at once when the
//   focus leaves while the editor shows, and at once when code changes the rows or
//   rewrites the edited cell (see EndEditForChange);
// - OnCancelEdit after Esc (posted), which restores the text the cell had
//   when the editor last opened.

#include "AlignAttributes.h"
#include "Application.h"
#include "CellWalk.h"
#include "StringGrid.h"

#include <cstdint>
#include <functional>
#include <string>

class TNewInplaceEdit;

constexpr unsigned WM_GRIDCANCELEDIT = WM_USER + 2000;
constexpr unsigned WM_GRIDENTEREDIT = WM_USER + 2001;
constexpr unsigned WM_GRIDLEAVEEDIT = WM_USER + 2002;
constexpr unsigned WM_GRIDBEFOREEDIT = WM_USER + 2003;
constexpr unsigned WM_GRIDRESUMEEDIT = WM_USER + 2004;

using TCellEvent = std::function<void(TObject* Sender, int col, int row)>;
using TCompareFunction = std::function<t_relation(TObject* Sender, std::int32_t colrow,
                                                  std::int32_t compare1, std::int32_t compare2)>;

class TStringAlignGrid : public TStringGrid, public TStreamable {
public:
    explicit TStringAlignGrid(TControl* parent, TComponent* owner = nullptr);
    ~TStringAlignGrid() override;

    // ---- published values
    TMyAlign Alignment() const { return attrs_.Alignment(); }
    void SetAlignment(TMyAlign value) { attrs_.SetAlignment(value); }
    bool Editable() const { return attrs_.Editable(); }
    void SetEditable(bool value) { attrs_.SetEditable(value); }
    // Also the colour of the fixed-cell brush; hides the base grid's setter.
    TColor FixedColor() const { return attrs_.FixedColor(); }
    void SetFixedColor(TColor value) { attrs_.SetFixedColor(value); }
    bool ShowCellHints() const { return attrs_.ShowCellHints(); }
    void SetShowCellHints(bool value) { attrs_.SetShowCellHints(value); }
    TColor SelectedCellColor() const { return attrs_.SelectedCellColor(); }
    void SetSelectedCellColor(TColor value) { attrs_.SetSelectedCellColor(value); }
    TColor SelectedFontColor() const { return attrs_.SelectedFontColor(); }
    void SetSelectedFontColor(TColor value) { attrs_.SetSelectedFontColor(value); }
    bool AutoEditNextCell() const { return attrs_.AutoEditNextCell(); }
    void SetAutoEditNextCell(bool value) { attrs_.SetAutoEditNextCell(value); }
    T_nextcell NextCellEdit() const { return attrs_.NextCellEdit(); }
    void SetNextCellEdit(T_nextcell value) { attrs_.SetNextCellEdit(value); }
    T_nextcell NextCellTab() const { return attrs_.NextCellTab(); }
    void SetNextCellTab(T_nextcell value) { attrs_.SetNextCellTab(value); }
    t_lastcell AfterLastCellEdit() const { return attrs_.AfterLastCellEdit(); }
    void SetAfterLastCellEdit(t_lastcell value) { attrs_.SetAfterLastCellEdit(value); }
    t_lastcell AfterLastCellTab() const { return attrs_.AfterLastCellTab(); }
    void SetAfterLastCellTab(t_lastcell value) { attrs_.SetAfterLastCellTab(value); }
    bool DrawSelection() const { return attrs_.DrawSelection(); }
    void SetDrawSelection(bool value) { attrs_.SetDrawSelection(value); }

    TCellEvent OnAfterEdit;
    TCellEvent OnCancelEdit;
    TCellEvent OnBeforeEdit;
    TCompareFunction OnCompareRow;
    TCompareFunction OnCompareCol;
    TNotifyEvent OnColWidthsChanged;
    TNotifyEvent OnRowHeightsChanged;

    // ---- lookups (any index; nothing is made)
    TMyAlign GetAlignCell(int col, int row) const { return attrs_.GetAlignCell(col, row); }
    bool GetEditCell(int col, int row) const { return attrs_.GetEditCell(col, row); }
    const TFont& GetCellFont(int col, int row) const { return attrs_.GetCellFont(col, row); }
    const TBrush& GetCellBrush(int col, int row) const { return attrs_.GetCellBrush(col, row); }
    TColor GetColorCell(int col, int row) const { return attrs_.GetColorCell(col, row); }
    TColor GetSelectedColorCell(int col, int row) const {
        return attrs_.GetSelectedColorCell(col, row);
    }
    TColor GetSelectedFontColorCell(int col, int row) const {
        return attrs_.GetSelectedFontColorCell(col, row);
    }
    std::string GetHintCell(int col, int row) const { return attrs_.GetHintCell(col, row); }

    // ---- own objects, made on demand; changing them repaints
    TMyFont& GetFontCell(int col, int row) { return attrs_.GetFontCell(col, row); }
    TMyFont& GetFontRow(int row) { return attrs_.GetFontRow(row); }
    TMyFont& GetFontFixedRow(int row) { return attrs_.GetFontFixedRow(row); }
    TMyBrush& GetBrushCell(int col, int row) { return attrs_.GetBrushCell(col, row); }
    TMyBrush& GetBrushCol(int col) { return attrs_.GetBrushCol(col); }
    TMyBrush& GetBrushFixedCol(int col) { return attrs_.GetBrushFixedCol(col); }
    TMyBrush& GetBrushRow(int row) { return attrs_.GetBrushRow(row); }
    TMyBrush& GetBrushFixedRow(int row) { return attrs_.GetBrushFixedRow(row); }

    // ---- setters (negative indices throw EListError)
    void SetEditCell(int col, int row, bool value) { attrs_.SetEditCell(col, row, value); }
    void SetEditRow(int row, bool value) { attrs_.SetEditRow(row, value); }
    void SetColorCell(int col, int row, TColor color) { attrs_.SetColorCell(col, row, color); }
    void ResetBrushCell(int col, int row) { attrs_.ResetBrushCell(col, row); }
    void ResetBrushRow(int row) { attrs_.ResetBrushRow(row); }
    void ResetBrushFixedRow(int row) { attrs_.ResetBrushFixedRow(row); }
    void SetHintCell(int col, int row, const std::string& text) {
        attrs_.SetHintCell(col, row, text);
    }

    // ---- rows and columns, with every attribute; an open edit ends first
    void RemoveRow(int row);
    void InsertRow(int row);
    void InsertCol(int col);

    // ---- comparers (the defaults of OnCompareCol and OnCompareRow)
    t_relation CompareCol(TObject* Sender, std::int32_t colrow, std::int32_t compare1,
                          std::int32_t compare2);
    t_relation CompareRow(TObject* Sender, std::int32_t colrow, std::int32_t compare1,
                          std::int32_t compare2);

    // ---- cell walks
    // One step; with lc_newcolrow past the end the grid grows first.
    TGridCoord NextCell(T_nextcell direction, t_lastcell rule, int col, int row);
    // The next editable cell from the current one by NextCellEdit and
    // AfterLastCellEdit; the start cell when the walk comes back to it or
    // makes one full pass without finding one; (-1, -1) after lc_stop.
    TGridCoord NextEditableCell();
    // Where Tab (Shift+Tab when reverse) goes from the current cell.
    TGridCoord NextTabCell(bool reverse);

    // ---- painting and hints
    // Paints one cell as DrawCell does, on any canvas.
    void PaintCell(TCanvas& canvas, int col, int row, const TRect& rect,
                   TGridDrawState state) const;
    // This grid's part of the application's show-hint chain.
    void DoCellHint(std::string& hint, bool& canShow, THintInfo& info);
    TGridCoord HintCell() const { return hintCell_; }

    // ---- streaming
    bool ReadPublished(const std::string& name, TReader& reader) override;
    void WritePublished(TWriter& writer) override;
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;

    // ---- the framework steps this grid overrides
    bool CanEditShow() override;
    TInplaceEdit* CreateEditor() override;
    void DrawCell(int col, int row, TRect rect, TGridDrawState state) override;
    void RowMoved(int from, int to) override;
    void ColumnMoved(int from, int to) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void WMChar(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    // An open edit ends as at a move away: the text stays in its own cell, OnAfterEdit
    // reports that cell at once, and the editor, if opened again, starts a new visit.
    void EndEditForChange() override;

    // Whether an edit is in progress (OnBeforeEdit ran and no end yet).
    bool Editing() const { return editing_; }

protected:
    void MouseMove(TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

private:
    class Host;
    TNewInplaceEdit* Editor() const;
    TWalkSizes Sizes() const;
    // Walks from the start until `take` accepts a cell; bounded to one pass.
    template <class Take> TGridCoord Walk(T_nextcell direction, t_lastcell rule, Take take);
    void EndEdit();
    void ReportCell(const TCellEvent& event, std::intptr_t col, std::intptr_t row);
    void AfterEnter(int col, int row);

    std::unique_ptr<Host> host_;
    TAlignAttributes attrs_;
    TGridCoord hintCell_{-1, -1};
    bool editing_ = false;
    bool resumeEditor_ = false;
    int savedSelStart_ = 0;
    int savedSelLength_ = 0;
    // The last focus exit was refused; the next one goes through.
    bool focusRetaken_ = false;
    bool destroying_ = false;
};
