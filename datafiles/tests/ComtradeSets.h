#pragma once
// Writes COMTRADE sets (CFG text and ASCII or BINARY DAT) for tests, straight
// from the file layouts: one sample is a time stamp, raw analog integers and
// digital bits; the expected values follow from a * raw + b and the unit.

#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testfiles {

struct AnalogSpec {
    std::string id, unit, ccbm;
    double a = 1.0, b = 0.0;
};

struct ComtradeSet {
    std::string revYear;       // empty: a 1991 file, two fields on line 1
    bool timemultLine = false; // written after the file type (1999 and later)
    std::string timemult = "1";
    std::string fileType = "ASCII";
    std::string eol = "\n";
    std::vector<AnalogSpec> analog;
    std::vector<std::string> digital;
    std::vector<std::pair<std::string, std::string>> rates; // empty: one rate, endsamp = samples
    std::vector<std::uint32_t> stamps;                      // one per sample
    std::vector<std::vector<int>> analogRaw;                // [sample][channel]
    std::vector<std::vector<int>> digitalRaw;               // [sample][channel], 0 or 1

    static ComtradeSet rev1999() {
        ComtradeSet s;
        s.revYear = "1999";
        s.timemultLine = true;
        return s;
    }

    void addSample(std::uint32_t stamp, std::vector<int> a, std::vector<int> d = {}) {
        stamps.push_back(stamp);
        analogRaw.push_back(std::move(a));
        digitalRaw.push_back(std::move(d));
    }

    std::string cfgText() const {
        const bool y1991 = revYear.empty();
        std::string t = "Station A,Recorder 7" + (y1991 ? "" : "," + revYear) + eol;
        t += std::to_string(analog.size() + digital.size()) + "," + std::to_string(analog.size()) +
             "A," + std::to_string(digital.size()) + "D" + eol;
        for (std::size_t i = 0; i < analog.size(); ++i) {
            const AnalogSpec& c = analog[i];
            t += std::to_string(i + 1) + "," + c.id + ",A," + c.ccbm + "," + c.unit + "," +
                 num(c.a) + "," + num(c.b) + ",0,-32767,32767" + (y1991 ? "" : ",1,1,P") + eol;
        }
        for (std::size_t k = 0; k < digital.size(); ++k)
            t += std::to_string(k + 1) + "," + digital[k] + (y1991 ? ",0" : ",,,0") + eol;
        t += "50" + eol;
        if (rates.empty()) {
            t += "1" + eol + "1000," + std::to_string(stamps.size()) + eol;
        } else {
            t += std::to_string(rates.size()) + eol;
            for (const auto& [samp, end] : rates)
                t += samp + "," + end + eol;
        }
        t += "01/02/2026,10:00:00.000000" + eol + "01/02/2026,10:00:00.010000" + eol;
        t += fileType + eol;
        if (timemultLine) t += timemult + eol;
        return t;
    }

    std::string datBytes() const { return fileType == "BINARY" ? binaryDat() : asciiDat(); }

    std::string asciiDat() const {
        std::string t;
        for (std::size_t j = 0; j < stamps.size(); ++j) {
            t += std::to_string(j + 1) + "," + std::to_string(stamps[j]);
            for (int v : analogRaw[j])
                t += "," + std::to_string(v);
            for (int v : digitalRaw[j])
                t += "," + std::to_string(v);
            t += eol;
        }
        return t;
    }

    // Per sample: u32 number, u32 stamp, i16 per analog, then the digital
    // channels 16 to a u16 word, first channel in the lowest bit.
    std::string binaryDat() const {
        Bytes b;
        for (std::size_t j = 0; j < stamps.size(); ++j) {
            b.i32(static_cast<std::int32_t>(j + 1)).i32(static_cast<std::int32_t>(stamps[j]));
            for (int v : analogRaw[j])
                b.i16(static_cast<std::int16_t>(v));
            for (std::size_t w = 0; w < (digital.size() + 15) / 16; ++w) {
                std::uint16_t word = 0;
                for (std::size_t k = 16 * w; k < digital.size() && k < 16 * w + 16; ++k)
                    if (digitalRaw[j][k]) word |= static_cast<std::uint16_t>(1u << (k % 16));
                b.u16(word);
            }
        }
        return b.str();
    }

    // Writes base.cfg and base.<datExt>; returns the CFG path.
    std::string write(const ScratchDir& dir, const std::string& base = "rec",
                      const std::string& cfgExt = "cfg", const std::string& datExt = "dat") const {
        writeFile(dir.file(base + "." + cfgExt), cfgText());
        writeFile(dir.file(base + "." + datExt), datBytes());
        return dir.file(base + "." + cfgExt);
    }

private:
    static std::string num(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return buf;
    }
};

} // namespace testfiles
