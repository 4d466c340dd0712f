#pragma once
// Open and save dialogs. Filters use the "description|*.a;*.b|..." notation; on this
// system each pattern matches both letter cases. A chosen save name without extension
// gets DefaultExt. Tests replace the dialog with a hook that fills in the choice.

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

// Qt's filter text for ours: "ADF (*.ADF)|*.ADF;*.PL4" -> "ADF (*.ADF) (*.ADF *.adf *.PL4 *.pl4)".
std::vector<std::string> QtFilters(const std::string& filter);
// Appends ".ext" to a name whose last part has no extension.
std::string WithDefaultExt(const std::string& name, const std::string& ext);

struct TFileDialogRequest {
    TFileDialog& dialog;
    bool save;
};
// The hook fills dialog.Files (and FilterIndex) and returns whether the user chose.
using TFileDialogHook = std::function<bool(TFileDialogRequest&)>;
TFileDialogHook SetFileDialogHook(TFileDialogHook hook);
