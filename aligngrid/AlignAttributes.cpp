#include "AlignAttributes.h"

#include <algorithm>

t_relation CompareCellTexts(std::string_view first, std::string_view second) {
    const std::size_t n = std::min(first.size(), second.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(first[i]);
        const auto b = static_cast<unsigned char>(second[i]);
        if (a != b) return a < b ? rel_less : rel_greater;
    }
    if (first.size() == second.size()) return rel_equal;
    return first.size() < second.size() ? rel_less : rel_greater;
}

TAlignAttributes::TAlignAttributes(TAlignGridHost& host) : host_(host) {
    fixedBrush_.SetColor(host_.BaseFixedColor());
    HookRepaint(fixedBrush_);
}

void TAlignAttributes::HookRepaint(TGraphicsObject& object) {
    object.OnChange = [this](TObject*) { host_.Invalidate(); };
}

TAlignAttributes::FontPtr TAlignAttributes::NewFont() {
    auto font = std::make_unique<TMyFont>();
    font->Assign(host_.GridFont());
    HookRepaint(*font);
    return font;
}

TAlignAttributes::BrushPtr TAlignAttributes::NewBrush() {
    auto brush = std::make_unique<TMyBrush>();
    brush->Assign(host_.GridBrush());
    HookRepaint(*brush);
    return brush;
}

// ---- grid-wide values

void TAlignAttributes::SetAlignment(TMyAlign value) {
    alignment_ = value;
    host_.Invalidate();
}

void TAlignAttributes::SetFixedColor(TColor value) {
    host_.SetBaseFixedColor(value);
    fixedBrush_.SetColor(value);
    host_.Invalidate();
}

void TAlignAttributes::SetSelectedCellColor(TColor value) {
    selectedCellColor_ = value;
    host_.Invalidate();
}

void TAlignAttributes::SetSelectedFontColor(TColor value) {
    selectedFontColor_ = value;
    host_.Invalidate();
}

bool TAlignAttributes::IsFixed(int col, int row) const {
    return col < host_.FixedCols() || row < host_.FixedRows();
}

// ---- lookups

TMyAlign TAlignAttributes::GetAlignCell(int col, int row) const {
    const bool fixed = IsFixed(col, row);
    const Byte* v = alignCell_.Find(col, row);
    if (!v) v = (fixed ? fixedAlignCol_ : alignCol_).Find(col);
    if (!v) v = (fixed ? fixedAlignRow_ : alignRow_).Find(row);
    return v ? static_cast<TMyAlign>(*v) : alignment_;
}

bool TAlignAttributes::GetEditCell(int col, int row) const {
    const Byte* v = editCell_.Find(col, row);
    if (!v) v = editCol_.Find(col);
    if (!v) v = editRow_.Find(row);
    return v ? *v != 0 : editable_;
}

const TFont& TAlignAttributes::GetCellFont(int col, int row) const {
    const bool fixed = IsFixed(col, row);
    const FontPtr* v = fontCell_.Find(col, row);
    if (!v) v = (fixed ? fontFixedCol_ : fontCol_).Find(col);
    if (!v) v = (fixed ? fontFixedRow_ : fontRow_).Find(row);
    return v ? **v : host_.GridFont();
}

const TBrush& TAlignAttributes::GetCellBrush(int col, int row) const {
    const bool fixed = IsFixed(col, row);
    const BrushPtr* v = brushCell_.Find(col, row);
    if (!v) v = (fixed ? brushFixedCol_ : brushCol_).Find(col);
    if (!v) v = (fixed ? brushFixedRow_ : brushRow_).Find(row);
    if (v) return **v;
    return fixed ? static_cast<const TBrush&>(fixedBrush_) : host_.GridBrush();
}

TColor TAlignAttributes::GetSelectedColorCell(int col, int row) const {
    const TColor* v = selectedColorCell_.Find(col, row);
    if (!v) v = selectedColorCol_.Find(col);
    if (!v) v = selectedColorRow_.Find(row);
    return v ? *v : selectedCellColor_;
}

TColor TAlignAttributes::GetSelectedFontColorCell(int col, int row) const {
    const TColor* v = selectedFontColorCell_.Find(col, row);
    if (!v) v = selectedFontColorCol_.Find(col);
    if (!v) v = selectedFontColorRow_.Find(row);
    return v ? *v : selectedFontColor_;
}

std::string TAlignAttributes::GetHintCell(int col, int row) const {
    const std::string* v = hintCell_.Find(col, row);
    return v ? *v : std::string();
}

// ---- own objects

TMyFont& TAlignAttributes::GetFontCell(int col, int row) {
    return *fontCell_.FindOrMake(col, row, [this] { return NewFont(); });
}
TMyFont& TAlignAttributes::GetFontRow(int row) {
    return *fontRow_.FindOrMake(row, [this] { return NewFont(); });
}
TMyFont& TAlignAttributes::GetFontFixedRow(int row) {
    return *fontFixedRow_.FindOrMake(row, [this] { return NewFont(); });
}
TMyBrush& TAlignAttributes::GetBrushCell(int col, int row) {
    return *brushCell_.FindOrMake(col, row, [this] { return NewBrush(); });
}
TMyBrush& TAlignAttributes::GetBrushCol(int col) {
    return *brushCol_.FindOrMake(col, [this] { return NewBrush(); });
}
TMyBrush& TAlignAttributes::GetBrushFixedCol(int col) {
    return *brushFixedCol_.FindOrMake(col, [this] { return NewBrush(); });
}
TMyBrush& TAlignAttributes::GetBrushRow(int row) {
    return *brushRow_.FindOrMake(row, [this] { return NewBrush(); });
}
TMyBrush& TAlignAttributes::GetBrushFixedRow(int row) {
    return *brushFixedRow_.FindOrMake(row, [this] { return NewBrush(); });
}

// ---- setters

void TAlignAttributes::SetEditCell(int col, int row, bool value) {
    editCell_.Put(col, row, value ? 1 : 0);
    editCell_.stored = true;
    host_.Invalidate();
}

void TAlignAttributes::SetEditRow(int row, bool value) {
    editRow_.Put(row, value ? 1 : 0);
    editRow_.stored = true;
    host_.Invalidate();
}

void TAlignAttributes::SetColorCell(int col, int row, TColor color) {
    GetBrushCell(col, row).SetColor(color);
    host_.Invalidate();
}

void TAlignAttributes::ResetBrushCell(int col, int row) {
    if (col < 0) throw EListError(col);
    if (row < 0) throw EListError(row);
    brushCell_.Erase(col, row);
    host_.Invalidate();
}

void TAlignAttributes::ResetBrushRow(int row) {
    if (row < 0) throw EListError(row);
    brushRow_.Erase(row);
    host_.Invalidate();
}

void TAlignAttributes::ResetBrushFixedRow(int row) {
    if (row < 0) throw EListError(row);
    brushFixedRow_.Erase(row);
    host_.Invalidate();
}

void TAlignAttributes::SetHintCell(int col, int row, const std::string& text) {
    hintCell_.Put(col, row, text);
    hintCell_.stored = true;
}

// ---- comparers

t_relation TAlignAttributes::CompareCol(int colrow, int compare1, int compare2) const {
    return CompareCellTexts(host_.GetCell(colrow, compare1), host_.GetCell(colrow, compare2));
}

t_relation TAlignAttributes::CompareRow(int colrow, int compare1, int compare2) const {
    return CompareCellTexts(host_.GetCell(compare1, colrow), host_.GetCell(compare2, colrow));
}
