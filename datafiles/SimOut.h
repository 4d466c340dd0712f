#pragma once
// One loaded data file: variable names (names[0] is the abscissa), one row of
// float samples per variable, and what the reader learned about the file.

#include "CStrTok.h"
#include "Matrix.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

class InputFile;

// A reader's non-fatal finding, shown by the program as a warning box.
using WarningSink = std::function<void(const std::string& title, const std::string& text)>;

enum FileKind : std::uint8_t {
    fkAdf = 0,
    fkAso = 1,
    fkBso = 2,
    fkComtrade = 3,
    fkMat = 4,
    fkPl4 = 5
};
enum Pl4RunKind : std::uint8_t { rkTimeRun = 0, rkFrequencyScan = 1, rkHarmonicScan = 2 };

struct MatHeader {
    std::int32_t type = 0, mrows = 0, ncols = 0, imagf = 0, namlen = 0;
};

class SimOut {
public:
    using CStrTok = ::CStrTok;

    SimOut() = default;
    SimOut(SimOut&&) noexcept = default;
    SimOut& operator=(SimOut&&) noexcept = default;
    SimOut(const SimOut&) = delete;
    SimOut& operator=(const SimOut&) = delete;

    // Readers: empty text on success, else the reason. A failed load leaves
    // the record as it was.
    std::string LoadFromAdfFile(const std::string& fileName);
    std::string LoadFromPl4File(const std::string& fileName);
    std::string LoadFromComtradeFile(const std::string& cfgFileName);
    std::string LoadFromMatFile(const std::string& fileName);

    // Writers of the listed variables; indices[0] is the output's abscissa.
    // The ADF and MAT writers rewrite `names` in place (the caller restores them).
    std::string SaveToAdfFile(const std::string& fileName, const std::string& header, int nSel,
                              const int* indices);
    std::string SaveToPl4File(const std::string& fileName, int nSel, const int* indices);
    std::string SaveToMatFile(const std::string& fileName, int nSel, const int* indices);

    void PrefixFromUnit(int index, std::string& name, const std::string& unit,
                        const std::string& component);
    void MakePl4NamesPlain();
    void MakeComtradeNamesPlain(bool replaceChars);
    void MakeMatNames();

    CStrTok tok;
    std::int64_t fileSize = 0;
    std::vector<float> factor;
    std::uint8_t fileKind = fkAdf;
    MatHeader matHeader;
    bool pl4TimeRun = false;
    bool commaSeparators = false;
    bool xFromFile = true;
    std::int64_t savedFileSize = 0;
    int nVars = 0;
    int nNodeVoltages = 0, nBranchVoltages = 0, nBranchCurrents = 0, nTacs = 0, nModels = 0,
        nMachine = 0;
    int nPoints = 0;
    std::uint8_t pl4RunKind = rkTimeRun;
    int fsFlag = 0;
    std::uint8_t fsForm = 0;
    std::vector<std::string> names;
    FMatrix data;
    std::string pl4Date;
    std::string pl4Time;

    // Where warnings go; unset means they are dropped.
    WarningSink warn;

private:
    // Runs one reader on a fresh record and adopts its result only on success.
    template <class Read> std::string loadFresh(Read&& read);
    void warning(const std::string& title, const std::string& text) const {
        if (warn) warn(title, text);
    }
    // Writers: the first selected index that names no variable (a name and a
    // row of samples), or null.
    const int* firstUnknownIndex(int nSel, const int* indices) const;
    // At least one index, each naming a variable, and samples to write.
    bool selectsVariables(int nSel, const int* indices) const;
    // PL4 and COMTRADE names as plain words before writing; others stay.
    void makeNamesPlain(bool replaceChars);

    // ---- ADF (AdfFile.cpp)
    std::string readAdf(const std::string& fileName);

    // ---- PL4 (Pl4File.cpp, Pl4Binary.cpp, Pl4CLike.cpp, Pl4Writer.cpp)
    std::string readPl4(const std::string& fileName);
    std::string LoadFromBinaryPl4(const InputFile& in);
    std::string LoadFromCLikePl4(const InputFile& in);
    // Bounds the point count by the bytes after `start`, then reads the samples.
    std::string readPl4Samples(const InputFile& in, std::int64_t start, std::int64_t headerPoints);

    // ---- COMTRADE (ComtradeFile.cpp)
    std::string readComtrade(const std::string& cfgFileName);

    // ---- MAT (MatFile.cpp, MatWrite.cpp)
    std::string readMat(const std::string& fileName);
    // Second stage of the load: every column of every matrix becomes a variable.
    std::string ReadMatMatrices(const std::string& fileName);
};

template <class Read> std::string SimOut::loadFresh(Read&& read) {
    SimOut fresh;
    fresh.commaSeparators = commaSeparators;
    fresh.warn = warn;
    std::string reason = read(fresh);
    if (reason.empty()) *this = std::move(fresh);
    return reason;
}
