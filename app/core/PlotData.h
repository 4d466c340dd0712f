#pragma once
// Turning the main window's selection into one plot: per plotted file an x array and a
// matrix of y rows (x = v * k + o + shift, y from a variable or a composite of two),
// with names, units, colours, the time unit and the chart kind. Plain inputs in, a new
// snapshot or the message to show out; nothing here touches a window.

#include "PlotSnapshot.h"
#include "SimOut.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t kRightAxisColour = 0xB5F0F0;  // column-1 cell of a right-axis row
inline constexpr std::uint32_t kBadCellColour = 0x808080;    // the cell a message points at
inline constexpr std::uint32_t kTimeFactorColour = 0xF0F0F0; // x factor cell in minutes or hours

// The x row's time factors, the only place they are spelled: seconds to minutes (1/60)
// and to hours (1/3600).
inline constexpr const char* kMinutesFactorText = "s->m";
inline constexpr const char* kHoursFactorText = "s->h";

enum class EPlotIcon { none, stop, exclamation, information };

// The cell painted while a message shows: a cell of the selection grid, or the time
// shift of a file slot in the file table.
struct SPlotBadCell {
    enum EGrid { none, selection, shift } grid = none;
    int col = 0, row = 0; // selection grid column and row
    int slot = 0;         // the slot whose time shift is bad
};

struct SPlotMessage {
    std::string text, title;
    EPlotIcon icon = EPlotIcon::none;
    SPlotBadCell cell;
};

// One row of the selection grid.
struct SPlotRow {
    int slot = 0;
    int variable = 0;    // index into the file's names
    int second = -1;     // second operand of a composite, else -1
    int operatorPos = 0; // 1-based position of the operator in `name`, 0 for a plain row
    std::string name;    // the name cell
    std::string factorText, offsetText;
    bool rightAxis = false;
    std::uint32_t colour = 0;
};

struct SPlotFile {
    const SimOut* file = nullptr; // null: slot free
    std::string fileName;         // full path
    bool hasShift = false;        // the file table shows this slot's time shift
    std::string shiftText;
};

struct SPlotRequest {
    std::vector<SPlotRow> rows; // grid rows 1, 2, ... in order
    int xRow = 1;               // grid row of the x variable
    std::array<SPlotFile, kMaxFiles> files;
    bool multiFile = false;
    int currentSlot = 0;
    bool xIsFirstVariable = true;
    bool barsForFS = false, barsForHFS = false, pointsOnly = false;
};

struct SPlotOutcome {
    PlotSnapshotPtr plot; // null on failure
    SPlotMessage message; // why it failed
};

SPlotOutcome BuildPlotData(const SPlotRequest& request);

// A factor cell: a number, or the time factors "s->m" (1/60) and "s->h" (1/3600).
bool ReadPlotFactor(std::string_view text, double& value);
// The unit of a variable from its type letter ('i' reads as 'c'): degree sign, A, J, W,
// V, or 0 for none.
std::uint8_t UnitOfName(std::string_view name);
// The unit of a composite: v*c gives W; a sum or difference keeps a shared unit.
std::uint8_t CompositeUnit(std::string_view first, char op, std::string_view second);
// The x axis' time unit: "m", "h", "s", "Hz" or empty.
std::string PlotTimeUnit(std::string_view xFactorText, std::string_view currentXName,
                         std::string_view xName);
