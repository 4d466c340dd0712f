#include "MainFormGridDesigns.h"

// FixedColor 15790320 = $F0F0F0; header row colour 12632256 = $C0C0C0;
// column 5 background 16053492 = $F4F4F4; font colour -2147483640 is
// clWindowText (0x80000008); the style integer 317732864 has no style bits in
// its low byte.

std::string_view FileStringGridDesign() {
    return R"(ColCount = 7
RowCount = 4
FixedCols = 5
FixedRows = 1
DefaultRowHeight = 17
Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goTabs]
FixedColor = 15790320
AfterLastCellEdit = lc_stop
AfterLastCellTab = lc_stop
DrawSelection = False
AlignCol = {000002}
EditCell = {060001000106000200010600030001}
EditCol = {050000}
Cells = (1 0 '#' 2 0 'File Name' 3 0 '# of vars' 4 0 '# of Points' 5 0 'Tmax' 6 0 'Tshift')
BrushCol = (5 16053492 0)
ColorFixedRow = (0 12632256)
)";
}

std::string_view SelectedGridDesign() {
    return R"(ColCount = 4
RowCount = 10
FixedCols = 2
FixedRows = 1
Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goTabs]
FixedColor = 15790320
DrawSelection = False
AlignCell = {0100000002}
AlignCol = {010002}
FixedAlignCol = {010002}
Cells = (0 0 'Variable' 1 0 '#' 2 0 'Factor' 3 0 'Offset')
FontCol = (1 -2147483640 -14 'MS Sans Serif' 0 317732864)
)";
}
