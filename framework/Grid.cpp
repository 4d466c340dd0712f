#include "Grid.h"

#include "Bitmap.h"
#include "Control_p.h"
#include "Dispatch.h"
#include "Form.h"
#include "InplaceEdit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {
// The scroll area that shows the cells; its viewport paints through the grid.
class GridArea : public QAbstractScrollArea {
public:
    GridArea(TCustomGrid& grid, QWidget* parent) : QAbstractScrollArea(parent), grid_(grid) {
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setMouseTracking(true);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this](int v) { Guarded([&] { grid_.ScrollTo(v, grid_.LeftCol()); }); });
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
                [this](int v) { Guarded([&] { grid_.ScrollTo(grid_.TopRow(), v); }); });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(viewport());
        TPaintContext context{painter};
        Guarded([&] { grid_.PaintViewport(context); });
    }
    void resizeEvent(QResizeEvent* e) override {
        QAbstractScrollArea::resizeEvent(e);
        Guarded([&] { grid_.AreaResized(); });
    }
    void keyPressEvent(QKeyEvent* e) override { e->accept(); } // the grid did the work
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); }
    void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }
    bool viewportEvent(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) return false; // up to the grid's widget
        return QAbstractScrollArea::viewportEvent(e);
    }

private:
    TCustomGrid& grid_;
};

bool Inside(const QWidget* w, const QWidget* ancestor) {
    for (; w; w = w->parentWidget())
        if (w == ancestor) return true;
    return false;
}
} // namespace

TCustomGrid::TCustomGrid(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    area_ = new GridArea(*this, &WidgetOf(*this));
    AttachInner(*this, area_);
    brush_.SetColor(color_);
    SetBounds(0, 0, 320, 120);
    UpdateScrollBars();
}

TCustomGrid::~TCustomGrid() {
    editor_.reset();
}

// ---- sizes and counts

void TCustomGrid::Changed() {
    UpdateScrollBars();
    ClampInView();
    if (editor_ && editor_->Visible()) PlaceEditor();
    Invalidate();
    area_->viewport()->update();
}

void TCustomGrid::SetColCount(int value) {
    value = std::max(1, value);
    if (value == colCount_) return;
    EndEditForChange();
    const int oldCols = colCount_;
    colCount_ = value;
    if (fixedCols_ >= colCount_) fixedCols_ = colCount_ - 1;
    if (col_ >= colCount_) col_ = colCount_ - 1;
    col_ = std::max(col_, fixedCols_);
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    SizeChanged(oldCols, rowCount_);
    Changed();
}

void TCustomGrid::SetRowCount(int value) {
    value = std::max(1, value);
    if (value == rowCount_) return;
    EndEditForChange();
    const int oldRows = rowCount_;
    rowCount_ = value;
    if (fixedRows_ >= rowCount_) fixedRows_ = rowCount_ - 1;
    if (row_ >= rowCount_) row_ = rowCount_ - 1;
    row_ = std::max(row_, fixedRows_);
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    SizeChanged(colCount_, oldRows);
    Changed();
}

void TCustomGrid::SetFixedCols(int value) {
    fixedCols_ = std::clamp(value, 0, colCount_ - 1);
    col_ = std::max(col_, fixedCols_);
    leftCol_ = std::max(leftCol_, fixedCols_);
    Changed();
}

void TCustomGrid::SetFixedRows(int value) {
    fixedRows_ = std::clamp(value, 0, rowCount_ - 1);
    row_ = std::max(row_, fixedRows_);
    topRow_ = std::max(topRow_, fixedRows_);
    Changed();
}

void TCustomGrid::SetDefaultColWidth(int value) {
    defaultColWidth_ = value;
    colWidths_.clear();
    ColWidthsChanged();
}
void TCustomGrid::SetDefaultRowHeight(int value) {
    defaultRowHeight_ = value;
    rowHeights_.clear();
    RowHeightsChanged();
}

int TCustomGrid::ColWidths(int col) const {
    if (col >= 0 && col < static_cast<int>(colWidths_.size()))
        return colWidths_[static_cast<std::size_t>(col)];
    return defaultColWidth_;
}
void TCustomGrid::SetColWidths(int col, int width) {
    if (col < 0 || col >= colCount_) return;
    if (static_cast<int>(colWidths_.size()) <= col)
        colWidths_.resize(static_cast<std::size_t>(colCount_), defaultColWidth_);
    if (colWidths_[static_cast<std::size_t>(col)] == width) return;
    colWidths_[static_cast<std::size_t>(col)] = width;
    ColWidthsChanged();
}
int TCustomGrid::RowHeights(int row) const {
    if (row >= 0 && row < static_cast<int>(rowHeights_.size()))
        return rowHeights_[static_cast<std::size_t>(row)];
    return defaultRowHeight_;
}
void TCustomGrid::SetRowHeights(int row, int height) {
    if (row < 0 || row >= rowCount_) return;
    if (static_cast<int>(rowHeights_.size()) <= row)
        rowHeights_.resize(static_cast<std::size_t>(rowCount_), defaultRowHeight_);
    if (rowHeights_[static_cast<std::size_t>(row)] == height) return;
    rowHeights_[static_cast<std::size_t>(row)] = height;
    RowHeightsChanged();
}
void TCustomGrid::SetGridLineWidth(int value) {
    gridLineWidth_ = std::max(0, value);
    Changed();
}

bool TCustomGrid::TabStops(int col) const {
    if (col >= 0 && col < static_cast<int>(tabStops_.size()))
        return tabStops_[static_cast<std::size_t>(col)];
    return true;
}
void TCustomGrid::SetTabStops(int col, bool value) {
    if (col < 0) return;
    if (static_cast<int>(tabStops_.size()) <= col)
        tabStops_.resize(static_cast<std::size_t>(col) + 1, true);
    tabStops_[static_cast<std::size_t>(col)] = value;
}

void TCustomGrid::ColWidthsChanged() {
    Changed();
}
void TCustomGrid::RowHeightsChanged() {
    Changed();
}
void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::SetOptions(TGridOptions value) {
    options_ = value;
    if (options_ & goRowSelect) options_ &= ~goAlwaysShowEditor;
    if (options_ & goAlwaysShowEditor)
        SetEditorMode(true);
    else if (!(options_ & goEditing))
        HideEditor();
    Invalidate();
    area_->viewport()->update();
}

void TCustomGrid::SetColor(TColor value) {
    color_ = value;
    brush_.SetColor(value);
    area_->viewport()->update();
}
void TCustomGrid::SetFixedColor(TColor value) {
    fixedColor_ = value;
    area_->viewport()->update();
}

// ---- geometry

int TCustomGrid::FixedWidth() const {
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c)
        w += ColWidths(c) + gridLineWidth_;
    return w;
}
int TCustomGrid::FixedHeight() const {
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r)
        h += RowHeights(r) + gridLineWidth_;
    return h;
}

int TCustomGrid::VisibleRowCount() const {
    const int room = area_->viewport()->height() - FixedHeight();
    int n = 0, used = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        used += RowHeights(r) + gridLineWidth_;
        if (used > room) break;
        ++n;
    }
    return n;
}
int TCustomGrid::VisibleColCount() const {
    const int room = area_->viewport()->width() - FixedWidth();
    int n = 0, used = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        used += ColWidths(c) + gridLineWidth_;
        if (used > room) break;
        ++n;
    }
    return n;
}

TRect TCustomGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
    int x = 0;
    if (col < fixedCols_)
        for (int c = 0; c < col; ++c)
            x += ColWidths(c) + gridLineWidth_;
    else {
        x = FixedWidth();
        for (int c = leftCol_; c < col; ++c)
            x += ColWidths(c) + gridLineWidth_;
    }
    int y = 0;
    if (row < fixedRows_)
        for (int r = 0; r < row; ++r)
            y += RowHeights(r) + gridLineWidth_;
    else {
        y = FixedHeight();
        for (int r = topRow_; r < row; ++r)
            y += RowHeights(r) + gridLineWidth_;
    }
    const QWidget* vp = area_->viewport();
    if (x >= vp->width() || y >= vp->height()) return {};
    return {x, y, x + ColWidths(col), y + RowHeights(row)};
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
    auto find = [this](int p, int fixed, int first, int count, auto size) {
        if (p < 0) return -1;
        int edge = 0;
        for (int i = 0; i < fixed; ++i) {
            edge += size(i) + gridLineWidth_;
            if (p < edge) return i;
        }
        for (int i = first; i < count; ++i) {
            edge += size(i) + gridLineWidth_;
            if (p < edge) return i;
        }
        return -1;
    };
    const int c = find(x, fixedCols_, leftCol_, colCount_, [this](int i) { return ColWidths(i); });
    const int r = find(y, fixedRows_, topRow_, rowCount_, [this](int i) { return RowHeights(i); });
    if (c < 0 || r < 0 || x >= area_->viewport()->width() || y >= area_->viewport()->height())
        return {-1, -1};
    return {c, r};
}

void TCustomGrid::InvalidateCell(int col, int row) {
    const TRect r = CellRect(col, row);
    if (!r.IsEmpty())
        area_->viewport()->update(r.Left, r.Top, r.Width() + gridLineWidth_,
                                  r.Height() + gridLineWidth_);
}

void TCustomGrid::AreaResized() {
    Changed();
}

void TCustomGrid::UpdateScrollBars() {
    auto lastFirst = [](int count, int fixed, int room, auto size, int line) {
        int used = 0, first = count;
        while (first > fixed && used + size(first - 1) + line <= room) {
            used += size(first - 1) + line;
            --first;
        }
        return std::max(fixed, std::min(first, count - 1));
    };
    // The room is the whole area less the bars that are needed, not the viewport that
    // bars shown earlier left: a bar that is no longer needed must not keep itself.
    QScrollBar* v = area_->verticalScrollBar();
    QScrollBar* h = area_->horizontalScrollBar();
    const int extent = area_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area_);
    int maxTop = fixedRows_, maxLeft = fixedCols_;
    for (int pass = 0; pass < 3; ++pass) {
        const bool needV = maxTop > fixedRows_, needH = maxLeft > fixedCols_;
        maxTop = lastFirst(
            rowCount_, fixedRows_, area_->height() - (needH ? extent : 0) - FixedHeight(),
            [this](int i) { return RowHeights(i); }, gridLineWidth_);
        maxLeft = lastFirst(
            colCount_, fixedCols_, area_->width() - (needV ? extent : 0) - FixedWidth(),
            [this](int i) { return ColWidths(i); }, gridLineWidth_);
    }
    const bool rangeChanged = v->minimum() != fixedRows_ || v->maximum() != maxTop ||
                              h->minimum() != fixedCols_ || h->maximum() != maxLeft;
    {
        const QSignalBlocker bv(v), bh(h);
        v->setRange(fixedRows_, maxTop);
        h->setRange(fixedCols_, maxLeft);
        topRow_ = std::clamp(topRow_, fixedRows_, maxTop);
        leftCol_ = std::clamp(leftCol_, fixedCols_, maxLeft);
        v->setValue(topRow_);
        h->setValue(leftCol_);
    }
    // The blocked signals also told the area to show or hide its bars.
    if (rangeChanged) {
        emit v->rangeChanged(v->minimum(), v->maximum());
        emit h->rangeChanged(h->minimum(), h->maximum());
    }
}

void TCustomGrid::ScrollTo(int topRow, int leftCol) {
    if (topRow == topRow_ && leftCol == leftCol_) return;
    topRow_ = topRow;
    leftCol_ = leftCol;
    UpdateScrollBars();
    if (editor_ && editor_->Visible()) PlaceEditor();
    area_->viewport()->update();
}
void TCustomGrid::SetTopRow(int value) {
    ScrollTo(value, leftCol_);
}
void TCustomGrid::SetLeftCol(int value) {
    ScrollTo(topRow_, value);
}

void TCustomGrid::ClampInView() {
    int top = topRow_, left = leftCol_;
    if (row_ >= fixedRows_) {
        if (row_ < top) top = row_;
        while (top < row_ && CellRect(col_ < fixedCols_ ? 0 : col_, row_).IsEmpty() &&
               row_ >= top + std::max(1, VisibleRowCount())) {
            ++top;
            topRow_ = top;
        }
    }
    if (col_ >= fixedCols_) {
        if (col_ < left) left = col_;
        while (left < col_ && col_ >= left + std::max(1, VisibleColCount())) {
            ++left;
            leftCol_ = left;
        }
    }
    topRow_ = top;
    leftCol_ = left;
    UpdateScrollBars();
}

void TCustomGrid::Resized() {
    // A shown area has just heard of the new size itself (AreaResized); a hidden one hears
    // of it only when shown, and the counts must be right meanwhile.
    if (!area_->isVisible()) Changed();
}

// ---- current cell

bool TCustomGrid::SelectCell(int col, int row) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, col, row, can);
    return can;
}

bool TCustomGrid::FocusCell(int col, int row) {
    col = std::clamp(col, fixedCols_, colCount_ - 1);
    row = std::clamp(row, fixedRows_, rowCount_ - 1);
    if (col == col_ && row == row_) return true;
    if (!SelectCell(col, row)) return false;
    InvalidateCell(col_, row_);
    col_ = col;
    row_ = row;
    ClampInView();
    area_->viewport()->update();
    if (editorMode_ || (options_ & goAlwaysShowEditor)) UpdateEdit();
    return true;
}

void TCustomGrid::SetCol(int value) {
    FocusCell(value, row_);
}
void TCustomGrid::SetRow(int value) {
    FocusCell(col_, value);
}

// ---- editor

bool TCustomGrid::IsActiveControl() const {
    const QWidget* focus = WidgetOf(*this).window()->focusWidget();
    return focus && Inside(focus, &WidgetOf(*this));
}

bool TCustomGrid::CanEditShow() {
    return (options_ & (goRowSelect | goEditing)) == goEditing && editorMode_ &&
           ((options_ & goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(*this);
}

std::string TCustomGrid::GetEditText(int, int) {
    return {};
}
void TCustomGrid::SetEditText(int, int, const std::string&) {}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    if (!editor_) {
        editor_.reset(CreateEditor());
        inplaceCol_ = col_;
        inplaceRow_ = row_;
        editor_->UpdateContents();
    } else if (inplaceCol_ != col_ || inplaceRow_ != row_) {
        HideEdit();
        inplaceCol_ = col_;
        inplaceRow_ = row_;
        editor_->UpdateContents();
    }
    if (CanEditShow() && editor_) PlaceEditor();
}

void TCustomGrid::PlaceEditor() {
    const TRect r = CellRect(col_, row_);
    if (r.IsEmpty()) {
        editor_->Hide();
        return;
    }
    const QPoint origin = area_->viewport()->mapTo(&WidgetOf(*this), QPoint(0, 0));
    editor_->MoveTo(
        {r.Left + origin.x(), r.Top + origin.y(), r.Right + origin.x(), r.Bottom + origin.y()});
    const bool hadFocus = IsActiveControl();
    editor_->Show();
    editor_->BringToFront();
    if (hadFocus && !editor_->Focused()) editor_->SetFocus();
}

void TCustomGrid::HideEdit() {
    if (!editor_) return;
    if (inplaceCol_ >= 0 && inplaceRow_ >= 0)
        SetEditText(inplaceCol_, inplaceRow_, editor_->Text());
    inplaceCol_ = inplaceRow_ = -1;
    // Also while a message box has the keyboard: the grid then gets it back afterwards,
    // where Qt would give it to the window's first control.
    const QWidget* focus = WidgetOf(*this).window()->focusWidget();
    const bool hadFocus = focus && Inside(focus, &WidgetOf(*editor_));
    editor_->Hide();
    if (hadFocus) area_->setFocus(Qt::OtherFocusReason);
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TCustomGrid::SetEditorMode(bool value) {
    if (!value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (editor_) editor_->Deselect();
}

void TCustomGrid::EndEditForChange() {
    if (inplaceCol_ < 0 || inplaceRow_ < 0) return;
    if (options_ & goAlwaysShowEditor)
        HideEdit();
    else
        HideEditor();
}

void EndFocusedGridEdit(TControl& control) {
    for (QWidget* w = WidgetOf(control).window()->focusWidget(); w; w = w->parentWidget())
        if (auto* cw = dynamic_cast<ControlWidget*>(w))
            if (auto* grid = dynamic_cast<TCustomGrid*>(&cw->Control())) {
                grid->EndEditForChange();
                return;
            }
}

void TCustomGrid::ShowEditorChar(char ch) {
    ShowEditor();
    if (editor_ && editor_->Visible()) editor_->PostMessage(WM_USER + 0x7F00, ch, 0);
}

// ---- keys

bool TCustomGrid::LeaveByTab(bool forward) {
    TCustomForm* form = ParentForm();
    return form && form->SelectNext(*this, forward);
}

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == 0) return;
    if (key == VK_TAB && (shift & ssCtrl)) {
        // as Windows grids do: Tab stays among the cells, Ctrl+Tab leaves
        key = 0;
        LeaveByTab(!(shift & ssShift));
        return;
    }
    const bool ctrl = shift & ssCtrl;
    int c = col_, r = row_;
    const int page = std::max(1, VisibleRowCount());
    switch (key) {
    case VK_UP:
        --r;
        break;
    case VK_DOWN:
        ++r;
        break;
    case VK_LEFT:
        if (!(options_ & goRowSelect)) --c;
        break;
    case VK_RIGHT:
        if (!(options_ & goRowSelect)) ++c;
        break;
    case VK_PRIOR:
        r -= page;
        break;
    case VK_NEXT:
        r += page;
        break;
    case VK_HOME:
        if (ctrl) r = fixedRows_;
        c = fixedCols_;
        break;
    case VK_END:
        if (ctrl) r = rowCount_ - 1;
        c = colCount_ - 1;
        break;
    case VK_TAB:
        if (!(options_ & goTabs) || (shift & ssAlt)) return;
        // To the next (previous) tab stop, row by row.
        for (int steps = 0; steps < colCount_ * rowCount_; ++steps) {
            if (shift & ssShift) {
                if (--c < fixedCols_) {
                    c = colCount_ - 1;
                    if (--r < fixedRows_) {
                        r = row_;
                        c = col_;
                        break;
                    }
                }
            } else if (++c >= colCount_) {
                c = fixedCols_;
                if (++r >= rowCount_) {
                    r = row_;
                    c = col_;
                    break;
                }
            }
            if (TabStops(c)) break;
        }
        break;
    case VK_F2:
        SetEditorMode(true);
        return;
    default:
        return;
    }
    FocusCell(c, r);
}

void TCustomGrid::KeyPress(char& key) {
    TControl::KeyPress(key);
    if (key == 13 && !(options_ & goAlwaysShowEditor)) {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        key = 0;
    }
}

void TCustomGrid::WMChar(char& key) {
    const unsigned char u = static_cast<unsigned char>(key);
    if ((options_ & goEditing) && (key == 8 || u >= 32))
        ShowEditorChar(key);
    else
        key = DoKeyPress(key);
}

// ---- focus

void TCustomGrid::HandleEnter() {
    if (focusInside_) return; // from the editor
    focusInside_ = true;
    DoEnter();
}

void TCustomGrid::HandleExit() {
    const QWidget* now = QApplication::focusWidget();
    if (now && Inside(now, &WidgetOf(*this))) return; // to the editor, or back
    focusInside_ = false;
    DoExit();
}

void TCustomGrid::DoEnter() {
    TControl::DoEnter();
    UpdateEdit();
    area_->viewport()->update();
}

void TCustomGrid::DoExit() {
    TControl::DoExit();
    HideEdit();
    area_->viewport()->update();
}

// ---- mouse

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    clickedCurrent_ = false;
    drag_ = Drag::None;
    if (!IsActiveControl() && CanFocus()) SetFocus();
    if (button == mbLeft && !(shift & ssDouble)) {
        const QPoint vp = area_->viewport()->mapFrom(&WidgetOf(*this), QPoint(x, y));
        const TGridCoord cell = MouseCoord(vp.x(), vp.y());
        if (cell.X >= 0) {
            if (cell.X < fixedCols_ && cell.Y >= fixedRows_ && (options_ & goRowMoving)) {
                drag_ = Drag::Row;
                dragFrom_ = cell.Y;
            } else if (cell.Y < fixedRows_ && cell.X >= fixedCols_ && (options_ & goColMoving)) {
                drag_ = Drag::Col;
                dragFrom_ = cell.X;
            } else if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) {
                clickedCurrent_ = (options_ & goEditing) && cell.X == col_ && cell.Y == row_ &&
                                  !(editor_ && editor_->Visible());
                if (!clickedCurrent_) FocusCell(cell.X, cell.Y);
            }
        }
    }
    TControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const QPoint vp = area_->viewport()->mapFrom(&WidgetOf(*this), QPoint(x, y));
        const TGridCoord cell = MouseCoord(vp.x(), vp.y());
        if (drag_ == Drag::Row && cell.Y >= fixedRows_ && cell.Y != dragFrom_)
            MoveRow(dragFrom_, cell.Y);
        else if (drag_ == Drag::Col && cell.X >= fixedCols_ && cell.X != dragFrom_)
            MoveColumn(dragFrom_, cell.X);
        else if (clickedCurrent_ && cell.X == col_ && cell.Y == row_)
            ShowEditor();
    }
    drag_ = Drag::None;
    clickedCurrent_ = false;
    TControl::MouseUp(button, shift, x, y);
}

// ---- moves

void TCustomGrid::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_) return;
    EndEditForChange();
    if (static_cast<int>(rowHeights_.size()) > std::max(from, to)) {
        const int h = rowHeights_[static_cast<std::size_t>(from)];
        rowHeights_.erase(rowHeights_.begin() + from);
        rowHeights_.insert(rowHeights_.begin() + to, h);
    }
    RowMoved(from, to);
}

void TCustomGrid::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= colCount_ || to >= colCount_) return;
    EndEditForChange();
    if (static_cast<int>(colWidths_.size()) > std::max(from, to)) {
        const int w = colWidths_[static_cast<std::size_t>(from)];
        colWidths_.erase(colWidths_.begin() + from);
        colWidths_.insert(colWidths_.begin() + to, w);
    }
    ColumnMoved(from, to);
}

void TCustomGrid::RowMoved(int from, int to) {
    if (OnRowMoved) OnRowMoved(this, from, to);
}
void TCustomGrid::ColumnMoved(int from, int to) {
    if (OnColumnMoved) OnColumnMoved(this, from, to);
}

// ---- painting

TCanvas& TCustomGrid::Canvas() {
    if (paintCanvas_) return *paintCanvas_;
    if (!measure_) measure_ = std::make_unique<TBitmap>(1, 1);
    measure_->Canvas().Font().Assign(font_);
    return measure_->Canvas();
}

void TCustomGrid::Paint(TPaintContext&) {} // the viewport paints the cells

void TCustomGrid::PaintViewport(TPaintContext& context) {
    PaintCanvas canvas(context.painter);
    paintCanvas_ = &canvas;
    struct Reset {
        TCanvas*& p;
        ~Reset() { p = nullptr; }
    } reset{paintCanvas_};
    const bool focused = IsActiveControl();
    const QWidget* vp = area_->viewport();
    canvas.Brush().SetColor(color_);
    canvas.FillRect({0, 0, vp->width(), vp->height()});
    auto drawRange = [&](int r0, int r1, int c0, int c1) {
        for (int r = r0; r < r1; ++r)
            for (int c = c0; c < c1; ++c) {
                const TRect rect = CellRect(c, r);
                if (rect.IsEmpty()) continue;
                TGridDrawState state = 0;
                const bool fixed = c < fixedCols_ || r < fixedRows_;
                if (fixed)
                    state |= gdFixed;
                else if ((c == col_ || (options_ & goRowSelect)) && r == row_) {
                    state |= gdSelected;
                    if (focused) state |= gdFocused;
                }
                canvas.Font().Assign(font_);
                if (defaultDrawing_) {
                    const bool highlight =
                        (state & gdSelected) &&
                        (!(state & gdFocused) || (options_ & (goDrawFocusSelected | goRowSelect)));
                    canvas.Brush().SetColor(fixed ? fixedColor_ : highlight ? clHighlight : color_);
                    if (highlight) canvas.Font().SetColor(clHighlightText);
                    canvas.FillRect(rect);
                }
                DrawCell(c, r, rect, state);
                if (defaultDrawing_ && fixed) {
                    canvas.Pen().SetColor(clBtnShadow);
                    canvas.MoveTo(rect.Right - 1, rect.Top);
                    canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
                    canvas.LineTo(rect.Left - 1, rect.Bottom - 1);
                }
                if ((state & gdFocused) && !(options_ & goRowSelect) && defaultDrawing_) {
                    canvas.Pen().SetColor(clWindowText);
                    canvas.Pen().SetStyle(psDot);
                    canvas.Brush().SetStyle(bsClear);
                    canvas.Rectangle(rect);
                    canvas.Pen().SetStyle(psSolid);
                    canvas.Brush().SetStyle(bsSolid);
                }
            }
    };
    drawRange(0, fixedRows_, 0, fixedCols_);
    drawRange(0, fixedRows_, leftCol_, colCount_);
    drawRange(topRow_, rowCount_, 0, fixedCols_);
    drawRange(topRow_, rowCount_, leftCol_, colCount_);
    if (gridLineWidth_ > 0) {
        // The lines end with the cells: the room below the last row and right of the last
        // column stays plain, not drawn as an empty row or column.
        int right = 0, bottom = 0;
        for (int c = 0; c < colCount_; ++c) {
            const TRect r = CellRect(c, c < fixedCols_ ? 0 : std::max(topRow_, fixedRows_));
            if (!r.IsEmpty()) right = std::max<int>(right, r.Right + gridLineWidth_);
        }
        for (int rr = 0; rr < rowCount_; ++rr) {
            const TRect r = CellRect(0, rr);
            const TRect any = r.IsEmpty() ? CellRect(leftCol_, rr) : r;
            if (!any.IsEmpty()) bottom = std::max<int>(bottom, any.Bottom + gridLineWidth_);
        }
        right = std::min(right, vp->width());
        bottom = std::min(bottom, vp->height());
        canvas.Pen().SetColor(clSilver);
        for (int c = 0; c < colCount_; ++c) {
            const TRect r = CellRect(c, c < fixedCols_ ? 0 : std::max(topRow_, fixedRows_));
            if (r.IsEmpty()) continue;
            canvas.MoveTo(r.Right, 0);
            canvas.LineTo(r.Right, bottom);
        }
        for (int rr = 0; rr < rowCount_; ++rr) {
            const TRect r = CellRect(0, rr);
            const TRect any = r.IsEmpty() ? CellRect(leftCol_, rr) : r;
            if (any.IsEmpty()) continue;
            canvas.MoveTo(0, any.Bottom);
            canvas.LineTo(right, any.Bottom);
        }
    }
}

void TCustomGrid::DrawCell(int col, int row, TRect rect, TGridDrawState state) {
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

// ---- streaming

void TCustomGrid::DefineProperties(TFiler& filer) {
    const bool widths = std::any_of(colWidths_.begin(), colWidths_.end(),
                                    [this](int w) { return w != defaultColWidth_; });
    const bool heights = std::any_of(rowHeights_.begin(), rowHeights_.end(),
                                     [this](int h) { return h != defaultRowHeight_; });
    filer.DefineProperty(
        "ColWidths", [this](TReader& r) { ReadColWidths(r); },
        [this](TWriter& w) { WriteColWidths(w); }, widths);
    filer.DefineProperty(
        "RowHeights", [this](TReader& r) { ReadRowHeights(r); },
        [this](TWriter& w) { WriteRowHeights(w); }, heights);
}

void TCustomGrid::ReadColWidths(TReader& reader) {
    reader.ReadListBegin();
    for (int c = 0; !reader.EndOfList(); ++c)
        SetColWidths(c, reader.ReadInteger());
    reader.ReadListEnd();
}
void TCustomGrid::WriteColWidths(TWriter& writer) {
    writer.WriteListBegin();
    for (int c = 0; c < colCount_; ++c)
        writer.WriteInteger(ColWidths(c));
    writer.WriteListEnd();
}
void TCustomGrid::ReadRowHeights(TReader& reader) {
    reader.ReadListBegin();
    for (int r = 0; !reader.EndOfList(); ++r)
        SetRowHeights(r, reader.ReadInteger());
    reader.ReadListEnd();
}
void TCustomGrid::WriteRowHeights(TWriter& writer) {
    writer.WriteListBegin();
    for (int r = 0; r < rowCount_; ++r)
        writer.WriteInteger(RowHeights(r));
    writer.WriteListEnd();
}

void TCustomGrid::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    if (m == d || d == 0) return;
    // Explicit sizes first: they are read back against the old defaults.
    std::vector<int> widths(static_cast<std::size_t>(colCount_));
    std::vector<int> heights(static_cast<std::size_t>(rowCount_));
    for (int c = 0; c < colCount_; ++c)
        widths[static_cast<std::size_t>(c)] = ColWidths(c);
    for (int r = 0; r < rowCount_; ++r)
        heights[static_cast<std::size_t>(r)] = RowHeights(r);
    SetDefaultColWidth(MulDiv(defaultColWidth_, m, d));
    SetDefaultRowHeight(MulDiv(defaultRowHeight_, m, d));
    for (int c = 0; c < colCount_; ++c)
        SetColWidths(c, MulDiv(widths[static_cast<std::size_t>(c)], m, d));
    for (int r = 0; r < rowCount_; ++r)
        SetRowHeights(r, MulDiv(heights[static_cast<std::size_t>(r)], m, d));
    font_.SetHeight(MulDiv(font_.Height(), m, d));
}
