#pragma once
// Everything in which the four solver programs differ outside their iteration,
// one entry per program with the fields in the same order.

#include <array>

namespace lf {

// Which print options enable an output.
enum class PrintWhen { plusOne, absOne, always };

bool printEnabled(PrintWhen when, int printOption);

struct BannerLine {
    int indent;
    const char* text;
};

struct ProgramTraits {
    const char* programName; // as in "===> Tolvan.EXE <==="
    const char* historyWord; // in the first line of the .ADF and .VOL files

    // Banner.
    int programaIndent;
    int exeIndent;
    std::array<BannerLine, 2> methodLines; // text nullptr: no second line
    bool emptyLineAfterMethod;
    BannerLine version;
    int emptyLinesAfterVersion;
    std::array<int, 4> creditIndents; // author, course, department, abbreviation

    // Console.
    bool pauseStaysOnLine;  // pause text ends in a blank and the line is not ended
    int generalErrorIndent; // before "*** ERROR EN LOS DATOS GENERALES ***"
    bool pauseAfterSummary; // after the convergence summary

    // Data echo.
    int generalTableNameWidth;
    const char* toleranceLabel; // the dotted label of the tolerance line
    PrintWhen echoYes;          // when the general table says " SI"
    int transformerHeadingGap;  // empty lines before the transformer table title
    bool zeroAccelerationIsOne;

    // Case checks.
    bool newtonBusOrder;     // PQ buses, PV buses, one slack last; at most 50 equations
    bool busNeedsAdmittance; // every bus must have an own element other than 0

    // .AUX regulating-transformer drawing.
    bool piDrawingCompact; // empty line first, title and names without the leading blank
    const char* earthMark;

    // Iteration output.
    int tableHeaderIndent;
    PrintWhen tableRows;        // the iteration table rows and the .ADF rows
    bool signedTableMismatches; // table rows show the signed mismatches, not their size
    PrintWhen adfHeader;
    PrintWhen volTitle;
    PrintWhen volNames;
    bool doublePrecisionTime;

    // Results report.
    int limitWarningIndent;
    bool reportsResultVoltages; // report and .VOL from e + jf with the folded angle
};

extern const ProgramTraits kTolvan;
extern const ProgramTraits kTolvex;
extern const ProgramTraits kTolvid;
extern const ProgramTraits kMabrek;

} // namespace lf
