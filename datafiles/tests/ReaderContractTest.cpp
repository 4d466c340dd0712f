// What every reader promises, format by format: a failed load leaves the
// record as it was, a file without points or variables fails with a reason,
// and empty or non-regular files are refused without blocking.

#include "ComtradeSets.h"
#include "MatFixtures.h"
#include "Pl4Fixtures.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace testfiles;

namespace {

enum class Format { adf, pl4, comtrade, mat };

// The bytes of one file; a COMTRADE set also has its DAT file.
struct Set {
    Format format;
    std::string main, dat;
};

const char* nameOf(Format f) {
    static const char* const names[] = {"adf", "pl4", "cfg", "mat"};
    return names[static_cast<int>(f)];
}

std::string loadPath(SimOut& s, Format f, const std::string& path) {
    switch (f) {
    case Format::adf:
        return s.LoadFromAdfFile(path);
    case Format::pl4:
        return s.LoadFromPl4File(path);
    case Format::comtrade:
        return s.LoadFromComtradeFile(path);
    case Format::mat:
        return s.LoadFromMatFile(path);
    }
    return "unknown format";
}

std::string load(SimOut& s, const ScratchDir& dir, const Set& set) {
    const std::string path = dir.file(std::string("set.") + nameOf(set.format));
    writeFile(path, set.main);
    if (set.format == Format::comtrade) writeFile(dir.file("set.dat"), set.dat);
    return loadPath(s, set.format, path);
}

// One analog channel of three samples, with the given endsamp.
ComtradeSet comtradeOf(const std::string& endsamp) {
    ComtradeSet c;
    c.analog = {{"U", "kV", "Bus", 0.5, 0}};
    c.addSample(0, {1});
    c.addSample(100, {2});
    c.addSample(200, {3});
    c.rates = {{"1000", endsamp}};
    return c;
}

Set goodSet(Format f) {
    switch (f) {
    case Format::adf:
        return {f, "//\nx y\n1 2\n3 4\n", ""};
    case Format::pl4:
        return {f, pl4fix::timeRun({pl4fix::record('4', "BUS1")}, 4).bytes(), ""};
    case Format::comtrade: {
        const ComtradeSet c = comtradeOf("3");
        return {f, c.cfgText(), c.datBytes()};
    }
    case Format::mat:
        return {f, matfix::floats(matfix::floats({}, "t", {0, 1, 2}), "x", {3, 4, 5}).str(), ""};
    }
    return {f, "", ""};
}

struct Refusal {
    const char* what;
    Set set;
    std::string reason;
};

std::vector<Refusal> nothingToLoad() {
    pl4fix::Binary noOutputs = pl4fix::timeRun({}, 3);
    pl4fix::CLike cNoPoints;
    cNoPoints.nodes = {"A"};
    cNoPoints.nVoltages = 1;
    cNoPoints.pairs = {{1, 0}};
    pl4fix::CLike cNoOutputs = cNoPoints;
    cNoOutputs.nVoltages = 0;
    cNoOutputs.pairs.clear();
    cNoOutputs.nPoints = 3;
    ComtradeSet noChannels = comtradeOf("3");
    noChannels.analog.clear();
    for (auto& raw : noChannels.analogRaw)
        raw.clear();
    Bytes noColumns, noRows;
    matfix::matrix(noColumns, 10, 3, 0, "e");
    matfix::matrix(noRows, 10, 0, 1, "e");
    const ComtradeSet noSamples = comtradeOf("0");
    return {
        {"ADF without names",
         {Format::adf, "//\n \t \n1 2\n", ""},
         "Invalid file structure (invalid row of variable names)"},
        {"ADF without samples",
         {Format::adf, "//\nx y\n", ""},
         "The Number of numerical values present in row 3 is 0; this is not consistent\nwith the "
         "number of variable names read from row 2 (2)"},
        {"PL4 without outputs",
         {Format::pl4, noOutputs.bytes(), ""},
         "The PL4 header declares 0 output variables; at least 1 is needed"},
        {"PL4 without samples",
         {Format::pl4, pl4fix::timeRun({pl4fix::record('4', "A")}, 0).bytes(), ""},
         "The file holds no sample points (2 variables of 4 bytes each; 0 bytes after the "
         "header)"},
        {"C-like PL4 without outputs",
         {Format::pl4, cNoOutputs.bytes(), ""},
         "The C-Like header declares 0 output variables; at least 1 is needed"},
        {"C-like PL4 without samples",
         {Format::pl4, cNoPoints.bytes(), ""},
         "The file holds no sample points (2 variables of 4 bytes each; 0 bytes after the "
         "header)"},
        {"COMTRADE without channels",
         {Format::comtrade, noChannels.cfgText(), noChannels.datBytes()},
         "The CFG file declares no channels"},
        {"COMTRADE without samples",
         {Format::comtrade, noSamples.cfgText(), ""},
         "The CFG file declares no samples (endsamp 0)"},
        {"MAT without columns", {Format::mat, noColumns.str(), ""}, "File contains no variables"},
        {"MAT without rows",
         {Format::mat, noRows.str(), ""},
         "File contains variables having a null number of rows"},
        {"empty ADF",
         {Format::adf, "", ""},
         "Invalid file structure (invalid row of variable names)"},
        {"empty PL4", {Format::pl4, "", ""}, "The selected file contains no bytes!"},
        {"empty CFG", {Format::comtrade, "", ""}, "Error in CFG file, row n. 1"},
        {"empty MAT", {Format::mat, "", ""}, "Unable to read file in \"LoadFromMatFile\""},
    };
}

constexpr Format kFormats[] = {Format::adf, Format::pl4, Format::comtrade, Format::mat};

} // namespace

TEST(ReaderContract, NoPointsNoVariablesOrNoBytesFailWithAReason) {
    for (const Refusal& r : nothingToLoad()) {
        ScratchDir dir;
        SimOut s;
        EXPECT_EQ(load(s, dir, r.set), r.reason) << r.what;
        EXPECT_EQ(s.nVars, 0) << r.what;
        EXPECT_FALSE(s.data) << r.what;
    }
}

TEST(ReaderContract, FailedLoadOfAnyFormatKeepsThePreviousRecord) {
    const std::vector<Refusal> failures = nothingToLoad();
    for (Format before : kFormats) {
        ScratchDir dir;
        SimOut s;
        ASSERT_EQ(load(s, dir, goodSet(before)), "") << nameOf(before);
        const std::vector<std::string> names = s.names;
        const float* const* rows = s.data.get();
        const float first = s.data[s.nVars - 1][0];
        const int nVars = s.nVars, nPoints = s.nPoints;
        const auto kind = s.fileKind;
        const bool timeRun = s.pl4TimeRun;
        for (const Refusal& r : failures) {
            ScratchDir other;
            ASSERT_NE(load(s, other, r.set), "") << r.what;
            EXPECT_EQ(s.names, names) << nameOf(before) << " then " << r.what;
            EXPECT_EQ(s.data.get(), rows) << r.what;
            EXPECT_EQ(s.data[nVars - 1][0], first) << r.what;
            EXPECT_EQ(s.nVars, nVars) << r.what;
            EXPECT_EQ(s.nPoints, nPoints) << r.what;
            EXPECT_EQ(s.fileKind, kind) << r.what;
            EXPECT_EQ(s.pl4TimeRun, timeRun) << r.what;
        }
    }
}

namespace {

// A reader that blocked opening a FIFO would hang the test; this opens the
// FIFO's writing end whenever a reader waits on it, so such a reader goes on
// to an empty file and gives another reason than the expected one.
class FifoRelease {
public:
    explicit FifoRelease(std::string path)
        : thread_([this, path] {
              while (!done_) {
                  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) ::close(fd);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~FifoRelease() {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

} // namespace

TEST(ReaderContract, FoldersAndFifosAreRefusedWithoutWaiting) {
    const std::pair<Format, std::string> refusals[] = {
        {Format::adf, "Unable to open file (does it exist?)"},
        {Format::pl4, "Not a regular file: a folder or a device cannot be loaded"},
        {Format::comtrade, "Unable to open CFG file (does it exist?)"},
        {Format::mat, "Unable to open file in \"LoadFromMatFile\""},
    };
    for (const auto& [format, reason] : refusals) {
        ScratchDir dir;
        SimOut s;
        const std::string fifo = dir.file(std::string("fifo.") + nameOf(format));
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        {
            FifoRelease release(fifo);
            EXPECT_EQ(loadPath(s, format, fifo), reason) << nameOf(format);
        }
        EXPECT_EQ(loadPath(s, format, dir.path().string()), reason) << nameOf(format);
    }
    // A DAT file that is a FIFO is no DAT file.
    ScratchDir dir;
    const Set good = goodSet(Format::comtrade);
    writeFile(dir.file("rec.cfg"), good.main);
    ASSERT_EQ(::mkfifo(dir.file("rec.dat").c_str(), 0600), 0);
    FifoRelease release(dir.file("rec.dat"));
    SimOut s;
    EXPECT_EQ(s.LoadFromComtradeFile(dir.file("rec.cfg")),
              "Unable to open DAT file (does it exist?)");
}
