#pragma once
// Helpers of the solver tests: a scratch folder, fixed-column case records,
// and one solver run with its console transcript and output files.

#include "FastDecoupled.h"
#include "GaussSeidel.h"
#include "NewtonRaphson.h"
#include "ProgramTraits.h"
#include "Run.h"
#include "ScratchFiles.h"
#include "TrulyDecoupled.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace lftest {

using testsupport::readFile;
using testsupport::ScratchDir;
using testsupport::writeFile;

// A number right-aligned in w columns with d decimals.
inline std::string fld(double v, int w, int d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%*.*f", w, d, v);
    return buf;
}

// A name with a number: numbered("B", 3) is "B3".
inline std::string numbered(const char* prefix, int n) {
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

inline std::string pad(const std::string& s, std::size_t w) {
    std::string r = s.substr(0, w);
    r.resize(w, ' ');
    return r;
}

inline std::string general(int buses, int lines, int trafos, double accel, int maxIt, double tol,
                           int print) {
    return fld(buses, 8, 1) + fld(lines, 8, 1) + fld(trafos, 8, 1) + fld(accel, 8, 2) +
           fld(maxIt, 8, 1) + fld(tol, 8, 5) + fld(print, 8, 1);
}

// Bus record: name, two-column type code, |V|, angle, then PG QG PD QD GB BB QGMIN QGMAX.
inline std::string bus(const std::string& name, const std::string& type, double v, double ang,
                       std::initializer_list<double> powers = {}) {
    std::string r = pad(name, 10) + pad(type, 2) + fld(v, 6, 3) + fld(ang, 6, 2);
    for (double p : powers)
        r += fld(p, 6, 3);
    return r;
}

inline std::string line(const std::string& a, const std::string& b, double r, double x,
                        double g = 0, double bsh = 0, double snom = 0) {
    return pad(a, 10) + pad(b, 10) + fld(r, 9, 5) + fld(x, 9, 5) + fld(g, 9, 5) + fld(bsh, 9, 5) +
           fld(snom, 9, 5);
}

inline std::string trafo(const std::string& a, const std::string& b, double r, double x, double vi,
                         double vf, double alfa = 0, double snom = 0) {
    return pad(a, 10) + pad(b, 10) + fld(r, 8, 5) + fld(x, 8, 5) + fld(vi, 8, 5) + fld(vf, 8, 5) +
           fld(alfa, 4, 1) + fld(snom, 8, 5);
}

// A whole case file from its general record and its sections.
inline std::string caseText(const std::string& generalRecord,
                            std::initializer_list<std::string> buses,
                            std::initializer_list<std::string> lines = {},
                            std::initializer_list<std::string> trafos = {}) {
    std::string t = "TEST CASE\nSECOND TITLE\nGENERAL VALUES\n" + generalRecord + "\nBUSES\n";
    for (const auto& b : buses)
        t += b + "\n";
    t += "LINES\n";
    for (const auto& l : lines)
        t += l + "\n";
    t += "TRANSFORMERS\n";
    for (const auto& r : trafos)
        t += r + "\n";
    return t;
}

struct RunResult {
    int status = -1;
    std::string console;
    std::string sal, vol, aux, adf;
    int pauses(const std::string& text = "PRESIONE CUALQUIER TECLA PARA PROSEGUIR") const {
        int n = 0;
        for (std::size_t at = console.find(text); at != std::string::npos;
             at = console.find(text, at + 1))
            ++n;
        return n;
    }
};

// The iteration method of the program whose entry of the table is `traits`.
inline std::unique_ptr<lf::IterationMethod> methodFor(const lf::ProgramTraits& traits) {
    if (&traits == &lf::kTolvex) return std::make_unique<lf::FastDecoupled>();
    if (&traits == &lf::kTolvid) return std::make_unique<lf::TrulyDecoupled>();
    if (&traits == &lf::kMabrek) return std::make_unique<lf::GaussSeidel>();
    return std::make_unique<lf::NewtonRaphson>();
}

// Writes the case as NAME.FLU in a scratch folder and runs the program on it.
inline RunResult runCase(const std::string& fluText, const lf::ProgramTraits& traits = lf::kTolvan,
                         const std::string& name = "CASE") {
    ScratchDir dir;
    writeFile(dir.file(name + ".FLU"), fluText);
    std::istringstream in(name + "\n");
    std::ostringstream out;
    auto method = methodFor(traits);
    RunResult r;
    r.status = lf::runSolver(traits, *method, in, out, dir.path());
    r.console = out.str();
    r.sal = readFile(dir.file(name + ".SAL"));
    r.vol = readFile(dir.file(name + ".VOL"));
    r.aux = readFile(dir.file(name + ".AUX"));
    r.adf = readFile(dir.file(name + ".ADF"));
    return r;
}

// The three-bus example case shipped in examples/.
inline std::string threeBusCase() {
    return readFile(std::string(CURVIX_EXAMPLES_DIR) + "/THREEBUS.FLU");
}

} // namespace lftest
