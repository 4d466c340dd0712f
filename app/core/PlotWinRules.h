#pragma once
// The plot window's arithmetic that needs no window: printer pen widths, the packing of
// the panel's right-hand buttons, keeping a remembered window on the screen, where the
// cursor values go, the range of a manually typed scale value, and whether a handed-over
// snapshot can be drawn at all.

#include <string>

struct SPlotSnapshot;

// Printer dots of a pen given in tenths of a millimetre: trunc(size x dots per tenth + 0.5).
int PenDots(int tenthsOfMm, int dotsPerInch);

struct SPrintPens {
    int frame = 0, curve = 0, dot = 0;
    bool ok = false; // false: a pen rounds to no dot and nothing may be printed
};
// dotTenths 0 stands for "tiny" (one dot). The curve pen counts only for line plots.
SPrintPens PrintPens(int frameTenths, int curveTenths, int dotTenths, int dotsPerInch,
                     bool linePlot);

// Lefts of the right-hand panel buttons, packed from the right edge 3 pixels apart.
struct SPanelButtons {
    int print = 0, copy = 0, save = 0, mark = 0;
};
SPanelButtons PackPanelButtons(int clientWidth, int printWidth, int copyWidth, int saveWidth,
                               int markWidth);

// A window position along one screen axis such that at least half of the window stays on
// the screen.
int KeepHalfOnScreen(int position, int size, int screenSize);
// The same for a remembered place: the whole window on the screen where it fits, so that
// a place kept on a larger screen comes back with its title bar and buttons on this one.
int KeepWholeOnScreen(int position, int size, int screenSize);

// A single curve in a window at least as wide as at start shows its cursor values in the
// panel; anything else uses the values window.
bool CursorValuesInPanel(int totalCurves, int clientWidth, int initialClientWidth);

// A manual scale end typed as a double must survive the float the chart uses.
bool FitsFloatScale(double value);
// Min must lie below max once both are the floats the chart will use.
bool ScaleRangeOrdered(double min, double max);

// Counts within the chart's limits and arrays as long as the counts say.
bool SnapshotDrawable(const SPlotSnapshot& s);

// An axis end as the manual scaling dialog shows it: general format with 4 significant
// digits (fixed point for magnitudes from 0.00001 below 10000, else d.dddE+dddd with at
// least 4 exponent digits), trailing zeros dropped.
std::string ScaleEndText(float value, char decimalSeparator);
