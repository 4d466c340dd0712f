// The report, the console transcript and the history files of the three-bus
// example against stored copies, so any change of a column shows. Set
// LOADFLOW_UPDATE_GOLDEN=1 to rewrite the stored copies after a deliberate change.

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

TEST(TolvanGolden, ThreeBusReportHistoriesAndConsole) {
    RunResult r = runCase(threeBusCase(), lf::kTolvan, "THREEBUS");
    ASSERT_EQ(r.status, lf::exitConverged);
    compareWithGolden(maskTime(r.sal), "tolvan/THREEBUS.SAL");
    compareWithGolden(r.adf, "tolvan/THREEBUS.ADF");
    compareWithGolden(r.vol, "tolvan/THREEBUS.VOL");
    compareWithGolden(r.aux, "tolvan/THREEBUS.AUX");
    compareWithGolden(maskTime(r.console), "tolvan/THREEBUS.console");
}
