#include "SavedState.h"

#include <cstring>

namespace {

void PutLE32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t GetLE32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}

} // namespace

std::string FileRecordName(int k) {
    return "File N. " + std::to_string(k);
}

bool EncodeFileRecord(const SSavedFile& file, TFileRecordBytes& out) {
    if (file.path.size() >= static_cast<std::size_t>(kSavedPathSize)) return false;
    out.fill(0);
    std::memcpy(out.data(), file.path.data(), file.path.size());
    PutLE32(out.data() + kSavedPathSize, file.stamp);
    return true;
}

SSavedFile DecodeFileRecord(const TFileRecordBytes& bytes) {
    SSavedFile file;
    const auto* begin = reinterpret_cast<const char*>(bytes.data());
    const void* zero = std::memchr(begin, 0, kSavedPathSize);
    const std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - begin)
             : static_cast<std::size_t>(kSavedPathSize);
    file.path.assign(begin, length);
    file.stamp = GetLE32(bytes.data() + kSavedPathSize);
    return file;
}

TSelVarDataBytes EncodeSelVarData(const TSavedSelection& records) {
    TSelVarDataBytes out{};
    for (int k = 0; k < kSelRecordCount; ++k) {
        const SSavedSelRecord& r = records[static_cast<std::size_t>(k)];
        std::uint8_t* p = out.data() + k * kSelRecordSize;
        p[0] = r.mark;
        PutLE32(p + 4, static_cast<std::uint32_t>(r.slot));
        PutLE32(p + 8, static_cast<std::uint32_t>(r.variable));
        PutLE32(p + 12, static_cast<std::uint32_t>(r.second));
        PutLE32(p + 16, static_cast<std::uint32_t>(r.operatorPos));
    }
    return out;
}

TSavedSelection DecodeSelVarData(const TSelVarDataBytes& bytes) {
    TSavedSelection records;
    for (int k = 0; k < kSelRecordCount; ++k) {
        const std::uint8_t* p = bytes.data() + k * kSelRecordSize;
        SSavedSelRecord& r = records[static_cast<std::size_t>(k)];
        r.mark = p[0];
        r.slot = static_cast<std::int32_t>(GetLE32(p + 4));
        r.variable = static_cast<std::int32_t>(GetLE32(p + 8));
        r.second = static_cast<std::int32_t>(GetLE32(p + 12));
        r.operatorPos = static_cast<std::int32_t>(GetLE32(p + 16));
    }
    return records;
}

TSavedSelection BuildSavedSelection(const TSavedSelection& list, int rowsInUse,
                                    const std::array<bool, kSelRecordCount>& rightAxis,
                                    bool singleFile, const std::array<int, 8>& rankOfSlot) {
    TSavedSelection out = list;
    for (int k = 0; k < kSelRecordCount && k < rowsInUse; ++k) {
        SSavedSelRecord& r = out[static_cast<std::size_t>(k)];
        // The multi-file layout's common-x row belongs to no file: it takes the first
        // rank, never the -1 of a free slot, which would read back as the list's end.
        if (singleFile || k == 0)
            r.slot = 0;
        else
            r.slot = r.slot >= 0 && r.slot < 8 ? rankOfSlot[static_cast<std::size_t>(r.slot)] : -1;
        if (k > 0) r.mark = rightAxis[static_cast<std::size_t>(k)] ? 1 : 0;
    }
    // No rows at all: the list ends before record 0, so nothing stale is read back.
    if (rowsInUse < kSelRecordCount)
        out[static_cast<std::size_t>(rowsInUse < 0 ? 0 : rowsInUse)].slot = -1;
    return out;
}

std::uint8_t TimeUnitByte(const std::string& xFactorText) {
    return xFactorText.size() > 3 ? static_cast<std::uint8_t>(xFactorText[3]) : 0;
}

std::optional<SRestorePlan> PlanRestore(int fileCount, const TSavedSelection& records,
                                        std::optional<std::int32_t> xVarRow,
                                        std::optional<std::uint8_t> timeUnit) {
    if (fileCount < 1 || fileCount > kMaxSavedFiles) return std::nullopt;
    SRestorePlan plan;
    plan.fileCount = fileCount;
    plan.multiFile = fileCount > 1;
    // The multi-file layout's row 1 is the common x row: record 0 never adds a curve there.
    plan.firstRecordUsed = !plan.multiFile && records[0].variable != 0;
    const int lowestVariable = plan.multiFile ? 1 : 0;

    int savedRows = kSelRecordCount; // records before the end marker
    for (int k = 0; k < kSelRecordCount; ++k)
        if (records[static_cast<std::size_t>(k)].slot == -1) {
            savedRows = k;
            break;
        }
    const int first = plan.firstRecordUsed ? 0 : 1;
    for (int k = first; k < savedRows; ++k) {
        const SSavedSelRecord& r = records[static_cast<std::size_t>(k)];
        if (r.slot < 0 || r.slot >= fileCount) return std::nullopt;
        if (r.variable < lowestVariable) return std::nullopt;
        if (static_cast<int>(plan.rows.size()) + 1 < kMaxSelectionRows)
            plan.rows.push_back({r.slot, r.variable, r.mark != 0});
    }

    if (!plan.multiFile && savedRows > 0) {
        if (!xVarRow || *xVarRow < 1 || *xVarRow > savedRows || *xVarRow > kMaxSelectionRows)
            return std::nullopt;
        const int row = *xVarRow + (plan.firstRecordUsed ? 1 : 0);
        plan.xRow = row <= 1 + static_cast<int>(plan.rows.size()) ? row : 0;
    }
    if (timeUnit && (*timeUnit == 'm' || *timeUnit == 'h'))
        plan.timeUnit = static_cast<char>(*timeUnit);
    return plan;
}
