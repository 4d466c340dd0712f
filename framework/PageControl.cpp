#include "PageControl.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QTabWidget>

#include <algorithm>
#include <utility>

namespace {
QTabWidget& Tabs(const TControl& c) {
    return *static_cast<QTabWidget*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

TTabSheet::TTabSheet(TPageControl* pageControl, TComponent* owner)
    : TControl(pageControl, owner), pageControl_(pageControl) {
    pageControl_->AddPage(this);
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetCaption(const std::string& value) {
    caption_ = value;
    if (pageControl_) Tabs(*pageControl_).setTabText(PageIndex(), QStr(value));
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& p = pageControl_->pages_;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

TPageControl::TPageControl(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* tabs = new QTabWidget(&WidgetOf(*this));
    AttachInner(*this, tabs, false);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this] {
        if (changing_) return;
        Guarded([&] {
            if (OnChange) OnChange(this);
        });
    });
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    changing_ = true;
    // The sheets own their widgets: take them out of the tab widget first.
    for (TTabSheet* page : pages_) {
        QWidget& w = WidgetOf(*page);
        Tabs(*this).removeTab(Tabs(*this).indexOf(&w));
        w.setParent(nullptr);
        page->pageControl_ = nullptr;
    }
}

void TPageControl::AddPage(TTabSheet* page) {
    pages_.push_back(page);
    const bool was = std::exchange(changing_, true);
    Tabs(*this).addTab(&WidgetOf(*page), QStr(page->caption_));
    changing_ = was;
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    QWidget& w = WidgetOf(*page);
    const bool was = std::exchange(changing_, true);
    Tabs(*this).removeTab(Tabs(*this).indexOf(&w));
    changing_ = was;
    w.setParent(nullptr);
}

TTabSheet* TPageControl::ActivePage() const {
    const int i = ActivePageIndex();
    return i >= 0 ? pages_[static_cast<std::size_t>(i)] : nullptr;
}
void TPageControl::SetActivePage(TTabSheet* page) {
    if (!page || page->pageControl_ != this) return;
    const bool was = std::exchange(changing_, true);
    Tabs(*this).setCurrentWidget(&WidgetOf(*page));
    changing_ = was;
}
int TPageControl::ActivePageIndex() const {
    if (pages_.empty()) return -1;
    QWidget* current = Tabs(*this).currentWidget();
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (&WidgetOf(*pages_[i]) == current) return static_cast<int>(i);
    return -1;
}
void TPageControl::SetActivePageIndex(int value) {
    if (value >= 0 && value < PageCount()) SetActivePage(pages_[static_cast<std::size_t>(value)]);
}
