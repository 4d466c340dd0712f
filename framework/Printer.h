#pragma once
// The printer: page size in dots of its printable area, resolution, job title
// and a canvas that draws on the page between BeginDoc and EndDoc (and measures
// text at any time). Output may go to a PDF file instead of a printer.

#include "Canvas.h"
#include "Object.h"

#include <functional>
#include <memory>
#include <string>

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    int PageWidth() const;
    int PageHeight() const;
    // Dots per inch, horizontally (the device's X resolution).
    int Resolution() const;
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    bool Printing() const;

    // Empty text on success, else the reason.
    std::string BeginDoc();
    std::string EndDoc();
    // Ends the page and starts the next one of the running job.
    std::string NewPage();
    TCanvas& Canvas();

    // Print into a PDF file (empty name: the system printer again) and choose
    // the resolution of that file.
    void SetOutputFileName(const std::string& pdfFileName);
    void SetResolution(int dotsPerInch);
    // Page orientation, as the set-up dialog chooses it.
    void SetLandscape(bool landscape);

    struct Impl;
    Impl& Internals() { return *impl_; }

private:
    std::string title_;
    std::unique_ptr<Impl> impl_;
};

// The program's printer, made at first use.
TPrinter& Printer();

// The printer set-up dialog on Printer(); true when the user confirmed.
class TPrinterSetupDialog : public TObject {
public:
    bool Execute();
};

// Tests replace the set-up dialog: the hook gets the printer and returns whether the
// user confirmed. An empty hook restores the real dialog.
using TPrinterSetupHook = std::function<bool(TPrinter& printer)>;
TPrinterSetupHook SetPrinterSetupHook(TPrinterSetupHook hook);
