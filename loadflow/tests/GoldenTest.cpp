// The report, the console transcript and the history files of the three-bus
// example in every program against stored copies, so any change of a column
// shows. Set LOADFLOW_UPDATE_GOLDEN=1 to rewrite the stored copies after a
// deliberate change.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

using namespace lftest;

namespace {

// The processor time differs from run to run.
std::string maskTime(const std::string& text) {
    static const std::regex time("(HABIENDO EMPLEADO UN TIEMPO DE = ).{15}");
    return std::regex_replace(text, time, "$1<time>");
}

void compareWithGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(LOADFLOW_GOLDEN_DIR) + "/" + name;
    if (std::getenv("LOADFLOW_UPDATE_GOLDEN")) writeFile(path, actual);
    const std::string expected = readFile(path);
    ASSERT_FALSE(expected.empty()) << "missing golden file " << path;
    if (actual == expected) return;
    // Point at the first differing line.
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int n = 1;; ++n) {
        bool ga = static_cast<bool>(std::getline(a, la)),
             ge = static_cast<bool>(std::getline(e, le));
        if (!ga && !ge) break;
        if (la != le || ga != ge) {
            ADD_FAILURE() << name << " line " << n << "\n  expected: [" << le << "]\n  actual:   ["
                          << la << "]";
            return;
        }
    }
    ADD_FAILURE() << name << " differs";
}

} // namespace

struct GoldenProgram {
    const lf::ProgramTraits* traits;
    const char* folder;
};

void PrintTo(const GoldenProgram& p, std::ostream* os) {
    *os << p.folder;
}

class ProgramGolden : public ::testing::TestWithParam<GoldenProgram> {};

TEST_P(ProgramGolden, ThreeBusReportHistoriesAndConsole) {
    const GoldenProgram& p = GetParam();
    RunResult r = runCase(threeBusCase(), *p.traits, "THREEBUS");
    ASSERT_EQ(r.status, lf::exitConverged) << r.console;
    const std::string dir = std::string(p.folder) + "/THREEBUS.";
    compareWithGolden(maskTime(r.sal), dir + "SAL");
    compareWithGolden(r.adf, dir + "ADF");
    compareWithGolden(r.vol, dir + "VOL");
    compareWithGolden(r.aux, dir + "AUX");
    compareWithGolden(maskTime(r.console), dir + "console");
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramGolden,
                         ::testing::Values(GoldenProgram{&lf::kTolvan, "tolvan"},
                                           GoldenProgram{&lf::kTolvex, "tolvex"},
                                           GoldenProgram{&lf::kTolvid, "tolvid"},
                                           GoldenProgram{&lf::kMabrek, "mabrek"}),
                         [](const auto& info) { return std::string(info.param.folder); });
