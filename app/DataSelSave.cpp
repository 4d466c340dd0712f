// Saving the selected variables of one file as ADF, MAT or (for PL4 time runs) PL4.
#include "DataSelFF.h"

#include "MessageBox.h"
#include "services/FileNames.h"

#include <vector>

void TDataSelForm::SaveVarBtnClick(TObject*) {
    const std::string header = "ADF file created by \"QJ's Curvix\" program";
    const int rows = selection.RowCount();
    std::vector<int> indices(static_cast<std::size_t>(rows) + 1, 0);
    // The same checks and messages as a plot; nothing is handed to the plot window.
    BuildSelectionPlot();
    for (int r = 1; r <= rows; ++r)
        indices[static_cast<std::size_t>(r - 1)] = selection.Row(r).variable;

    SimOut& file = files[static_cast<std::size_t>(
        selection.CurveSlot(fileSlots.Multi(), fileSlots.Current()))];
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
        reason = file.SaveToAdfFile(name, header, rows, indices.data());
    } else if (ext == ".mat") {
        reason = file.SaveToMatFile(name, rows, indices.data());
    } else if (ext == ".pl4") {
        reason = file.pl4TimeRun
                     ? file.SaveToPl4File(name, rows, indices.data())
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
