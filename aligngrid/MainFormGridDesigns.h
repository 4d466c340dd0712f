#pragma once
// The designs of the main window's two grids, in the form property text
// notation (PropertyText.h). The alignment, column font and header colour
// tables have no run-time setters, so these texts, run through the grid's
// readers and Loaded, are the only way the grids get them.

#include <string_view>

// The file table: 7 columns, columns 0 to 4 fixed, header row 0.
std::string_view FileStringGridDesign();
// The selection table: 4 columns, 10 rows, columns 0 and 1 fixed.
std::string_view SelectedGridDesign();
