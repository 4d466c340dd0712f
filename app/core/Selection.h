#pragma once
// The main window's selection: the rows of the selection grid (x variable and curves, with
// factors, offsets, composites of two variables, right axis and curve colours), the x row,
// the time unit, the colour pool, the remembered factors and offsets and the composite
// waiting for its second operand. The grid only draws this; nothing is read back from it.

#include "PlotData.h"
#include "SavedState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The time factor text for a unit letter: kMinutesFactorText for 'm', kHoursFactorText for
// 'h', empty for anything else.
std::string TimeFactorText(char unit);
bool IsTimeFactorText(const std::string& text);

struct SSelRow {
    std::string name;    // a variable's name, or first name, operator, second name
    std::string hint;    // the name cell's hint (a composite's full name)
    int slot = 0;        // file slot of the variable
    int variable = 0;    // index into the file's names
    int second = -1;     // second operand of a composite, else -1
    int operatorPos = 0; // 1-based position of the operator in `name`; 0 plain
    bool rightAxis = false;
    std::uint32_t colour = 0;
    std::string factorText = "1", offsetText = "0";
};

// What an add did, so the window knows what to enable.
enum class EAddResult { refused, pending, added };

class CSelection {
public:
    static constexpr int kMaxRows = kMaxSelectionRows; // grid rows 1 to 9

    CSelection() { ResetColours(); }

    // ---- questions
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Row r of the grid, 1-based.
    const SSelRow& Row(int r) const { return rows_.at(static_cast<std::size_t>(r - 1)); }
    int XRow() const { return xRow_; }
    char TimeUnit() const { return timeUnit_; }
    // The x row holds its file's first variable (always so with no rows).
    bool XIsFirstVariable() const;
    bool CompositeMode() const { return compositeMode_; }
    char Operator() const { return operator_; }
    // The first operand of a composite waiting for its second; drawn on row RowCount() + 1.
    const std::optional<SSelRow>& Pending() const { return pending_; }
    // Every curve comes from one file (the single-file layout: at least one curve).
    bool FromOneFile(bool multi) const;
    // The slot the curves come from: the multi-file layout's x row belongs to no file.
    int CurveSlot(bool multi, int fallback) const;
    // Row r is plotted scaled: factor and offset both read and not the neutral 1 and 0.
    bool Scaled(int r) const;

    // ---- operations on rows
    // Adds a variable (or a composite's operand in composite mode) of `slot`, with index
    // `variable` and `name`. Refused when the grid is full.
    EAddResult AddVariable(int slot, int variable, const std::string& name, bool right,
                           bool associateFO);
    // Removes row r (never the x row), remembering its factor and offset when asked.
    void RemoveRow(int r, bool associateFO);
    // Makes row r the x variable: its colour goes to the old x row, which becomes a curve.
    void MakeX(int r);
    // Empties the selection; the remembered factors and offsets of scaled rows are kept
    // when asked. The colours start again.
    void Clear(bool associateFO);
    // The multi-file layout's first row: the shared abscissa of the files.
    void SetCommonXRow(const std::string& name, bool takeColour);
    void SetRowName(int r, const std::string& name);
    // Texts the user typed into the factor (column 2) or offset (column 3) cells.
    void SetFactorText(int r, const std::string& text);
    void SetOffsetText(int r, const std::string& text);

    // ---- composite mode
    void SetOperator(char op) { operator_ = op; }
    void StartComposite() { compositeMode_ = true; }
    // Leaves composite mode; a waiting first operand is dropped and its colour freed.
    void EndComposite();

    // ---- time unit: 's' (user factor "1"), 'm' or 'h' (the x factor becomes the time
    // factor text). The unit changes even when there is no x row.
    void SetTimeUnit(char unit);
    // The unit alone, the x row's factor text kept.
    void SetTimeUnitOnly(char unit) { timeUnit_ = unit; }

    // ---- colours
    std::uint32_t AllocColour();
    void FreeColour(std::uint32_t colour);
    void ResetColours();

    // ---- remembered factors and offsets
    struct SDefaultFO {
        std::string name;
        float factor = 1, offset = 0;
    };
    void StoreDefaultFO(int r);
    void ApplyDefaultFO(int r);

    // ---- after a file was read again: rows of `slot` (every row when `allRows`) take the
    // indices of their names in `listed` (list position p is variable p + indexOffset);
    // rows whose names are gone are removed.
    void Refind(int slot, const std::vector<std::string>& listed, int indexOffset, bool allRows,
                bool multi, bool associateFO);

    // ---- plotting and the saved state
    void FillPlotRequest(SPlotRequest& q) const;
    // The selection list and marks as the saved state stores them (slots are real slots).
    TSavedSelection SavedList() const;
    std::array<bool, kSelRecordCount> SavedMarks() const;

    // The files a restore reloads, by their rank in the saved state: the slot each goes to
    // and its variable names; an empty list when the file did not load.
    struct SRestoreFile {
        int slot = 0;
        std::vector<std::string> names;
    };
    // A selection equal to the saved one, or nullopt when a record does not fit its file
    // (a rank or variable index out of range, an x row that is not a saved row). The
    // multi-file layout's row 1 is the common-x row named `commonX`. Rows of files that did
    // not load are left out. Remembered factors and offsets are applied when asked.
    std::optional<CSelection> Restored(const TSavedSelection& records, int fileCount,
                                       std::optional<std::int32_t> xVarRow, char timeUnit,
                                       const std::vector<SRestoreFile>& files,
                                       const std::string& commonX, bool associateFO) const;

private:
    std::vector<SSelRow> rows_;
    int xRow_ = 1;
    char timeUnit_ = 's';
    bool compositeMode_ = false;
    char operator_ = '+';
    std::optional<SSelRow> pending_;
    std::array<bool, kMaxCurves> colourInUse_{};
    std::vector<SDefaultFO> defaultFO_; // at most 20, filled in order
};
