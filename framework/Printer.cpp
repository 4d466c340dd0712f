#include "Printer.h"

#include <utility>

#include "QtCanvas_p.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <optional>

namespace {
class PrinterCanvas final : public QtPainterCanvas {
public:
    explicit PrinterCanvas(QPrinter& printer)
        : QtPainterCanvas(printer.resolution(), 0.5), printer_(printer) {}
    std::optional<QPainter> painter;

    void ResolutionChanged() { SetDeviceResolution(printer_.resolution()); }

    bool Begin() {
        painter.emplace();
        if (!painter->begin(&printer_)) {
            painter.reset();
            return false;
        }
        PainterBegun(*painter);
        return true;
    }

protected:
    QPainter* ActivePainter() override { return painter ? &*painter : nullptr; }
    QPaintDevice* MetricsDevice() override { return &printer_; }

private:
    QPrinter& printer_;
};
} // namespace

struct TPrinter::Impl {
    QPrinter printer{QPrinter::HighResolution};
    // One canvas for the printer's life: references to it stay valid, and its
    // pen, brush and font carry over from one job to the next.
    std::unique_ptr<PrinterCanvas> canvas = std::make_unique<PrinterCanvas>(printer);
    QRect paintRect() const { return printer.pageLayout().paintRectPixels(printer.resolution()); }
};

TPrinter::TPrinter() : impl_(std::make_unique<Impl>()) {}
TPrinter::~TPrinter() {
    if (Printing()) EndDoc();
}

int TPrinter::PageWidth() const {
    return impl_->paintRect().width();
}
int TPrinter::PageHeight() const {
    return impl_->paintRect().height();
}
int TPrinter::Resolution() const {
    return impl_->printer.resolution();
}
bool TPrinter::Printing() const {
    return impl_->canvas->painter.has_value();
}

std::string TPrinter::BeginDoc() {
    if (Printing()) return "A print job is already running";
    QPrinter& printer = impl_->printer;
    // With no printer and no file to write, Qt's PDF engine fails the job yet stays
    // active, and then refuses every later setting: such a job is not begun at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        return "The printer could not start the job";
    printer.setDocName(QString::fromStdString(title_));
    impl_->canvas->ResolutionChanged();
    if (!impl_->canvas->Begin()) return "The printer could not start the job";
    return {};
}

std::string TPrinter::EndDoc() {
    auto& painter = impl_->canvas->painter;
    if (!painter) return "No print job is running";
    const bool ok = painter->end();
    painter.reset();
    return ok ? std::string{} : "The print job could not be completed";
}

std::string TPrinter::NewPage() {
    if (!Printing()) return "No print job is running";
    return impl_->printer.newPage() ? std::string{} : "The printer could not start a new page";
}

TCanvas& TPrinter::Canvas() {
    return *impl_->canvas;
}

void TPrinter::SetOutputFileName(const std::string& pdfFileName) {
    if (pdfFileName.empty()) {
        impl_->printer.setOutputFileName({});
        impl_->printer.setOutputFormat(QPrinter::NativeFormat);
    } else {
        impl_->printer.setOutputFormat(QPrinter::PdfFormat);
        impl_->printer.setOutputFileName(QString::fromStdString(pdfFileName));
    }
    impl_->canvas->ResolutionChanged();
}

void TPrinter::SetResolution(int dotsPerInch) {
    if (Printing() || dotsPerInch <= 0) return;
    impl_->printer.setResolution(dotsPerInch);
    impl_->canvas->ResolutionChanged();
}

void TPrinter::SetLandscape(bool landscape) {
    if (Printing()) return;
    impl_->printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    impl_->canvas->ResolutionChanged();
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}

namespace {
TPrinterSetupHook& SetupHook() {
    static TPrinterSetupHook hook;
    return hook;
}
} // namespace

TPrinterSetupHook SetPrinterSetupHook(TPrinterSetupHook hook) {
    return std::exchange(SetupHook(), std::move(hook));
}

bool TPrinterSetupDialog::Execute() {
    TPrinter& p = Printer();
    bool ok = false;
    if (SetupHook()) {
        ok = SetupHook()(p);
    } else {
        QPrintDialog dialog(&p.Internals().printer);
        // A set-up: the printer and its page are chosen here, nothing is printed, so the
        // dialog asks for neither pages nor copies and confirms with OK, not "Print".
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize);
        if (auto* box = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* button = box->button(QDialogButtonBox::Ok))
                button->setText(QStringLiteral("OK"));
        ok = dialog.exec() == QDialog::Accepted;
    }
    if (ok) p.Internals().canvas->ResolutionChanged(); // another printer may have been chosen
    return ok;
}
