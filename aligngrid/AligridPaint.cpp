// Cell painting: the cell's own font and brush, the selected colours, and
// texts of several lines (CR or CR LF breaks a line; a lone LF is drawn).

#include "Aligrid.h"

#include "Canvas.h"

void TStringAlignGrid::DrawCell(int col, int row, TRect rect, TGridDrawState state) {
    if (!DefaultDrawing()) {
        TStringGrid::DrawCell(col, row, rect, state);
        return;
    }
    PaintCell(Canvas(), col, row, rect, state);
    if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
}

void TStringAlignGrid::PaintCell(TCanvas& canvas, int col, int row, const TRect& rect,
                                 TGridDrawState state) const {
    canvas.Font().Assign(GetCellFont(col, row));
    canvas.Brush().Assign(GetCellBrush(col, row));
    const bool selected =
        DrawSelection() && (state & gdSelected) &&
        (!(state & gdFocused) || (Options() & (goDrawFocusSelected | goRowSelect)));
    if (selected) {
        canvas.Brush().SetColor(GetSelectedColorCell(col, row));
        canvas.Font().SetColor(GetSelectedFontColorCell(col, row));
    }
    canvas.FillRect(rect);

    // Text goes over the filled background, clipped to the cell.
    const TBrushStyle fillStyle = canvas.Brush().Style();
    canvas.Brush().SetStyle(bsClear);
    const TMyAlign align = GetAlignCell(col, row);
    const std::string text = Cells(col, row) + '\r';
    std::size_t pos = 0;
    int y = rect.Top + 2;
    for (std::size_t cr; (cr = text.find('\r', pos)) != std::string::npos;) {
        const std::string_view line(text.data() + pos, cr - pos);
        const int w = canvas.TextWidth(line);
        const int h = canvas.TextHeight(line);
        int x = rect.Left + 2;
        if (align == alRight)
            x = rect.Right - w - 2;
        else if (align == alCenter)
            x = rect.Left + (rect.Width() - w) / 2;
        if (!line.empty()) canvas.TextRect(rect, x, y, line);
        pos = cr + 1;
        if (pos < text.size() && text[pos] == '\n') ++pos;
        y += h;
    }
    canvas.Brush().SetStyle(fillStyle);
}
