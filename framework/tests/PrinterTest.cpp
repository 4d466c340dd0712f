// A page printed to PDF holds the drawn text, with sizes at the printer's
// resolution; checked with poppler's independent tools.
#include "Printer.h"
#include "Bitmap.h"
#include "MissingTool.h"
#include "ScratchFiles.h"
#include "ShellOutput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPrinterInfo>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {
std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Dark(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 128;
}
} // namespace

TEST(Printer, PageSizeAndFontsFollowTheResolution) {
    TPrinter printer;
    TCanvas& early = printer.Canvas();
    early.Font().SetName("Arial");
    early.Font().SetSize(10);
    const testsupport::ScratchDir scratch;
    printer.SetOutputFileName(scratch.file("unused.pdf"));
    printer.SetResolution(300);
    EXPECT_EQ(printer.Resolution(), 300);
    EXPECT_EQ(&early, &printer.Canvas()) << "the canvas outlives resolution changes";
    EXPECT_EQ(early.Font().Size(), 10);
    // A4 or Letter, less margins: about 8 by 11 inches.
    EXPECT_GT(printer.PageWidth(), 6 * 300);
    EXPECT_LT(printer.PageWidth(), 9 * 300);
    EXPECT_GT(printer.PageHeight(), 9 * 300);
    TCanvas& c = printer.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    EXPECT_EQ(c.Font().Height(), -42); // 10 pt at 300 dpi
    TBitmap screen(1, 1);
    screen.Canvas().Font().SetName("Arial");
    screen.Canvas().Font().SetSize(10);
    // Text is measured on the printer before a job starts, in printer dots.
    const double ratio = double(c.TextHeight("W")) / screen.Canvas().TextHeight("W");
    EXPECT_NEAR(ratio, 300.0 / 96.0, 0.35);
    EXPECT_FALSE(printer.Printing());
    EXPECT_NE(printer.EndDoc(), "");
}

TEST(Printer, PdfPageHoldsTheTextAndTheGeometryInPrinterDots) {
    if (!fs::exists("/usr/bin/pdftotext") || !fs::exists("/usr/bin/pdftoppm"))
        CURVIX_SKIP_OR_FAIL() << "pdftotext, pdftoppm: install poppler-utils";
    const testsupport::ScratchDir scratch;
    const fs::path base = scratch.path() / "page";
    const std::string pdf = base.string() + ".pdf";
    TPrinter printer;
    printer.SetOutputFileName(pdf);
    printer.SetResolution(300);
    printer.SetTitle("Curvix - Fourier Numerical Data");
    TCanvas& c = printer.Canvas();
    ASSERT_EQ(printer.BeginDoc(), "");
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(&c, &printer.Canvas());
    c.Brush().SetColor(clBlack);
    c.FillRect({0, 0, 30, 30}); // marks the printable area's corner
    c.Brush().SetStyle(bsClear);
    c.Pen().SetWidth(3);
    c.Rectangle(300, 300, 900, 600); // one inch in, two inches wide, one high
    c.Font().SetName("Arial");
    c.Font().SetSize(14);
    c.TextOut(300, 700, "Harm. 50\xB0 THD=1.5%");
    ASSERT_EQ(printer.EndDoc(), "");
    ASSERT_TRUE(fs::exists(pdf));

    const std::string txt = base.string() + ".txt";
    ASSERT_EQ(std::system(("/usr/bin/pdftotext -enc UTF-8 " + pdf + " " + txt).c_str()), 0);
    EXPECT_NE(ReadFile(txt).find("Harm. 50\u00B0 THD=1.5%"), std::string::npos) << ReadFile(txt);

    // Word boxes are in points: 14-point text stands about 14 points high.
    const std::string html = base.string() + ".html";
    ASSERT_EQ(std::system(("/usr/bin/pdftotext -bbox " + pdf + " " + html).c_str()), 0);
    const std::string boxes = ReadFile(html);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        boxes, m, std::regex(R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">Harm)re")))
        << boxes;
    const double height = std::stod(m[2]) - std::stod(m[1]);
    EXPECT_GT(height, 12.0);
    EXPECT_LT(height, 18.0);

    ASSERT_EQ(
        std::system(("/usr/bin/pdftoppm -r 300 -gray -png -singlefile " + pdf + " " + base.string())
                        .c_str()),
        0);
    const QImage page(QString::fromStdString(base.string() + ".png"));
    ASSERT_FALSE(page.isNull());
    int ox = -1, oy = -1; // the corner mark
    for (int y = 0; y < page.height() && ox < 0; ++y)
        for (int x = 0; x < page.width(); ++x)
            if (Dark(page, x, y)) {
                ox = x;
                oy = y;
                break;
            }
    ASSERT_GE(ox, 0);
    // The frame's left edge, found along the middle row of the rectangle.
    const int row = oy + 450;
    int left = -1, right = -1;
    for (int x = ox + 100; x < ox + 1100; ++x)
        if (Dark(page, x, row)) {
            if (left < 0) left = x;
            right = x;
        }
    EXPECT_NEAR(left, ox + 300 - 1, 2);
    EXPECT_NEAR(right, ox + 899 + 1, 2);
}

// With no printer set up a print fails; a set-up to a PDF file afterwards must print.
TEST(Printer, AFailedStartLeavesThePrinterReadyForTheNextJob) {
    if (!fs::exists("/usr/bin/pdftotext") || !fs::exists("/usr/bin/pdfinfo"))
        CURVIX_SKIP_OR_FAIL() << "pdftotext, pdfinfo: install poppler-utils";
    // Where a printer is set up the job would go to it: the failure cannot be met there.
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a system printer is set up: a print with none cannot be tried";
    const testsupport::ScratchDir scratch;
    const std::string pdf = scratch.file("after.pdf");
    TPrinter& printer = Printer();
    printer.SetOutputFileName("");
    EXPECT_EQ(printer.BeginDoc(), "The printer could not start the job");
    EXPECT_FALSE(printer.Printing());

    const TPrinterSetupHook old = SetPrinterSetupHook([&](TPrinter& p) {
        p.SetOutputFileName(pdf);
        p.SetLandscape(true);
        return true;
    });
    EXPECT_TRUE(TPrinterSetupDialog().Execute());
    SetPrinterSetupHook(old);
    ASSERT_EQ(printer.BeginDoc(), "");
    printer.Canvas().Font().SetName("Arial");
    printer.Canvas().Font().SetSize(12);
    printer.Canvas().TextOut(300, 300, "Printed after the failure");
    EXPECT_EQ(printer.EndDoc(), "");
    printer.SetOutputFileName("");
    printer.SetLandscape(false);

    EXPECT_NE(testsupport::ShellOutput("/usr/bin/pdftotext " + pdf + " -")
                  .find("Printed after the failure"),
              std::string::npos);
    std::smatch size;
    const std::string info = testsupport::ShellOutput("/usr/bin/pdfinfo " + pdf);
    ASSERT_TRUE(std::regex_search(info, size, std::regex(R"(Page size: +([0-9.]+) x ([0-9.]+))")))
        << info;
    EXPECT_GT(std::stod(size[1]), std::stod(size[2])) << "the set-up's landscape was kept";
}

// The set-up dialog chooses a printer and prints nothing: it confirms with OK.
TEST(Printer, SetUpDialogConfirmsWithOkNotPrint) {
    const TPrinterSetupHook old = SetPrinterSetupHook({});
    QStringList texts;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        title = dialog->windowTitle();
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            if (b->isVisible()) texts << b->text().remove('&');
        static_cast<QDialog*>(dialog)->reject();
    });
    TPrinterSetupDialog setup;
    EXPECT_FALSE(setup.Execute());
    SetPrinterSetupHook(old);
    EXPECT_TRUE(texts.contains("OK")) << texts.join('|').toStdString();
    EXPECT_FALSE(texts.contains("Print")) << texts.join('|').toStdString();
    EXPECT_EQ(title.toStdString(), "Printer Setup");
}
