#include "DFTOptionsFF.h"

TDFTOptions::TDFTOptions(TComponent* owner, SGlobalVars& globals, SProgramOptions& options)
    : TForm(owner), globals_(globals), options_(options) {
    SetCaption("QJ's Curvix - Fourier Options");
    SetClientSize(400, 300);
}
