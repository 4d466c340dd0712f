#pragma once
// The cursor values window: a small stay-on-top window beside the plot window that shows,
// per plotted file, its name, the x under the data cursor and every curve's value in the
// curve's colour. The text is drawn into a picture that keeps it; FormPaint draws it again
// from the stored texts.

#include "AppContext.h"
#include "ChartTypes.h"
#include "CheckBox.h"
#include "Form.h"
#include "Image.h"
#include "PlotSnapshot.h"
#include "ValuesLayout.h"

#include <array>
#include <string>

class TValuesForm : public TForm {
public:
    TValuesForm(TComponent* owner, SAppContext& ctx);

    // The counts of the plot; lays the rows out and clears the window.
    void SetCurves(int fileCount, const int* curveCounts);
    void ShowFileHeadings(const std::string* fileNames);
    void ShowValues(const float* X, float* const* Y, const SCurveParam* curves);
    void FormPaint(TObject* Sender);
    void InterpolationBoxClick(TObject* Sender);

    TImage Surface; // the window's drawing, under the check box
    TCheckBox InterpolationBox;

    // What the window shows (read back by the plot window's tests).
    int FileCount() const { return fileCount_; }
    int TotalCurves() const { return totalCurves_; }
    const SValuesLayout& Layout() const { return layout_; }
    int HeadingSize(int file) const { return headingSize_[static_cast<std::size_t>(file)]; }
    const std::string& XText(int file) const { return xText_[static_cast<std::size_t>(file)]; }
    const std::string& YText(int curve) const { return yText_[static_cast<std::size_t>(curve)]; }

    static constexpr int kValueLeft = 8, kHeadingLeft = 1, kValueFontSize = 9;

private:
    void LayOut();
    void FitSurface();
    void DrawText(int x, int y, const std::string& text);
    int TextWidthAt(const std::string& text, int size);
    TCanvas& Canvas() { return Surface.Canvas(); }

    SAppContext& ctx_;
    int fileCount_ = 0;
    int totalCurves_ = 0;
    std::array<int, kMaxFiles> curveCounts_{};
    SValuesLayout layout_;
    std::array<int, kMaxFiles> headingSize_{};
    bool headingsShown_ = false;
    std::array<std::string, kMaxFiles> fileNames_;
    std::array<std::string, kMaxFiles> xText_;
    std::array<std::string, kMaxCurves> yText_;
    std::array<TColor, kMaxCurves> yColour_{};
};
