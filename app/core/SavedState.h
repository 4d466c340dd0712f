#pragma once
// The saved working state as the registry holds it, under the program key's "SavedState":
//   "Number Of Files"  integer, 1 to 8
//   "File N. k"        260 bytes: the full path padded with zero bytes to 256, then the
//                      file's packed DOS date and time, little-endian
//   "SelVarData"       200 bytes: the selection list, 10 records of 20 bytes (mark byte,
//                      3 zero bytes, then int32 slot, variable, second operand, operator
//                      position, little-endian); a slot of -1 ends the list
//   "TimeUnit"         1 byte: 'm', 'h' or 0
//   "XVarRow"          integer: the selection row of the x variable
// Building these bytes, reading them back and checking what was read before the main
// window lets go of anything.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kNumberOfFilesValue = "Number Of Files";
inline constexpr const char* kSelVarDataValue = "SelVarData";
inline constexpr const char* kTimeUnitValue = "TimeUnit";
inline constexpr const char* kXVarRowValue = "XVarRow";

inline constexpr int kSavedPathSize = 256;
inline constexpr int kFileRecordSize = kSavedPathSize + 4;
inline constexpr int kSelRecordCount = 10;
inline constexpr int kSelRecordSize = 20;
inline constexpr int kSelVarDataSize = kSelRecordCount * kSelRecordSize;
inline constexpr int kMaxSavedFiles = 8;
inline constexpr int kMaxSelectionRows = 9; // rows 1 to 9 of the selection grid

using TFileRecordBytes = std::array<std::uint8_t, kFileRecordSize>;
using TSelVarDataBytes = std::array<std::uint8_t, kSelVarDataSize>;

// "File N. " and the record's number, 1-based, in decimal.
std::string FileRecordName(int k);

struct SSavedFile {
    std::string path;
    std::uint32_t stamp = 0;
};

// False, and nothing built, when the path takes 256 bytes or more: such a path would be
// stored without its end and could never be found again.
bool EncodeFileRecord(const SSavedFile& file, TFileRecordBytes& out);
// The path ends at the first zero byte, or after 256 bytes.
SSavedFile DecodeFileRecord(const TFileRecordBytes& bytes);

struct SSavedSelRecord {
    std::uint8_t mark = 0; // 1: the row plots against the right y axis
    std::int32_t slot = 0; // rank of the file among the saved ones; -1 ends the list
    std::int32_t variable = 0;
    std::int32_t second = -1;
    std::int32_t operatorPos = 0;
};
using TSavedSelection = std::array<SSavedSelRecord, kSelRecordCount>;

TSelVarDataBytes EncodeSelVarData(const TSavedSelection& records);
TSavedSelection DecodeSelVarData(const TSelVarDataBytes& bytes);

// The selection list as it is saved. `list` is the window's list (slots are real slot
// numbers), `rowsInUse` the rows below the header, `rightAxis[k]` whether row k + 1 is
// marked for the right axis (read for records 1 to 9; record 0 keeps its own mark).
// Slots become the file's rank among the saved files (`rankOfSlot`, -1 for a slot not
// saved), so that a restore into slots 0, 1, ... finds each row's file; in the single-file
// layout every slot is 0. The record after the last row in use gets the end marker.
TSavedSelection BuildSavedSelection(const TSavedSelection& list, int rowsInUse,
                                    const std::array<bool, kSelRecordCount>& rightAxis,
                                    bool singleFile, const std::array<int, 8>& rankOfSlot);

// The time-unit byte from the x row's factor text: its fourth character when the text is
// longer than 3 ("s->m" gives 'm'), else 0.
std::uint8_t TimeUnitByte(const std::string& xFactorText);

// What a restore rebuilds, worked out from the values read back.
struct SRestoreRow {
    int slot = 0;     // the slot the file reloads into
    int variable = 0; // index of the variable in its file
    bool right = false;
};
struct SRestorePlan {
    int fileCount = 0;
    bool multiFile = false;        // more than one file: the multi-file layout
    bool firstRecordUsed = false;  // record 0 adds a row of its own
    std::vector<SRestoreRow> rows; // rows added after the x row, in order
    int xRow = 0;                  // single-file layout: the row to make x (0: none)
    char timeUnit = 0;             // 'm', 'h' or 0
};

// Checks the values read back: a file count of 1 to 8, slots within [-1, count), variable
// indices that the layout can list (from 1 in the multi-file layout, whose list leaves out
// the x variable), and in the single-file layout an x row among the saved rows. `xVarRow`
// is needed only for a count of 1; `timeUnit` is the byte read, if any. Anything else gives
// nullopt: the values are not a state this program saved. The variable indices are checked
// against the files' sizes only after the files reload. Rows beyond the grid's 9 are left
// out (a single-file state whose record 0 adds a row can need one more).
std::optional<SRestorePlan> PlanRestore(int fileCount, const TSavedSelection& records,
                                        std::optional<std::int32_t> xVarRow,
                                        std::optional<std::uint8_t> timeUnit);
