// The report, the console transcript and the history files of the three-bus
// example in every program against stored copies, so any change of a column
// shows. The copies were recorded from the programs themselves, so only their
// layout is compared: every decimal number is masked to its width and decimals
// (the values are checked against independent solutions in ReferenceTest).
// Set LOADFLOW_UPDATE_GOLDEN=1 to rewrite the stored copies after a deliberate
// change.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

using namespace lftest;

namespace {

// The processor time differs from run to run.
std::string maskTime(const std::string& text) {
    static const std::regex time("(HABIENDO EMPLEADO UN TIEMPO DE = ).{15}");
    return std::regex_replace(text, time, "$1<time>");
}

// Each decimal number with the blanks before it becomes blanks, '#', the point,
// one '#' per decimal and any exponent as 'E' and '#'s, in the same width: a
// field's width, decimals and form stay compared, its digits and sign do not.
// The version texts are not values: their lines stay as they are.
std::string maskNumbers(const std::string& text) {
    static const std::regex number(" *-?([0-9]*)\\.([0-9]+)(E[-+][0-9]+)?");
    std::string out;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const bool version = line.find("VERSION 7.41") != std::string::npos ||
                             line.find("Archivo generado por el") != std::string::npos;
        if (!version) {
            std::string masked;
            std::size_t done = 0;
            for (auto it = std::sregex_iterator(line.begin(), line.end(), number);
                 it != std::sregex_iterator(); ++it) {
                const auto& m = *it;
                // A field left without its leading zero keeps just the point.
                std::string core =
                    (m.length(1) > 0 || m.length(0) > m.length(2) + m.length(3) + 1 ? "#." : ".") +
                    std::string(static_cast<std::size_t>(m.length(2)), '#');
                if (m.length(3) > 0)
                    core += "E" + std::string(static_cast<std::size_t>(m.length(3)) - 1, '#');
                const auto at = static_cast<std::size_t>(m.position(0));
                masked += line.substr(done, at - done);
                masked +=
                    std::string(static_cast<std::size_t>(m.length(0)) - core.size(), ' ') + core;
                done = at + static_cast<std::size_t>(m.length(0));
            }
            line = masked + line.substr(done);
        }
        out += line;
        if (end < text.size()) out += '\n';
    }
    return out;
}

void compareWithGolden(const std::string& actual, const std::string& name) {
    const std::string path = std::string(LOADFLOW_GOLDEN_DIR) + "/" + name;
    if (std::getenv("LOADFLOW_UPDATE_GOLDEN")) writeFile(path, actual);
    const std::string expected = maskNumbers(readFile(path));
    ASSERT_FALSE(expected.empty()) << "missing golden file " << path;
    if (maskNumbers(actual) == expected) return;
    // Point at the first differing line.
    std::istringstream a(maskNumbers(actual)), e(expected);
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
