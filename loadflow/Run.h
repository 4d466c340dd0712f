#pragma once
// One whole solver run: dialogue, case, echo, network, iteration, results.

#include "ProgramTraits.h"
#include "Solver.h"

#include <filesystem>
#include <istream>
#include <ostream>

namespace lf {

enum ExitStatus { exitConverged = 0, exitError = 1, exitNotConverged = 2 };

// Runs one program: `traits` is its entry of the table of differences and
// `method` its iteration. The case name is read from `in`; the files are
// opened in `directory` (the current one when empty). Returns the exit status.
int runSolver(const ProgramTraits& traits, IterationMethod& method, std::istream& in,
              std::ostream& out, const std::filesystem::path& directory = {});

// The five file names of a case answer, each blank-padded to 34 columns in
// `padded` and trimmed in `plain`; extensions .FLU .SAL .VOL .AUX .ADF.
struct CaseNames {
    std::string plain[5];
    std::string padded[5];
};
enum CaseFile { cfFlu = 0, cfSal, cfVol, cfAux, cfAdf };
CaseNames caseNames(const std::string& answer);

// Position of the last non-blank character of the answer.
int answerLength(const std::string& answer);

} // namespace lf
