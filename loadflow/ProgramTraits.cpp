#include "ProgramTraits.h"

namespace lf {

bool printEnabled(PrintWhen when, int printOption) {
    switch (when) {
    case PrintWhen::plusOne:
        return printOption == 1;
    case PrintWhen::absOne:
        return printOption == 1 || printOption == -1;
    case PrintWhen::always:
        return true;
    }
    return false;
}

namespace {
constexpr const char* kMethodIntro = "FLUJOS DE CARGAS RESUELTO POR EL METODO DE";
constexpr const char* kToleranceLabel = " CALCULO DE LAS POTENCIAS DE BARRA .......";
constexpr const char* kToleranceLabelShort = " CALCULO DE LAS POTENCIAS DE BARRA ......";
} // namespace

// clang-format off
const ProgramTraits kTolvan = {
    .programName = "Tolvan",
    .historyWord = "Tolvan",
    .programaIndent = 35,
    .exeIndent = 30,
    .methodLines = {{{11, "FLUJOS DE CARGAS RESUELTO POR EL METODO DE NEWTON-RAPHSON"}, {0, nullptr}}},
    .emptyLineAfterMethod = true,
    .version = {29, "VERSION 7.41 MinGW"},
    .emptyLinesAfterVersion = 1,
    .creditIndents = {27, 24, 22, 33},
    .pauseStaysOnLine = false,
    .generalErrorIndent = 17,
    .pauseAfterSummary = true,
    .generalTableNameWidth = 12,
    .toleranceLabel = kToleranceLabel,
    .echoYes = PrintWhen::absOne,
    .transformerHeadingGap = 1,
    .zeroAccelerationIsOne = false,
    .newtonBusOrder = true,
    .busNeedsAdmittance = false,
    .piDrawingCompact = false,
    .earthMark = "%%%%%",
    .tableHeaderIndent = 5,
    .tableRows = PrintWhen::absOne,
    .signedTableMismatches = false,
    .adfHeader = PrintWhen::absOne,
    .volTitle = PrintWhen::absOne,
    .volNames = PrintWhen::absOne,
    .doublePrecisionTime = false,
    .limitWarningIndent = 5,
    .reportsResultVoltages = false,
};

const ProgramTraits kTolvex = {
    .programName = "Tolvex",
    .historyWord = "Tolvex",
    .programaIndent = 33,
    .exeIndent = 28,
    .methodLines = {{{16, kMethodIntro}, {21, "NEWTON-RAPHSON DESACOPLADO RAPIDO"}}},
    .emptyLineAfterMethod = false,
    .version = {28, "VERSION 7.41 MinGW"},
    .emptyLinesAfterVersion = 2,
    .creditIndents = {26, 23, 21, 32},
    .pauseStaysOnLine = false,
    .generalErrorIndent = 17,
    .pauseAfterSummary = false,
    .generalTableNameWidth = 34,
    .toleranceLabel = kToleranceLabelShort,
    .echoYes = PrintWhen::absOne,
    .transformerHeadingGap = 1,
    .zeroAccelerationIsOne = false,
    .newtonBusOrder = true,
    .busNeedsAdmittance = false,
    .piDrawingCompact = false,
    .earthMark = "%%%%%",
    .tableHeaderIndent = 5,
    .tableRows = PrintWhen::absOne,
    .signedTableMismatches = false,
    .adfHeader = PrintWhen::absOne,
    .volTitle = PrintWhen::absOne,
    .volNames = PrintWhen::absOne,
    .doublePrecisionTime = false,
    .limitWarningIndent = 8,
    .reportsResultVoltages = false,
};

// The .ADF header follows the rows (print option -1 too), so the file always
// begins with its comment and names.
const ProgramTraits kTolvid = {
    .programName = "Tolvid",
    .historyWord = "Tolvad",
    .programaIndent = 33,
    .exeIndent = 27,
    .methodLines = {{{16, kMethodIntro}, {16, "NEWTON-RAPHSON VERDADERAMENTE  DESACOPLADO"}}},
    .emptyLineAfterMethod = false,
    .version = {28, "VERSION 7.41  MinGW"},
    .emptyLinesAfterVersion = 2,
    .creditIndents = {26, 23, 21, 32},
    .pauseStaysOnLine = true,
    .generalErrorIndent = 19,
    .pauseAfterSummary = false,
    .generalTableNameWidth = 34,
    .toleranceLabel = kToleranceLabel,
    .echoYes = PrintWhen::plusOne,
    .transformerHeadingGap = 1,
    .zeroAccelerationIsOne = false,
    .newtonBusOrder = true,
    .busNeedsAdmittance = false,
    .piDrawingCompact = true,
    .earthMark = "/////",
    .tableHeaderIndent = 6,
    .tableRows = PrintWhen::absOne,
    .signedTableMismatches = false,
    .adfHeader = PrintWhen::absOne,
    .volTitle = PrintWhen::plusOne,
    .volNames = PrintWhen::always,
    .doublePrecisionTime = false,
    .limitWarningIndent = 8,
    .reportsResultVoltages = false,
};

// Mabrek's iteration table shows the signed mismatches of the recorded buses,
// the same values as its .ADF rows.
const ProgramTraits kMabrek = {
    .programName = "Mabrek",
    .historyWord = "Mabrek",
    .programaIndent = 35,
    .exeIndent = 31,
    .methodLines = {{{12, "FLUJOS DE CARGAS RESUELTO POR EL METODO DE GAUSS-SEIDEL"}, {0, nullptr}}},
    .emptyLineAfterMethod = true,
    .version = {29, "VERSION 7.41 - MinGW"},
    .emptyLinesAfterVersion = 2,
    .creditIndents = {27, 24, 22, 33},
    .pauseStaysOnLine = true,
    .generalErrorIndent = 19,
    .pauseAfterSummary = false,
    .generalTableNameWidth = 34,
    .toleranceLabel = kToleranceLabel,
    .echoYes = PrintWhen::plusOne,
    .transformerHeadingGap = 2,
    .zeroAccelerationIsOne = true,
    .newtonBusOrder = false,
    .busNeedsAdmittance = true,
    .piDrawingCompact = false,
    .earthMark = "%%%%%",
    .tableHeaderIndent = 5,
    .tableRows = PrintWhen::plusOne,
    .signedTableMismatches = true,
    .adfHeader = PrintWhen::plusOne,
    .volTitle = PrintWhen::plusOne,
    .volNames = PrintWhen::plusOne,
    .doublePrecisionTime = true,
    .limitWarningIndent = 8,
    .reportsResultVoltages = true,
};
// clang-format on

} // namespace lf
