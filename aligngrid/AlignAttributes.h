#pragma once
// The per-cell, per-column and per-row attributes of the alignment grid, with
// their lookup precedence (cell, then column, then row, then the grid-wide
// value; fixed cells use the fixed column and row tables), the row and column
// operations that keep them with their cells, and their form streaming.
// TStringAlignGrid holds one and forwards to it; the store reaches the grid
// only through TAlignGridHost.

#include "AlignGridHost.h"
#include "AlignTypes.h"
#include "IndexedList.h"
#include "PropertyStream.h"

#include <cstdint>
#include <memory>
#include <string>

class TAlignAttributes {
public:
    explicit TAlignAttributes(TAlignGridHost& host);
    TAlignAttributes(const TAlignAttributes&) = delete;
    TAlignAttributes& operator=(const TAlignAttributes&) = delete;

    // ---- grid-wide values (published properties)
    TMyAlign Alignment() const { return alignment_; }
    void SetAlignment(TMyAlign value);
    bool Editable() const { return editable_; }
    void SetEditable(bool value) { editable_ = value; }
    TColor FixedColor() const { return fixedBrush_.Color(); }
    void SetFixedColor(TColor value);
    bool ShowCellHints() const { return showCellHints_; }
    void SetShowCellHints(bool value) { showCellHints_ = value; }
    TColor SelectedCellColor() const { return selectedCellColor_; }
    void SetSelectedCellColor(TColor value);
    TColor SelectedFontColor() const { return selectedFontColor_; }
    void SetSelectedFontColor(TColor value);
    bool AutoEditNextCell() const { return autoEditNextCell_; }
    void SetAutoEditNextCell(bool value) { autoEditNextCell_ = value; }
    T_nextcell NextCellEdit() const { return nextCellEdit_; }
    void SetNextCellEdit(T_nextcell value) { nextCellEdit_ = value; }
    T_nextcell NextCellTab() const { return nextCellTab_; }
    void SetNextCellTab(T_nextcell value) { nextCellTab_ = value; }
    t_lastcell AfterLastCellEdit() const { return afterLastCellEdit_; }
    void SetAfterLastCellEdit(t_lastcell value) { afterLastCellEdit_ = value; }
    t_lastcell AfterLastCellTab() const { return afterLastCellTab_; }
    void SetAfterLastCellTab(t_lastcell value) { afterLastCellTab_ = value; }
    bool DrawSelection() const { return drawSelection_; }
    void SetDrawSelection(bool value) { drawSelection_ = value; }

    bool IsFixed(int col, int row) const;

    // ---- lookups: any index, nothing is made
    // The stored ordinal; a value above alCenter paints as alLeft.
    TMyAlign GetAlignCell(int col, int row) const;
    bool GetEditCell(int col, int row) const;
    const TFont& GetCellFont(int col, int row) const;
    const TBrush& GetCellBrush(int col, int row) const;
    TColor GetColorCell(int col, int row) const { return GetCellBrush(col, row).Color(); }
    TColor GetSelectedColorCell(int col, int row) const;
    TColor GetSelectedFontColorCell(int col, int row) const;
    std::string GetHintCell(int col, int row) const;

    // ---- the object of one level, made on demand as a copy of the grid's
    // font or brush; changing it repaints. Negative indices throw EListError.
    TMyFont& GetFontCell(int col, int row);
    TMyFont& GetFontRow(int row);
    TMyFont& GetFontFixedRow(int row);
    TMyBrush& GetBrushCell(int col, int row);
    TMyBrush& GetBrushCol(int col);
    TMyBrush& GetBrushFixedCol(int col);
    TMyBrush& GetBrushRow(int row);
    TMyBrush& GetBrushFixedRow(int row);

    // ---- setters; negative indices throw EListError with nothing changed
    void SetEditCell(int col, int row, bool value);
    void SetEditRow(int row, bool value);
    void SetColorCell(int col, int row, TColor color);
    void ResetBrushCell(int col, int row);
    void ResetBrushRow(int row);
    void ResetBrushFixedRow(int row);
    // An empty text is stored too (and shows as an empty hint).
    void SetHintCell(int col, int row, const std::string& text);

    // ---- rows and columns: texts through the host, attributes here
    void RemoveRow(int row);
    void InsertRow(int row);
    void InsertCol(int col);
    // The grid's overrides of the framework's move steps: attributes first,
    // then the base step through the host. from == to does nothing at all.
    void RowMoved(int from, int to);
    void ColumnMoved(int from, int to);

    // ---- comparers offered as OnCompareCol / OnCompareRow
    // Rows compare1 and compare2 of column colrow.
    t_relation CompareCol(int colrow, int compare1, int compare2) const;
    // Columns compare1 and compare2 of row colrow.
    t_relation CompareRow(int colrow, int compare1, int compare2) const;

    // ---- form streaming
    // The published values above, by name; false for a name not ours.
    bool ReadPublished(const std::string& name, TReader& reader);
    // The published values that differ from their defaults.
    void WritePublished(TWriter& writer) const;
    // The 28 defined properties, in their fixed order; call after the base
    // grid's own definitions.
    void DefineProperties(TFiler& filer);
    // After the form is read: every cell gets its stored text or the empty
    // text, and the stored texts are released. The caller then sets the
    // resume-editor flag and hides the editor.
    void Loaded();
    bool HasStoredCells() const { return !storedCells_.Empty(); }

private:
    using Byte = std::uint8_t;
    using FontPtr = std::unique_ptr<TMyFont>;
    using BrushPtr = std::unique_ptr<TMyBrush>;

    FontPtr NewFont();
    BrushPtr NewBrush();
    void HookRepaint(TGraphicsObject& object);

    template <class F> void ForEachRowTable(F f);
    template <class F> void ForEachColTable(F f);
    template <class F> void ForEachCellTable(F f);
    void MoveRowAttributes(int from, int to);
    void MoveColAttributes(int from, int to);

    FontPtr ReadFontRecord(TReader& r);
    BrushPtr ReadBrushRecord(TReader& r);

    TAlignGridHost& host_;

    TMyAlign alignment_ = alLeft;
    bool editable_ = true;
    bool showCellHints_ = true;
    TColor selectedCellColor_ = clHighlight;
    TColor selectedFontColor_ = clWhite;
    bool autoEditNextCell_ = false;
    T_nextcell nextCellEdit_ = nc_rightdown;
    T_nextcell nextCellTab_ = nc_rightdown;
    t_lastcell afterLastCellEdit_ = lc_newcolrow;
    t_lastcell afterLastCellTab_ = lc_first;
    bool drawSelection_ = true;
    TMyBrush fixedBrush_;

    // Alignment and editability entries keep the byte a form gave them.
    TCellTable<Byte> alignCell_;
    TLineTable<Byte> alignCol_, fixedAlignCol_, alignRow_, fixedAlignRow_;
    TCellTable<Byte> editCell_;
    TLineTable<Byte> editCol_, editRow_;
    TCellTable<std::string> hintCell_;
    TCellTable<FontPtr> fontCell_;
    TLineTable<FontPtr> fontCol_, fontFixedCol_, fontRow_, fontFixedRow_;
    TCellTable<BrushPtr> brushCell_;
    TLineTable<BrushPtr> brushCol_, brushFixedCol_, brushRow_, brushFixedRow_;
    TCellTable<TColor> selectedColorCell_;
    TLineTable<TColor> selectedColorCol_, selectedColorRow_;
    TCellTable<TColor> selectedFontColorCell_;
    TLineTable<TColor> selectedFontColorCol_, selectedFontColorRow_;
    // Texts read from a form, applied and released by Loaded.
    TCellTable<std::string> storedCells_;
};
