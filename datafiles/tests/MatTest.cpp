#include "MatFixtures.h"
#include "SimOut.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace testfiles;
using matfix::floats;
using matfix::matrix;

namespace {

using Floats = std::vector<float>;

// Big-endian 32-bit word.
Bytes& be32(Bytes& b, std::uint32_t v) {
    return b.u8(v >> 24).u8((v >> 16) & 0xff).u8((v >> 8) & 0xff).u8(v & 0xff);
}

class MatRead : public ::testing::Test {
protected:
    std::string load(const Bytes& b) {
        writeFile(path, b.str());
        return s.LoadFromMatFile(path);
    }
    Floats row(int r) const { return {s.data[r], s.data[r] + s.nPoints}; }

    ScratchDir dir;
    std::string path = dir.file("m.mat");
    SimOut s;
    std::vector<Warning>& warnings = recordWarnings(s);
};

} // namespace

TEST_F(MatRead, ColumnsBecomeVariablesAndTimeComesFirst) {
    Bytes b;
    matrix(b, 10, 3, 1, "a").f32(1).f32(2).f32(3);
    matrix(b, 10, 3, 1, "t").f32(0).f32(0.1f).f32(0.2f);
    matrix(b, 10, 3, 2, "b").f32(4).f32(5).f32(6).f32(7).f32(8).f32(9);
    ASSERT_EQ(load(b), "");
    EXPECT_EQ(s.names, (std::vector<std::string>{"t", "a", "b(1)", "b(2)"}));
    EXPECT_EQ(row(0), (Floats{0, 0.1f, 0.2f}));
    EXPECT_EQ(row(1), (Floats{1, 2, 3}));
    EXPECT_EQ(row(3), (Floats{7, 8, 9}));
    EXPECT_EQ(s.fileKind, fkMat);
    EXPECT_FALSE(s.pl4TimeRun);
    EXPECT_EQ(s.matHeader.ncols, 2);
}

TEST_F(MatRead, EveryNumberTypeLoadsItsValues) {
    Bytes b;
    matrix(b, 0, 2, 1, "f64").f64(1.0 / 3).f64(-1e300);
    matrix(b, 10, 2, 1, "f32").f32(2.5f).f32(-0.0f);
    matrix(b, 20, 2, 1, "i32").i32(-2000000000).i32(7);
    matrix(b, 30, 2, 1, "i16").i16(-32768).i16(32767);
    matrix(b, 40, 2, 1, "u16").u16(65535).u16(1);
    matrix(b, 50, 2, 1, "u8").u8(255).u8(0);
    matrix(b, 110, 2, 1, "old").f32(0.1f).f32(-7); // as earlier versions of Save wrote
    ASSERT_EQ(load(b), "");
    EXPECT_EQ(row(0), (Floats{1.0f / 3, -std::numeric_limits<float>::infinity()}));
    EXPECT_EQ(row(1), (Floats{2.5f, -0.0f}));
    EXPECT_EQ(row(2), (Floats{-2e9f, 7}));
    EXPECT_EQ(row(3), (Floats{-32768, 32767}));
    EXPECT_EQ(row(4), (Floats{65535, 1}));
    EXPECT_EQ(row(5), (Floats{255, 0}));
    EXPECT_EQ(row(6), (Floats{0.1f, -7}));
}

TEST_F(MatRead, BigEndianFilesAreSwapped) {
    Bytes b;
    for (auto [type, name] :
         {std::pair{1000u, "d"}, std::pair{1010u, "f"}, std::pair{1030u, "s"}}) {
        be32(b, type);
        be32(be32(be32(be32(b, 2), 1), 0), 2).text(name).u8(0);
        const double vals[] = {1.5, -4};
        for (double v : vals) {
            if (type == 1000u) {
                std::uint64_t u;
                std::memcpy(&u, &v, 8);
                be32(be32(b, static_cast<std::uint32_t>(u >> 32)), static_cast<std::uint32_t>(u));
            } else if (type == 1010u) {
                be32(b, floatBits(static_cast<float>(v)));
            } else {
                const auto i = static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 2));
                b.u8(i >> 8).u8(i & 0xff);
            }
        }
    }
    ASSERT_EQ(load(b), "");
    EXPECT_EQ(row(0), (Floats{1.5f, -4}));
    EXPECT_EQ(row(1), (Floats{1.5f, -4}));
    EXPECT_EQ(row(2), (Floats{3, -8}));
}

TEST_F(MatRead, RefusesWhatItCannotRepresent) {
    Bytes text, sparse, complex, vax, cray, odd;
    matrix(text, 1, 1, 1, "s").f64(65);
    EXPECT_EQ(load(text), "Matrix \"s\" holds text; only numeric matrices can be read");
    matrix(sparse, 2, 1, 3, "sp").f64(1).f64(1).f64(2);
    EXPECT_EQ(load(sparse), "Matrix \"sp\" is sparse; only full matrices can be read");
    complex.i32(0).i32(1).i32(1).i32(1).i32(2).text("z").u8(0).f64(1).f64(2);
    EXPECT_EQ(load(complex), "file format appears to contain complex numbers, that is not allowed");
    matrix(vax, 2000, 1, 1, "v").f64(1);
    EXPECT_EQ(load(vax),
              "The matrix at byte 0 is stored in a VAX number format, which cannot be read");
    be32(cray, 4000);
    matrix(cray, 0, 1, 1, "c");
    EXPECT_EQ(load(cray),
              "The matrix at byte 0 is stored in the Cray number format, which cannot be read");
    matrix(odd, 60, 1, 1, "x").f64(1);
    EXPECT_EQ(load(odd), "Unsupported matrix type code 60 at byte 0");
}

TEST_F(MatRead, ColumnLengthsMustAgree) {
    Bytes b = floats(floats({}, "a", Floats(100, 1)), "b", Floats(50, 2));
    EXPECT_EQ(load(b), "File contains variables having different column lengths");
    Bytes empty;
    matrix(empty, 10, 0, 1, "e");
    EXPECT_EQ(load(empty), "File contains variables having a null number of rows");
}

TEST_F(MatRead, LaterMatlabFormatWarnsAndFails) {
    Bytes b;
    b.text("MATLAB 5.0 MAT-file, Platform: x").field("", 100);
    EXPECT_EQ(load(b), "Unsupported File structure");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].title, "Unsupported file structure");
    EXPECT_EQ(warnings[0].text,
              "The file appears to be written with Matlab version later than 4.0\nThis file "
              "structure is currently unsupported.\nYou can generate in Matlab 5.x a supported "
              "file by saving using the \"V4\"option");
}

TEST_F(MatRead, CutOffLastMatrixLoadsWhatIsThere) {
    Bytes b = floats({}, "a", {1, 2, 3, 4});
    matrix(b, 10, 4, 1, "b").f32(5).f32(6).f32(7);
    ASSERT_EQ(load(b), "");
    EXPECT_EQ(row(1), (Floats{5, 6, 7, 0}));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text, "The file ends inside matrix \"b\": only 3 of its 4 values are "
                                "present;\nthe missing values are set to 0");
}

TEST_F(MatRead, HostileHeadersGiveAReasonBeforeAllocating) {
    EXPECT_EQ(load(Bytes().u8(0).u8(0)), "Unable to read file in \"LoadFromMatFile\"");
    EXPECT_EQ(load(Bytes().i32(0).i32(3)), "File contains no variables");
    Bytes huge;
    matrix(huge, 0, 0x7fffffff, 0x7fffffff, "h").f64(1);
    EXPECT_EQ(load(huge), "The file ends inside matrix \"h\": only 1 of its "
                          "4611686014132420609 values are present");
    Bytes negative;
    matrix(negative, 0, -5, 1, "n");
    EXPECT_EQ(load(negative),
              "Invalid matrix header at byte 0 (negative number of rows or columns)");
    Bytes longName;
    longName.i32(0).i32(1).i32(1).i32(0).i32(1000).text("abc");
    EXPECT_EQ(load(longName),
              "Invalid matrix header at byte 0 (name length 1000 does not fit in the file)");
    Bytes noName;
    noName.i32(0).i32(1).i32(1).i32(0).i32(0).f64(1);
    EXPECT_EQ(load(noName),
              "Invalid matrix header at byte 0 (name length 0 does not fit in the file)");
    EXPECT_EQ(s.LoadFromMatFile(dir.path().string()), "Unable to open file in \"LoadFromMatFile\"");
    EXPECT_EQ(s.LoadFromMatFile(dir.file("none.mat")),
              "Unable to open file in \"LoadFromMatFile\"");
    EXPECT_EQ(s.nVars, 0); // nothing adopted from any of these
}

TEST_F(MatRead, RandomDamageNeverCrashes) {
    Bytes good = floats(floats({}, "t", {0, 1, 2}), "x", {3, 4, 5});
    std::mt19937 rng(5);
    for (int i = 0; i < 500; ++i) {
        std::string bytes = good.str();
        for (int k = 0; k < 3; ++k)
            bytes[rng() % bytes.size()] = static_cast<char>(rng());
        bytes.resize(rng() % (bytes.size() + 1));
        writeFile(path, bytes);
        if (s.LoadFromMatFile(path).empty()) {
            EXPECT_GE(s.nPoints, 1);
            EXPECT_EQ(static_cast<int>(s.names.size()), s.nVars);
        }
    }
}

TEST(MatWrite, WritesOneColumnFloatMatricesOfType10) {
    ScratchDir dir;
    SimOut s = recordOf({"X_(auto)", "1st"}, {{0, 1}, {2.5f, -1}}, fkAdf);
    const int sel[] = {0, 1};
    ASSERT_EQ(s.SaveToMatFile(dir.file("o.mat"), 2, sel), "");
    Bytes expected;
    matrix(expected, 10, 2, 1, "X__auto_").f32(0).f32(1);
    matrix(expected, 10, 2, 1, "x1st").f32(2.5f).f32(-1);
    EXPECT_EQ(readFile(dir.file("o.mat")), expected.str());
    EXPECT_EQ(s.matHeader.type, 10);
}

TEST(MatWrite, RoundTripGivesTheSameNamesAndBits) {
    ScratchDir dir;
    std::mt19937 rng(9);
    std::vector<Floats> rows(3, Floats(777));
    for (auto& r : rows)
        for (float& v : r) {
            const auto bits = static_cast<std::uint32_t>(rng());
            std::memcpy(&v, &bits, 4);
        }
    SimOut s = recordOf({"t", "v:BUS1  ", "c:A     -B     "}, rows, fkPl4);
    const int sel[] = {0, 1, 2};
    ASSERT_EQ(s.SaveToMatFile(dir.file("rt.mat"), 3, sel), "");
    SimOut back;
    ASSERT_EQ(back.LoadFromMatFile(dir.file("rt.mat")), "");
    EXPECT_EQ(back.names, (std::vector<std::string>{"t", "vBus1", "iAB"}));
    ASSERT_EQ(back.nPoints, 777);
    for (int v = 0; v < 3; ++v)
        for (int p = 0; p < 777; ++p)
            ASSERT_EQ(floatBits(back.data[v][p]), floatBits(rows[v][p]));
}

TEST(MatWrite, NamesAreUniqueIdentifiers) {
    ScratchDir dir;
    SimOut s = recordOf({"t", "v:Bus 1 Va", "v:Bus1 va", "v:", "?:x"}, {{0}, {1}, {2}, {3}, {4}},
                        fkComtrade);
    const int sel[] = {0, 1, 2, 3, 4};
    ASSERT_EQ(s.SaveToMatFile(dir.file("c.mat"), 5, sel), "");
    SimOut back;
    ASSERT_EQ(back.LoadFromMatFile(dir.file("c.mat")), "");
    EXPECT_EQ(back.names,
              (std::vector<std::string>{"t", "vBus1Va", "vBus1Va_2", "v_Dummy", "x_X"}));
}

TEST(MatWrite, RefusesWhatItCannotWrite) {
    ScratchDir dir;
    SimOut s = recordOf({"t"}, {{0}}, fkMat);
    const int bad[] = {-1};
    EXPECT_EQ(s.SaveToMatFile(dir.file("o.mat"), 1, bad), "Invalid selection of variables");
    const int good[] = {0};
    EXPECT_EQ(s.SaveToMatFile(dir.path().string(), 1, good), "Unable to open file");
}
