#pragma once
// The grid base: a table of cells with fixed rows and columns, a current cell, an
// in-place editor and the virtual steps a derived grid overrides. The order of the
// steps is fixed, because derived grids rely on it:
// - Moving the current cell (keys, clicks, Col/Row): SelectCell(new) decides; then the
//   cell changes and, in editor mode, the editor follows (UpdateEdit below).
// - UpdateEdit: CanEditShow is asked; when true and no editor exists yet, CreateEditor
//   makes it, the editor is loaded with GetEditText of the current cell and its text
//   selected; when it exists but sits on another cell, its text goes back by
//   SetEditText and it is loaded for the current cell. Then CanEditShow is asked again
//   and, when true, the editor is placed on the cell and shown.
// - ShowEditor: editor mode on, UpdateEdit. HideEditor: editor mode off, the text goes
//   back by SetEditText, the editor hides.
// - A key: the form's preview, KeyDown (which fires OnKeyDown, then moves: arrows,
//   pages, Home/End, Tab when goTabs, F2 opens the editor; Ctrl+Tab and Ctrl+Shift+Tab
//   leave the grid for the next or previous control); then, for a character,
//   the form's preview of it and WMChar: with goEditing a printable character or
//   Backspace opens the editor and goes to it, anything else goes to KeyPress (which
//   fires OnKeyPress; Enter toggles the editor unless goAlwaysShowEditor).
// - The editor's keys: Up, Down, Page Up/Down and Tab go to the grid's KeyDown; its
//   characters go first to the editor's KeyPress, which hands them to the grid's
//   KeyPress; typing writes the text to the cell at once (SetEditText).
// - A click on a cell: the grid takes the focus, SelectCell decides the move, a click
//   on the current cell with goEditing opens the editor on release; a press in a fixed
//   column (goRowMoving) or row (goColMoving) and a release on another row (column)
//   moves it: MoveRow/MoveColumn, which call RowMoved/ColumnMoved.
// - Focus: entering runs DoEnter (OnEnter) and puts the editor back in editor mode;
//   leaving runs DoExit (OnExit) and hides the editor. Moves between the grid and its
//   editor are neither.

#include "Canvas.h"
#include "Control.h"
#include "GraphicsObjects.h"
#include "PropertyStream.h"

#include <functional>
#include <memory>
#include <vector>

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14
};
using TGridOptions = unsigned;

enum TGridDrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TInplaceEdit;
class QAbstractScrollArea;

class TCustomGrid : public TControl {
public:
    explicit TCustomGrid(TControl* parent, TComponent* owner = nullptr);
    ~TCustomGrid() override;

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    void SetColCount(int value);
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    void SetFixedCols(int value);
    void SetFixedRows(int value);

    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    bool TabStops(int col) const;
    void SetTabStops(int col, bool value);

    int Col() const { return col_; }
    int Row() const { return row_; }
    void SetCol(int value);
    void SetRow(int value);
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    void SetTopRow(int value);
    void SetLeftCol(int value);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);

    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return editor_.get(); }
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(char ch);
    // The cell the editor is loaded for; (-1, -1) while it is closed.
    TGridCoord EditorCell() const { return {inplaceCol_, inplaceRow_}; }
    // Ends an open edit before something changes what the editor stands on: its text
    // goes to its own cell and it closes. The grid does this itself before its counts
    // change, before rows or columns move and before code rewrites the editor's cell;
    // speed buttons and pop-up commands, which take no focus from the grid, do it too.
    virtual void EndEditForChange();
    // Ctrl+Tab (Ctrl+Shift+Tab) leaves the grid for the next (previous) control.
    bool LeaveByTab(bool forward);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    // The control's brush; its colour follows Color.
    TBrush& Brush() { return brush_; }
    const TBrush& Brush() const { return brush_; }
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    // The canvas of the paint in progress; a measuring canvas outside painting.
    TCanvas& Canvas();

    // Form scaling also scales the cell sizes and the grid's font.
    void ChangeScale(int m, int d) override;

    // The cell under a point of the grid, (-1, -1) off the cells.
    TGridCoord MouseCoord(int x, int y) const;
    // The rectangle of a visible cell; empty for a hidden or invalid one.
    TRect CellRect(int col, int row) const;
    void InvalidateCell(int col, int row);

    // Move a row's (column's) size, then call RowMoved (ColumnMoved).
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TMovedEvent OnRowMoved;
    TMovedEvent OnColumnMoved;

    // The text the editor edits, and where its edits go; a string grid keeps cells.
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);

    // Streaming: column widths and row heights, when they differ from the defaults.
    virtual void DefineProperties(TFiler& filer);

    // The steps listed above; public so that the editor and tests reach them.
    virtual bool SelectCell(int col, int row);
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    virtual void DrawCell(int col, int row, TRect rect, TGridDrawState state);
    virtual void RowMoved(int from, int to);
    virtual void ColumnMoved(int from, int to);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void SizeChanged(int oldColCount, int oldRowCount);
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void WMChar(char& key) override;
    void DoEnter() override;
    void DoExit() override;

    // Focus from the window system, for the grid and its editor alike: a move
    // between the two is no exit and no entry.
    void HandleEnter() override;
    void HandleExit() override;
    bool WantTab() const override { return (options_ & goTabs) != 0; }
    void ScrollTo(int topRow, int leftCol);
    void PaintViewport(TPaintContext& context);

    // The scroll area's viewport got another size (also at the first show): the bars
    // follow what fits now.
    void AreaResized();

protected:
    void Paint(TPaintContext& context) override;
    void Resized() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    void UpdateEdit();
    void HideEdit();
    // Makes a cell current when SelectCell allows it; true when it moved or stayed.
    bool FocusCell(int col, int row);
    bool IsActiveControl() const;

private:
    void Changed();
    void ClampInView();
    void UpdateScrollBars();
    void PlaceEditor();
    int FixedWidth() const;
    int FixedHeight() const;
    void ReadColWidths(TReader& reader);
    void WriteColWidths(TWriter& writer);
    void ReadRowHeights(TReader& reader);
    void WriteRowHeights(TWriter& writer);

    QAbstractScrollArea* area_ = nullptr;
    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int defaultColWidth_ = 64, defaultRowHeight_ = 24, gridLineWidth_ = 1;
    std::vector<int> colWidths_, rowHeights_;
    std::vector<bool> tabStops_;
    int col_ = 1, row_ = 1, topRow_ = 1, leftCol_ = 1;
    TGridOptions options_ =
        goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    bool editorMode_ = false;
    std::unique_ptr<TInplaceEdit> editor_;
    int inplaceCol_ = -1, inplaceRow_ = -1;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    TFont font_;
    TBrush brush_;
    bool defaultDrawing_ = true;
    TCanvas* paintCanvas_ = nullptr;
    std::unique_ptr<class TBitmap> measure_;
    enum class Drag { None, Row, Col } drag_ = Drag::None;
    int dragFrom_ = -1;
    bool clickedCurrent_ = false;
    bool focusInside_ = false;
};

// Ends the edit of the grid that has the focus in `control`'s window, if any (see
// TCustomGrid::EndEditForChange).
void EndFocusedGridEdit(TControl& control);
