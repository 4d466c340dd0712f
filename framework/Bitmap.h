#pragma once
// A persistent picture in memory (the image back end of TCanvas): drawn into at
// any time, shown by TImage, turned into PNG for the clipboard.

#include "Canvas.h"
#include "Object.h"

#include <functional>
#include <memory>
#include <string>

class TBitmap : public TObject {
public:
    TBitmap(int width = 0, int height = 0);
    ~TBitmap() override;

    int Width() const;
    int Height() const;
    // Keeps the content at the top left; new area is white.
    void SetSize(int width, int height);
    TCanvas& Canvas();

    // Runs at the first drawing after the picture was last shown (see Flush).
    std::function<void()> OnChange;

    // Completes pending drawing; the next drawing fires OnChange again.
    void Flush();
    // Empty text on success, else the reason.
    std::string SaveToPngFile(const std::string& fileName);

    struct Impl;
    Impl& Internals() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};
