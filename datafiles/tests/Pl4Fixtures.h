#pragma once
// PL4 fixtures built byte by byte from the two layouts: the binary one
// (marker 0x84) and the C-like one. Samples are given point after point.

#include "TestFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pl4fix {

inline const std::string kDateTime = "11-Nov-18  11.00.00";

// A 16-byte variable record: three blanks, the type digit, two 6-byte names.
inline std::string record(char digit, const std::string& name1, const std::string& name2 = "") {
    testfiles::Bytes b;
    b.text("   ").u8(static_cast<std::uint8_t>(digit)).field(name1, 6).field(name2, 6);
    return b.str();
}

// Sample v of point p, distinct for every cell.
inline float value(int v, int p) {
    return static_cast<float>(v) * 1000.0f + 0.25f * p;
}

inline std::vector<float> samples(int nVars, int nPoints) {
    std::vector<float> s;
    for (int p = 0; p < nPoints; ++p)
        for (int v = 0; v < nVars; ++v)
            s.push_back(value(v, p));
    return s;
}

struct Binary {
    // W0 and W8 follow from the lists unless fixed by hand; W7 from nVars.
    std::array<std::int32_t, 14> w{14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0};
    int nVars = 0;
    std::vector<std::int32_t> extraWords;
    std::vector<std::string> records;
    std::vector<float> samples;
    bool autoWords = true;

    std::string bytes() const {
        auto words = w;
        const std::size_t headerLen = 76 + 4 * extraWords.size() + 16 * records.size();
        if (autoWords) {
            words[0] = static_cast<std::int32_t>(14 + extraWords.size());
            words[7] = 2 * (nVars - 1);
            words[8] = static_cast<std::int32_t>(headerLen + 1);
        }
        testfiles::Bytes b;
        b.u8(0x84).text(kDateTime);
        for (std::int32_t x : words)
            b.i32(x);
        for (std::int32_t x : extraWords)
            b.i32(x);
        for (const auto& r : records)
            b.text(r);
        for (float f : samples)
            b.f32(f);
        return b.str();
    }
};

// A time run of the given records (one variable each) and nPoints points.
inline Binary timeRun(std::vector<std::string> records, int nPoints) {
    Binary f;
    f.nVars = static_cast<int>(records.size()) + 1;
    f.records = std::move(records);
    f.samples = samples(f.nVars, nPoints);
    return f;
}

struct CLike {
    std::vector<std::string> others, nodes;
    std::vector<std::int32_t> indexWords;
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs; // voltages first
    int nVoltages = 0;
    int nPoints = 0;
    bool padded = false;           // even file size with padding, else odd without
    std::int32_t firstSample = 0;  // I5; 0 means right after the header
    std::int32_t endOfSamples = 1; // I6
    std::string gap;               // bytes between the header (and padding) and the samples

    int nVars() const { return static_cast<int>(pairs.size()) + 1; }

    std::string bytes() const {
        testfiles::Bytes lists;
        for (const auto& s : others)
            lists.field(s, 6);
        for (const auto& s : nodes)
            lists.field(s, 6);
        for (std::int32_t x : indexWords)
            lists.i32(x);
        for (const auto& [a, b] : pairs)
            lists.i32(a).i32(b);
        const std::size_t h = 47 + lists.size();
        const std::size_t r = 4 * static_cast<std::size_t>(nVars());
        const std::size_t pad = padded ? r - h % r : 0;
        const std::int32_t i5 =
            firstSample ? firstSample : static_cast<std::int32_t>(h + pad + gap.size() + 1);
        testfiles::Bytes b;
        b.text(kDateTime)
            .i32(static_cast<std::int32_t>(nodes.size()))
            .i32(2 * nVoltages)
            .i32(2 * static_cast<std::int32_t>(pairs.size()))
            .i32(static_cast<std::int32_t>(others.size()))
            .i32(static_cast<std::int32_t>(indexWords.size()))
            .i32(i5)
            .i32(endOfSamples)
            .text(lists.str())
            .text(std::string(pad, '\0'))
            .text(gap);
        for (float f : samples(nVars(), nPoints))
            b.f32(f);
        return b.str();
    }
};

// Loads bytes written to a scratch file of the folder.
inline std::string load(SimOut& s, const testfiles::ScratchDir& dir, const std::string& bytes) {
    const std::string path = dir.file("f.pl4");
    testfiles::writeFile(path, bytes);
    return s.LoadFromPl4File(path);
}

} // namespace pl4fix
