#pragma once
// Open and save dialogs. Filters use the "description|*.a;*.b|..." notation; on this
// system each pattern matches both letter cases. A chosen save name without extension
// gets the extension of the chosen filter ("*.mat" -> ".mat"), or DefaultExt when that
// filter names none; with no DefaultExt nothing is added. Tests replace the dialog with a
// hook that fills in the choice.

#include "Component.h"

#include <functional>
#include <string>
#include <vector>

enum TOpenOption : unsigned {
    ofAllowMultiSelect = 1,
    ofFileMustExist = 2,
    ofOverwritePrompt = 4,
    ofHideReadOnly = 8
};

class TFileDialog : public TComponent {
public:
    explicit TFileDialog(TComponent* owner = nullptr) : TComponent(owner) {}
    std::string Filter;
    int FilterIndex = 1; // 1-based
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt; // without the dot
    std::string Title;
    unsigned Options = 0;
    std::vector<std::string> Files; // every chosen file, after Execute

    // True when the user chose; FileName, Files and FilterIndex then hold the choice.
    virtual bool Execute() = 0;

protected:
    bool Run(bool save);
};

class TOpenDialog : public TFileDialog {
public:
    using TFileDialog::TFileDialog;
    bool Execute() override { return Run(false); }
};

class TSaveDialog : public TFileDialog {
public:
    using TFileDialog::TFileDialog;
    bool Execute() override { return Run(true); }
};

// Qt's filter text for ours: "ADF (*.ADF, *.PL4)|*.ADF;*.PL4" -> "ADF (*.ADF *.adf *.PL4 *.pl4)";
// a pattern list at the end of the description gives way to Qt's.
std::vector<std::string> QtFilters(const std::string& filter);
// The extension, in lower case, that filter `index` (1-based) names with its first
// pattern "*.ext"; empty when it names none.
std::string FilterExt(const std::string& filter, int index);
// Appends ".ext" to a name whose last part has no extension.
std::string WithDefaultExt(const std::string& name, const std::string& ext);

struct TFileDialogRequest {
    TFileDialog& dialog;
    bool save;
};
// The hook fills dialog.Files (and FilterIndex) and returns whether the user chose.
using TFileDialogHook = std::function<bool(TFileDialogRequest&)>;
TFileDialogHook SetFileDialogHook(TFileDialogHook hook);
