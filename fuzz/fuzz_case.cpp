// The case file (.FLU) through the reader the four solvers share: the whole
// run, as a user would start it, so every section and its checks are reached.
// The input's length modulo 4 picks the program, whose traits change the checks.

#include "CaseReader.h"
#include "FastDecoupled.h"
#include "FuzzInput.h"
#include "GaussSeidel.h"
#include "NewtonRaphson.h"
#include "ProgramTraits.h"
#include "Run.h"
#include "TrulyDecoupled.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

// The iteration limit is the user's to choose and each pass is legitimately
// slow on a large case; the reader is under test here, so a case asking for
// more passes gets a few, written back into columns 33-40 of record 4.
constexpr int kPassCap = 2;

void capPasses(std::string& text) {
    std::size_t start = 0;
    for (int record = 1; record < 4; ++record) {
        start = text.find('\n', start);
        if (start == std::string::npos) return;
        ++start;
    }
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string record = text.substr(start, end - start);
    if (!record.empty() && record.back() == '\r') record.pop_back();
    auto g = lf::parseGeneral(record);
    if (!g || g->maxIterations <= kPassCap) return;
    const std::size_t width = std::min<std::size_t>(record.size(), 40) - 32;
    const std::string field = std::to_string(kPassCap);
    text.replace(start + 32, width, std::string(8 - field.size(), ' ') + field);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const lf::ProgramTraits* const programs[4] = {&lf::kTolvan, &lf::kTolvex, &lf::kTolvid,
                                                         &lf::kMabrek};
    std::string text(reinterpret_cast<const char*>(data), size);
    capPasses(text);

    // One folder for the process: the run truncates its four output files.
    static const std::filesystem::path dir = [] {
        std::filesystem::path d = fuzzinput::scratchPath("-case");
        std::error_code ec;
        std::filesystem::create_directory(d, ec);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(fuzzinput::scratchPath("-case"), ignored);
        });
        return d;
    }();
    if (!fuzzinput::writeBytes((dir / "CASE.FLU").string(),
                               reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
        return 0;

    lf::NewtonRaphson nr;
    lf::FastDecoupled fd;
    lf::TrulyDecoupled td;
    lf::GaussSeidel gs;
    lf::IterationMethod* const methods[4] = {&nr, &fd, &td, &gs};
    const std::size_t pick = size % 4;
    std::istringstream in("CASE\n");
    std::ostringstream out;
    (void)lf::runSolver(*programs[pick], *methods[pick], in, out, dir);
    return 0;
}
