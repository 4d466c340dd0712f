// ATP "C-Like" PL4 layout: date and time, seven 32-bit counts and
// positions, the name lists, one pair of list indices per output, then the
// samples point after point as in the binary layout.

#include "Ascii.h"
#include "ByteOrder.h"
#include "FileAccess.h"
#include "SimOut.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kFixedHeader = 47; // 19 date bytes, 7 words
constexpr std::int64_t kName = 6;
constexpr const char* kNotCLike = "Not a valid ATP C-Like file";

std::string cutShort(std::int64_t size, std::int64_t needed) {
    return "The C-Like header is cut short: the file has " + std::to_string(size) +
           " bytes, the header needs " + std::to_string(needed);
}

// The lists of the header after the seven words, with 1-based lookups that
// answer an empty view for indices outside their list.
class CLikeLists {
public:
    CLikeLists(std::string bytes, std::int64_t nOther, std::int64_t nNodes, std::int64_t nIndex)
        : bytes_(std::move(bytes)), nOther_(nOther), nNodes_(nNodes), nIndex_(nIndex) {}

    std::string other(std::int64_t i) const { return name(0, nOther_, i); }
    std::string node(std::int64_t i) const { return name(nOther_ * kName, nNodes_, i); }
    // 0 when i is outside the index words.
    std::int64_t indexWord(std::int64_t i) const {
        if (i < 1 || i > nIndex_) return 0;
        return word((nOther_ + nNodes_) * kName + (i - 1) * 4);
    }
    std::int64_t pairValue(std::int64_t k) const {
        return word((nOther_ + nNodes_) * kName + nIndex_ * 4 + k * 4);
    }

private:
    std::string name(std::int64_t base, std::int64_t count, std::int64_t i) const {
        if (i < 1 || i > count) return {};
        return bytes_.substr(static_cast<std::size_t>(base + (i - 1) * kName), kName);
    }
    std::int64_t word(std::int64_t offset) const {
        return loadLeI32(reinterpret_cast<const unsigned char*>(bytes_.data()) + offset);
    }

    std::string bytes_;
    std::int64_t nOther_, nNodes_, nIndex_;
};

} // namespace

std::string SimOut::LoadFromCLikePl4(const InputFile& in) {
    const std::int64_t size = in.size();
    char date[19];
    if (!in.readExactAt(0, date, 3) || !isAsciiDigit(date[0]) || !isAsciiDigit(date[1]) ||
        date[2] != '-')
        return kNotCLike;
    unsigned char head[kFixedHeader];
    if (!in.readExactAt(0, head, sizeof head)) return cutShort(size, kFixedHeader);
    pl4Date.assign(reinterpret_cast<const char*>(head), 9);
    pl4Time.assign(reinterpret_cast<const char*>(head) + 11, 8);
    fsForm = 0;
    fsFlag = 1;
    std::int64_t I[7];
    for (int i = 0; i < 7; ++i)
        I[i] = loadLeI32(head + 19 + 4 * i);
    const std::int64_t nNodes = I[0], nOther = I[3], nIndex = I[4];

    if (nNodes < 0 || nOther < 0 || nIndex < 0)
        return "The C-Like header declares negative counts (" + std::to_string(nNodes) +
               " node names, " + std::to_string(nOther) + " other names, " +
               std::to_string(nIndex) + " index words)";
    const std::int64_t nOut = I[2] / 2, nVoltages = I[1] / 2;
    if (nOut < 1)
        return "The C-Like header declares " + std::to_string(nOut) +
               " output variables; at least 1 is needed";
    if (I[1] < 0 || nVoltages > nOut)
        return "The C-Like header declares " + std::to_string(nVoltages) +
               " voltage outputs among " + std::to_string(nOut) + " outputs";
    nVars = static_cast<int>(nOut + 1);

    const std::int64_t listBytes = kName * (nOther + nNodes) + 4 * nIndex + 4 * I[2];
    const std::int64_t headerEnd = kFixedHeader + listBytes;
    if (headerEnd > size) return cutShort(size, headerEnd);

    // Padding to a whole sample length exists only in files of even size.
    const std::int64_t pointBytes = 4 * (nOut + 1);
    const std::int64_t padded =
        size % 2 == 0 ? headerEnd + pointBytes - headerEnd % pointBytes : headerEnd;
    const std::int64_t start = std::max(padded, I[5] - 1);
    const std::int64_t headerPoints = (I[6] == 1 ? size + 1 - I[5] : I[6] - I[5]) / pointBytes;
    if (std::string r = readPl4Samples(in, start, headerPoints); !r.empty()) return r;

    std::string bytes(static_cast<std::size_t>(listBytes), '\0');
    if (!in.readExactAt(kFixedHeader, bytes.data(), bytes.size())) return cutShort(size, headerEnd);
    const CLikeLists lists(std::move(bytes), nOther, nNodes, nIndex);

    names.assign(static_cast<std::size_t>(nVars), std::string());
    names[0] = "t";
    const std::int64_t NN = nNodes, NM = nOther;
    for (std::int64_t k = 0; k < nOut; ++k) {
        const std::int64_t a = lists.pairValue(2 * k), b = lists.pairValue(2 * k + 1);
        std::string& name = names[static_cast<std::size_t>(k + 1)];
        if (k < nVoltages) {
            const std::string na = lists.node(a);
            if (na.empty()) continue;
            if (b == 0) {
                name = "v:" + na;
                ++nNodeVoltages;
            } else if (const std::string nb = lists.node(b); !nb.empty()) {
                name = "v:" + na + "-" + nb;
                ++nBranchVoltages;
            }
        } else if (a >= 1 && a <= NN && b >= 1 && b <= NN) {
            name = "c:" + lists.node(a) + "-" + lists.node(b);
            ++nBranchCurrents;
        } else if (a > NN && a <= NN + NM && b > NN && b <= NN + NM) {
            const std::string A = lists.other(a - NN), B = lists.other(b - NN);
            if (A.starts_with("MO")) {
                name = "m:" + B;
                ++nModels;
            } else if (A[0] == 'M') {
                name = std::string("s") + A[5] + ":" + B;
                ++nMachine;
            } else if (A[0] == 'T') {
                name = "t: " + B;
                ++nTacs;
            }
        } else if (a > NN + NM && b > NN + NM) {
            const std::string A = lists.other(lists.indexWord(a - NN - NM));
            const std::string B = lists.other(lists.indexWord(b - NN - NM));
            if (A.empty() || B.empty()) continue;
            name = std::string("u") + A[3] + (A[4] != ' ' ? std::string(1, A[4]) : "") + ":" + B;
            ++nMachine;
        }
    }
    return {};
}
