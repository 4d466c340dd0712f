#include "DFTChartFF.h"

TDFTChartForm::TDFTChartForm(TComponent* owner, SGlobalVars& globals, SProgramOptions& options)
    : TForm(owner), globals_(globals), options_(options) {
    SetCaption("QJ's Curvix - Fourier chart");
    SetClientSize(400, 300);
}
