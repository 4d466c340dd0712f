// Construction, the attribute store's view of the grid, streaming, rows and
// columns, and cell hints.

#include "Aligrid.h"

#include "GridPublished.h"
#include "NewInplaceEdit.h"
#include "ShowHintChain.h"

// What the attribute store sees of the grid. The move steps are the string
// grid's own (texts only): the store has moved the attributes already.
class TStringAlignGrid::Host final : public TAlignGridHost {
public:
    explicit Host(TStringAlignGrid& grid) : g_(grid) {}

    int ColCount() const override { return g_.ColCount(); }
    int RowCount() const override { return g_.RowCount(); }
    int FixedCols() const override { return g_.FixedCols(); }
    int FixedRows() const override { return g_.FixedRows(); }
    void SetColCount(int value) override { g_.SetColCount(value); }
    void SetRowCount(int value) override { g_.SetRowCount(value); }
    std::string GetCell(int col, int row) const override { return g_.Cells(col, row); }
    void SetCell(int col, int row, const std::string& text) override {
        g_.SetCells(col, row, text);
    }
    void BaseRowMoved(int from, int to) override { g_.TStringGrid::RowMoved(from, to); }
    void BaseColumnMoved(int from, int to) override { g_.TStringGrid::ColumnMoved(from, to); }
    const TFont& GridFont() const override { return g_.Font(); }
    const TBrush& GridBrush() const override { return g_.Brush(); }
    TColor BaseFixedColor() const override { return g_.TCustomGrid::FixedColor(); }
    void SetBaseFixedColor(TColor value) override { g_.TCustomGrid::SetFixedColor(value); }
    void Invalidate() override { g_.Invalidate(); }

private:
    TStringAlignGrid& g_;
};

TStringAlignGrid::TStringAlignGrid(TControl* parent, TComponent* owner)
    : TStringGrid(parent, owner), host_(std::make_unique<Host>(*this)), attrs_(*host_) {
    OnCompareCol = [this](TObject* s, std::int32_t c, std::int32_t a, std::int32_t b) {
        return CompareCol(s, c, a, b);
    };
    OnCompareRow = [this](TObject* s, std::int32_t c, std::int32_t a, std::int32_t b) {
        return CompareRow(s, c, a, b);
    };
    AddShowHintHandler(TShowHintEvent(this, &TStringAlignGrid::DoCellHint));
}

TStringAlignGrid::~TStringAlignGrid() {
    destroying_ = true;
    RemoveShowHintHandler(TShowHintEvent(this, &TStringAlignGrid::DoCellHint));
    // The editor may hold the focus; let it go while this object is whole.
    HideEditor();
}

TNewInplaceEdit* TStringAlignGrid::Editor() const {
    return dynamic_cast<TNewInplaceEdit*>(InplaceEditor());
}

t_relation TStringAlignGrid::CompareCol(TObject*, std::int32_t colrow, std::int32_t compare1,
                                        std::int32_t compare2) {
    return attrs_.CompareCol(colrow, compare1, compare2);
}

t_relation TStringAlignGrid::CompareRow(TObject*, std::int32_t colrow, std::int32_t compare1,
                                        std::int32_t compare2) {
    return attrs_.CompareRow(colrow, compare1, compare2);
}

// ---- streaming

bool TStringAlignGrid::ReadPublished(const std::string& name, TReader& reader) {
    return ReadGridPublished(*this, name, reader) || attrs_.ReadPublished(name, reader);
}

void TStringAlignGrid::WritePublished(TWriter& writer) {
    WriteGridPublished(*this, writer);
    attrs_.WritePublished(writer);
}

void TStringAlignGrid::DefineProperties(TFiler& filer) {
    TStringGrid::DefineProperties(filer);
    attrs_.DefineProperties(filer);
}

void TStringAlignGrid::Loaded() {
    TStringGrid::Loaded();
    attrs_.Loaded();
    resumeEditor_ = (Options() & goAlwaysShowEditor) != 0;
    HideEditor();
}

// ---- rows and columns

void TStringAlignGrid::RowMoved(int from, int to) {
    attrs_.RowMoved(from, to);
}

void TStringAlignGrid::ColumnMoved(int from, int to) {
    attrs_.ColumnMoved(from, to);
}

void TStringAlignGrid::ColWidthsChanged() {
    TStringGrid::ColWidthsChanged();
    if (OnColWidthsChanged) OnColWidthsChanged(this);
}

void TStringAlignGrid::RowHeightsChanged() {
    TStringGrid::RowHeightsChanged();
    if (OnRowHeightsChanged) OnRowHeightsChanged(this);
}

// ---- hints

void TStringAlignGrid::DoCellHint(std::string& hint, bool&, THintInfo& info) {
    if (info.HintControl != this || !ShowCellHints()) return;
    const TGridCoord cell = MouseCoord(info.CursorPos.x, info.CursorPos.y);
    hintCell_ = cell;
    const TRect r = CellRect(cell.X, cell.Y);
    info.HintPos = ClientToScreen({r.Left, r.Bottom + 6});
    hint = GetHintCell(cell.X, cell.Y);
}

void TStringAlignGrid::MouseMove(TShiftState shift, int x, int y) {
    if (hintCell_.X >= 0 && hintCell_.Y >= 0 && MouseCoord(x, y) != hintCell_) {
        if (Application) Application->CancelHint();
        hintCell_ = {-1, -1};
    }
    TStringGrid::MouseMove(shift, x, y);
}
