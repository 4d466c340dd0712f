#pragma once
// The rules of the main window's file table that need no window: the abscissa name the
// loaded files share, the header of the last-x column, the texts of a file row, the
// comparison of file names, and the re-finding of the selection after a file is read
// again.

#include <string>
#include <vector>

// The abscissa name shared by the loaded files, one x name each (at least one): the
// name when all are equal, else their common first letter, else "x".
std::string SharedXName(const std::vector<std::string>& xNames);

// Header of the last-x column. From a shared name: "t" and "f" give "Tmax" and "Fmax",
// anything else "Xmax". From one file's x name: its first letter decides the same way.
std::string MaxHeaderForSharedName(const std::string& shared);
std::string MaxHeaderForXName(const std::string& xName);

// The last abscissa value as the table shows it: general format, 5 significant digits,
// with the user's decimal separator.
std::string LastXText(float value);

// Trailing blanks removed; a name keeps at least one character.
std::string TrimNameRight(const std::string& name);

// Whether two names lead to the same file: their canonical paths are equal. Names that
// differ only in letter case are different files on this system.
bool SameFile(const std::string& a, const std::string& b);

// One selection row as the re-find after a refresh sees it.
struct SRefindRow {
    std::string name;       // column 0: a variable name, or first name, operator, second name
    int slot = 0;           // file slot of the row
    int variable = 0;       // index into the file's names
    int second = -1;        // second operand of a composite, else -1
    int operatorPos = 0;    // 1-based position of the operator in the name; 0 plain
    bool isXRow = false;    // the x row of the single-file layout ("x" in column 1)
    bool isCommonX = false; // the common-x row of the multi-file layout
};

// After slot `slot` was read again: `listed` are the names the variable list now
// shows, and list position p means variable index p + indexOffset. Only rows of that
// slot are touched (every row when `allRows`), and never the common-x row: a plain row
// whose name is listed takes its new index; the x row whose name is gone takes the
// first listed name; a composite takes the new indices of both operands when both are
// listed. Returns the rows (indices into `rows`) that must be removed, last first.
std::vector<int> RefindSelection(std::vector<SRefindRow>& rows,
                                 const std::vector<std::string>& listed, int indexOffset, int slot,
                                 bool allRows);
