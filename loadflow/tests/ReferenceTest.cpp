// Every program on every reference case, run as a user runs it (answers piped
// in), against an independent Newton-Raphson solution of the same case: bus
// voltages, the limit and overload warnings, and the power balances.

#include "LoadflowTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sys/wait.h>

using namespace lftest;

namespace {

constexpr double kVoltageTolerance = 2e-4; // pu
constexpr double kAngleTolerance = 0.02;   // degrees
// A residual holds the mismatches left at the buses whose powers the totals
// take as specified, each below the cases' tolerance of 0.0001 pu, and the
// report rounds it to four decimals.
double residualTolerance(std::size_t nBuses) {
    return static_cast<double>(nBuses) * 1e-4 + 0.5e-4;
}

struct Program {
    const char* name;
    const char* exe;
};
const Program kPrograms[] = {
    {"tolvan", TOLVAN_EXE}, {"tolvex", TOLVEX_EXE}, {"tolvid", TOLVID_EXE}, {"mabrek", MABREK_EXE}};
void PrintTo(const Program& p, std::ostream* os) {
    *os << p.name;
}

const char* const kCases[] = {"IEEE14", "TRAFO3", "QLIMIT", "OVERLOAD", "RECVEND"};

struct BusValues {
    double vm = 0, deg = 0;
};

// What the independent solution expects: per bus (by name) |V| and angle, the
// warnings as "LIMITE [name]" and "SOBRECARGA [a] y [b]", and both residuals.
struct Reference {
    std::map<std::string, BusValues> buses;
    std::set<std::string> warnings;
    double activeResidual = NAN, reactiveResidual = NAN;
};

std::string bracketed(const std::string& text, std::size_t from) {
    std::size_t open = text.find('[', from), close = text.find(']', open);
    return text.substr(open, close - open + 1);
}

double valueAfter(const std::string& line, const std::string& key) {
    return std::stod(line.substr(line.find(key) + key.size()));
}

Reference readReference(const std::string& path) {
    Reference ref;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# warning: LIMITE", 0) == 0) {
            ref.warnings.insert("LIMITE " + bracketed(line, 0));
        } else if (line.rfind("# warning: SOBRECARGA", 0) == 0) {
            std::size_t second = line.find("] y [") + 4;
            ref.warnings.insert("SOBRECARGA " + bracketed(line, 0) + " y " +
                                bracketed(line, second));
        } else if (line.rfind("# active balance:", 0) == 0) {
            ref.activeResidual = valueAfter(line, "residual");
        } else if (line.rfind("# reactive balance:", 0) == 0) {
            ref.reactiveResidual = valueAfter(line, "residual");
        } else if (!line.empty() && line[0] != '#') {
            // index, |V|, angle, name (the name may hold blanks: the rest of the line)
            std::istringstream row(line);
            int index;
            BusValues v;
            row >> index >> v.vm >> v.deg;
            std::string name;
            std::getline(row >> std::ws, name);
            ref.buses[pad(name, 10)] = v;
        }
    }
    return ref;
}

// The same items as the report shows them.
struct Results {
    std::map<std::string, BusValues> buses;
    std::set<std::string> warnings;
    std::vector<double> residuals; // active, reactive
};

const std::string kBusRule = "    " + std::string(69, '-');

Results readReport(const std::string& sal) {
    Results res;
    std::istringstream in(sal);
    std::string line;
    while (std::getline(in, line) &&
           line.find("R E S U L T A D O S   D E   B A R R A S") == std::string::npos) {
    }
    while (std::getline(in, line) && line != kBusRule) {
    }
    // Bus rows: name in columns 5-14, |V| F6.4 in 16-21, angle F9.4 in 22-30.
    while (std::getline(in, line) && line != kBusRule) {
        if (line.empty() || line.find("*** LIMITE DE CARGABILIDAD") != std::string::npos) continue;
        res.buses[line.substr(4, 10)] = {std::stod(line.substr(15, 6)),
                                         std::stod(line.substr(21, 9))};
    }
    const std::string residualRule = std::string(63, ' ') + std::string(7, '-');
    auto startsAt = [&](std::size_t at, std::string_view text) {
        return sal.compare(at, text.size(), text) == 0;
    };
    for (std::size_t at = 0; (at = sal.find("*** ", at)) != std::string::npos; ++at) {
        if (startsAt(at, "*** LIMITE DE CARGABILIDAD SUPERADO EN BARRA ["))
            res.warnings.insert("LIMITE " + bracketed(sal, at));
        else if (startsAt(at, "*** SOBRECARGA EN LA RAMA ENTRE BARRAS ["))
            res.warnings.insert("SOBRECARGA " + bracketed(sal, at) + " y " +
                                bracketed(sal, sal.find("] y [", at) + 4));
    }
    for (std::size_t at = 0; (at = sal.find(residualRule + "\n", at)) != std::string::npos;) {
        at += residualRule.size() + 1;
        res.residuals.push_back(std::stod(sal.substr(at, sal.find('\n', at) - at)));
    }
    return res;
}

std::string caseFile(const std::string& name) {
    return name == "IEEE14" ? std::string(CURVIX_EXAMPLES_DIR) + "/IEEE14.FLU"
                            : std::string(LOADFLOW_REFERENCE_DIR) + "/" + name + ".FLU";
}

class ReferenceSolution : public ::testing::TestWithParam<std::tuple<Program, const char*>> {};

TEST_P(ReferenceSolution, VoltagesWarningsAndBalancesMatch) {
    const auto& [program, name] = GetParam();
    const std::string kase(name);
    ScratchDir dir;
    writeFile(dir.file(kase + ".FLU"), readFile(caseFile(kase)));
    writeFile(dir.file("stdin.txt"), kase + "\n");
    const std::string cmd = "cd '" + dir.path().string() + "' && timeout 60 '" + program.exe +
                            "' < stdin.txt > stdout.txt 2>&1";
    const int raw = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << readFile(dir.file("stdout.txt"));

    const Reference ref = readReference(std::string(LOADFLOW_REFERENCE_DIR) + "/" + kase + ".ref");
    const std::string sal = readFile(dir.file(kase + ".SAL"));
    const Results res = readReport(sal);
    const std::string done = "HA FINALIZADO LUEGO DE  ";
    RecordProperty("iterations", sal.substr(sal.find(done) + done.size(), 4));
    ASSERT_EQ(res.buses.size(), ref.buses.size());
    double maxDv = 0, maxDa = 0;
    for (const auto& [bus, expected] : ref.buses) {
        auto found = res.buses.find(bus);
        ASSERT_NE(found, res.buses.end()) << "bus [" << bus << "] missing from the report";
        EXPECT_NEAR(found->second.vm, expected.vm, kVoltageTolerance) << bus;
        EXPECT_NEAR(found->second.deg, expected.deg, kAngleTolerance) << bus;
        maxDv = std::max(maxDv, std::fabs(found->second.vm - expected.vm));
        maxDa = std::max(maxDa, std::fabs(found->second.deg - expected.deg));
    }
    RecordProperty("max_dV", std::to_string(maxDv));
    RecordProperty("max_dAngle", std::to_string(maxDa));
    EXPECT_EQ(res.warnings, ref.warnings);
    // The active balance leaves out the branch-end shunt conductances, so a
    // lossy off-nominal transformer shows their power as its residual.
    ASSERT_EQ(res.residuals.size(), 2u);
    const double tolerance = residualTolerance(ref.buses.size());
    EXPECT_NEAR(res.residuals[0], ref.activeResidual, tolerance);
    EXPECT_NEAR(res.residuals[1], ref.reactiveResidual, tolerance);
}

INSTANTIATE_TEST_SUITE_P(EveryProgramAndCase, ReferenceSolution,
                         ::testing::Combine(::testing::ValuesIn(kPrograms),
                                            ::testing::ValuesIn(kCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param);
                         });

} // namespace
