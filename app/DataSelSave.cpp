// Saving the selected variables of one file as ADF, MAT or (for PL4 time runs) PL4.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "services/FileNames.h"

#include <vector>

int TDataSelForm::SelectionSlot() const {
    // The x row of the multi-file layout belongs to no file; the curves tell.
    const int first = globals_.multiFileMode && selectionRows >= 2 ? 1 : 0;
    const int slot = selRecords[static_cast<std::size_t>(first)].slot;
    return slot >= 0 && slot < kMaxFiles ? slot : currentSlot;
}

void TDataSelForm::SaveVarBtnClick(TObject*) {
    const std::string header = "ADF file created by \"QJ's Curvix\" program";
    std::vector<int> indices(static_cast<std::size_t>(selectionRows) + 1, 0);
    // The same checks and messages as a plot; nothing is handed to the plot window.
    BuildSelectionPlot();
    for (int r = 1; r <= selectionRows; ++r)
        indices[static_cast<std::size_t>(r - 1)] =
            selRecords[static_cast<std::size_t>(r - 1)].variable;

    SimOut& file = files[static_cast<std::size_t>(SelectionSlot())];
    SaveDialog1.DefaultExt = "adf";
    SaveDialog1.Filter = file.pl4TimeRun
                             ? "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT|PL4 (*.PL4)|*.PL4"
                             : "ADF  (*.ADF)|*.ADF|MATLAB (*.MAT)|*.MAT";
    if (!SaveDialog1.Execute()) return;

    const std::string name = SaveDialog1.FileName;
    const std::vector<std::string> names = file.names;
    const std::string ext = LowerCase(ExtractFileExt(name));
    file.commaSeparators = options_.Flag(poCommaSeparators);
    std::string reason;
    if (ext == ".adf") {
        reason = file.SaveToAdfFile(name, header, selectionRows, indices.data());
    } else if (ext == ".mat") {
        reason = file.SaveToMatFile(name, selectionRows, indices.data());
    } else if (ext == ".pl4") {
        reason = file.pl4TimeRun
                     ? file.SaveToPl4File(name, selectionRows, indices.data())
                     : "Output type PL4 allowed only for variables selected from a PL4 file\n"
                       "containing a time-run (not frequency Scan nor HFS)\n"
                       "Please, select ADF or MAT output format.";
    } else {
        reason = "File " + name + " not saved.\nReason: extension \"" + ext + "\" is invalid.";
    }
    file.names = names;

    if (reason.empty())
        MessageBox("Selected variables successfully saved into file " + name, "QJ's Curvix",
                   MB_ICONINFORMATION);
    else
        MessageBox(reason, "QJ's Curvix - Error", MB_ICONSTOP);
}
