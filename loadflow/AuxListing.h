#pragma once
// The matrix file (.AUX): regulating-transformer PI drawings, the admittance
// elements, and the drawing and listings of the iteration matrices.

#include "CaseModel.h"
#include "Network.h"
#include "ProgramTraits.h"

#include <functional>
#include <ostream>
#include <string>

namespace lf {

// Drawing of transformer number `number` (among the transformers).
void writePiDrawing(std::ostream& aux, const ProgramTraits& traits, int number,
                    const Branch& transformer, const BranchElements& elements);

void writeAdmittanceListing(std::ostream& aux, const Case& c, const Network& net);

// The block drawing of an iteration matrix; the rows are written after 13
// blanks, the superscripts line carries `firstSuperscript` over the matrix.
struct JacobianDrawing {
    int titleIndent;
    const char* title;
    char firstSuperscript;
    const char* topRow;
    const char* bottomRow;
};
void writeJacobianDrawing(std::ostream& aux, const JacobianDrawing& drawing);

// List-directed listing of one iteration's matrix blocks: a block is written
// as "J11(i,m)=" lines, row by row, under its heading.
void writeIterationTitle(std::ostream& aux, int k);
void writeJacobianBlock(std::ostream& aux, const char* heading, const char* label, int rows,
                        int cols, const std::function<double(int, int)>& value);

inline constexpr const char* kHeadingDPdTheta = "SubMatriz Jacobiana de elementos d[P]/d[gama]";
inline constexpr const char* kHeadingDPdV = "SubMatriz Jacobiana de elementos d[P]/d[/V/]";
inline constexpr const char* kHeadingDQdTheta = "SubMatriz Jacobiana de elementos d[Q]/d[gama]";
inline constexpr const char* kHeadingDQdV = "SubMatriz Jacobiana de elementos d[Q]/d[/V/]";

} // namespace lf
