// Cross-checks against independent readers and writers: numpy and scipy
// through /usr/bin/python3, and matio's matdump; under ./test.sh a missing
// one fails them.

#include "MissingTool.h"
#include "ShellOutput.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>

using namespace testfiles;

namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool havePython(const char* modules) {
    const std::string cmd = std::string(kPython) + " -c 'import " + modules + "' 2>/dev/null";
    return std::system(cmd.c_str()) == 0;
}

// Runs a script with arguments; true when it exits with 0.
bool runPython(const ScratchDir& dir, const std::string& script, const std::string& args) {
    writeFile(dir.file("check.py"), script);
    const std::string cmd = std::string(kPython) + " " + dir.file("check.py") + " " + args;
    return std::system(cmd.c_str()) == 0;
}

void writeFloats(const std::string& path, const std::vector<std::vector<float>>& rows) {
    Bytes b;
    for (const auto& r : rows)
        for (float v : r)
            b.f32(v);
    writeFile(path, b.str());
}

std::vector<std::vector<float>> randomRows(int nRows, int nPoints, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::vector<float>> rows(nRows, std::vector<float>(nPoints));
    for (auto& r : rows)
        for (float& v : r) {
            do {
                const auto bits = static_cast<std::uint32_t>(rng());
                std::memcpy(&v, &bits, 4);
            } while (!std::isfinite(v));
        }
    return rows;
}

} // namespace

TEST(MatScipy, FilesWrittenByScipyLoadWithTheirValues) {
    if (!havePython("numpy, scipy.io"))
        CURVIX_SKIP_OR_FAIL() << "install python3-numpy and python3-scipy";
    ScratchDir dir;
    const char* script = R"(
import sys, numpy as np, scipy.io as sio
d = {'f64': np.array([0.1, -2.5, 1e10, 3.0]),
     't': np.array([0.0, 0.5, 1.0, 1.5]),
     'f32': np.array([0.1, -2.5, 1e10, 3.0], dtype=np.float32),
     'i32': np.array([-2000000000, 0, 7, 2000000000], dtype=np.int32),
     'i16': np.array([-32768, 0, 7, 32767], dtype=np.int16),
     'u16': np.array([0, 1, 40000, 65535], dtype=np.uint16),
     'u8': np.array([0, 1, 200, 255], dtype=np.uint8),
     'm2': np.array([[1.0, 2.0], [3.0, 4.0], [5.0, 6.0], [7.0, 8.0]])}
sio.savemat(sys.argv[1], d, format='4', oned_as='column')
)";
    ASSERT_TRUE(runPython(dir, script, dir.file("s.mat")));
    SimOut s;
    ASSERT_EQ(s.LoadFromMatFile(dir.file("s.mat")), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"t", "f64", "f32", "i32", "i16", "u16", "u8",
                                                 "m2(1)", "m2(2)"}));
    using F = std::vector<float>;
    auto row = [&](int r) { return F(s.data[r], s.data[r] + s.nPoints); };
    ASSERT_EQ(s.nPoints, 4);
    EXPECT_EQ(row(0), (F{0, 0.5f, 1, 1.5f}));
    EXPECT_EQ(row(1), (F{0.1f, -2.5f, 1e10f, 3}));
    EXPECT_EQ(row(2), (F{0.1f, -2.5f, 1e10f, 3}));
    EXPECT_EQ(row(3), (F{-2e9f, 0, 7, 2e9f}));
    EXPECT_EQ(row(4), (F{-32768, 0, 7, 32767}));
    EXPECT_EQ(row(5), (F{0, 1, 40000, 65535}));
    EXPECT_EQ(row(6), (F{0, 1, 200, 255}));
    EXPECT_EQ(row(7), (F{1, 3, 5, 7}));
    EXPECT_EQ(row(8), (F{2, 4, 6, 8}));
}

TEST(MatScipy, ScipyReadsOurFilesWithEqualValues) {
    if (!havePython("numpy, scipy.io"))
        CURVIX_SKIP_OR_FAIL() << "install python3-numpy and python3-scipy";
    ScratchDir dir;
    const auto rows = randomRows(3, 500, 21);
    SimOut s = recordOf({"t", "v:A", "x y"}, rows);
    s.fileKind = fkAdf;
    const int sel[] = {0, 1, 2};
    ASSERT_EQ(s.SaveToMatFile(dir.file("o.mat"), 3, sel), "");
    writeFloats(dir.file("expected.bin"), rows);
    const char* script = R"(
import sys, numpy as np, scipy.io as sio
path, expected = sys.argv[1], np.fromfile(sys.argv[2], dtype='<f4').reshape(3, -1)
d = sio.loadmat(path)
names = [k for k in d if not k.startswith('__')]
assert names == ['t', 'v_A', 'x_y'], names
for i, k in enumerate(names):
    got = d[k]
    assert got.dtype == np.float32 and got.shape == (500, 1), (got.dtype, got.shape)
    assert np.array_equal(got[:, 0].view(np.uint32), expected[i].view(np.uint32)), k
)";
    EXPECT_TRUE(runPython(dir, script, dir.file("o.mat") + " " + dir.file("expected.bin")));
}

TEST(MatMatio, MatdumpReadsOurFilesWithEqualValues) {
    if (!std::filesystem::exists("/usr/bin/matdump"))
        CURVIX_SKIP_OR_FAIL() << "install matio-tools";
    // matdump prints six significant digits, which give back exactly the floats
    // of at most six: such values over the normal range, zeros and infinities.
    // A change below that precision is scipy's to catch, above.
    std::mt19937 rng(47);
    std::vector<std::vector<float>> rows(2, {0.0f, -0.0f, INFINITY, -INFINITY});
    for (auto& r : rows)
        while (r.size() < 300) {
            const std::string text = std::string(rng() % 2 ? "-" : "") +
                                     std::to_string(100000 + rng() % 900000) + "e" +
                                     std::to_string(static_cast<int>(rng() % 75) - 42);
            r.push_back(std::strtof(text.c_str(), nullptr));
        }
    ScratchDir dir;
    SimOut s = recordOf({"t", "v:A"}, rows);
    const int sel[] = {0, 1};
    ASSERT_EQ(s.SaveToMatFile(dir.file("o.mat"), 2, sel), "");

    int status = 0;
    std::istringstream whos(
        testsupport::ShellOutput("/usr/bin/matdump -f whos " + dir.file("o.mat"), &status));
    EXPECT_EQ(status, 0);
    std::string header, name, size;
    std::getline(whos, header);
    for (const char* want : {"t", "v_A"}) {
        whos >> name >> size;
        EXPECT_EQ(name + " " + size, std::string(want) + " 300x1");
        std::getline(whos, header);
    }
    std::istringstream values(
        testsupport::ShellOutput("/usr/bin/matdump -d " + dir.file("o.mat"), &status));
    EXPECT_EQ(status, 0);
    std::string text;
    for (const auto& r : rows)
        for (float want : r) {
            ASSERT_TRUE(values >> text);
            char* end = nullptr;
            const float got = std::strtof(text.c_str(), &end);
            ASSERT_TRUE(end == text.c_str() + text.size()) << text;
            ASSERT_EQ(floatBits(got), floatBits(want)) << text;
        }
    EXPECT_FALSE(values >> text) << text;
}

TEST(AdfNumpy, NumpyReadsOurFilesWithEqualValues) {
    if (!havePython("numpy")) CURVIX_SKIP_OR_FAIL() << "install python3-numpy";
    ScratchDir dir;
    const auto rows = randomRows(4, 2000, 33);
    SimOut s = recordOf({"time", "u", "i", "p"}, rows);
    const int sel[] = {0, 1, 2, 3};
    ASSERT_EQ(s.SaveToAdfFile(dir.file("o.adf"), "numpy check", 4, sel), "");
    writeFloats(dir.file("expected.bin"), rows);
    const char* script = R"(
import sys, numpy as np
path, expected = sys.argv[1], np.fromfile(sys.argv[2], dtype='<f4').reshape(4, -1)
lines = open(path).read().split('\n')
assert lines[0] == '//numpy check', lines[0]
assert lines[1].split() == ['time', 'u', 'i', 'p'], lines[1]
got = np.loadtxt(path, skiprows=2, dtype=np.float64).astype(np.float32).T
assert got.shape == expected.shape, got.shape
bad = np.nonzero(got.view(np.uint32) != expected.view(np.uint32))
assert bad[0].size == 0, (got[bad][:5], expected[bad][:5])
)";
    EXPECT_TRUE(runPython(dir, script, dir.file("o.adf") + " " + dir.file("expected.bin")));
}
