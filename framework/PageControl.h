#pragma once
// Pages with tabs. A tab sheet is the parent of the controls on its page; the page
// control places the sheets. OnChange fires when the user picks a tab, not when the code
// changes the active page.

#include "Control.h"

#include <string>
#include <vector>

class TPageControl;

class TTabSheet : public TControl {
public:
    TTabSheet(TPageControl* pageControl, TComponent* owner = nullptr);
    ~TTabSheet() override;
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TPageControl* PageControl() const { return pageControl_; }
    int PageIndex() const;
    // The page control sizes its sheets; scaling moves only what is on them.
    void ChangeScale(int, int) override {}

private:
    friend class TPageControl;
    TPageControl* pageControl_;
    std::string caption_;
};

class TPageControl : public TControl {
public:
    explicit TPageControl(TControl* parent, TComponent* owner = nullptr);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);

    TNotifyEvent OnChange;

private:
    friend class TTabSheet;
    void AddPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    std::vector<TTabSheet*> pages_;
    bool changing_ = false; // the code is changing the tabs
};
