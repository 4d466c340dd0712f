#include "RadioGroup.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

class TRadioGroup::ItemList : public TStringList {
public:
    explicit ItemList(TRadioGroup& group) : group_(group) {}
    void Put(int index, const std::string& value) override {
        TStringList::Put(index, value);
        group_.ItemsChanged();
    }
    void Insert(int index, const std::string& value) override {
        TStringList::Insert(index, value);
        group_.ItemsChanged();
    }
    void Delete(int index) override {
        TStringList::Delete(index);
        group_.ItemsChanged();
    }
    void Clear() override {
        TStringList::Clear();
        group_.ItemsChanged();
    }

private:
    TRadioGroup& group_;
};

namespace {
QGroupBox& Box(const TControl& c) {
    return *static_cast<QGroupBox*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

TRadioGroup::TRadioGroup(TControl* parent, TComponent* owner)
    : TControl(parent, owner), items_(std::make_unique<ItemList>(*this)) {
    AttachInner(*this, new QGroupBox(&WidgetOf(*this)), false);
    SetBounds(0, 0, 185, 105);
}

TRadioGroup::~TRadioGroup() = default;

std::string TRadioGroup::Caption() const {
    return StdStr(Box(*this).title());
}
void TRadioGroup::SetCaption(const std::string& value) {
    Box(*this).setTitle(QStr(value));
}
TStrings& TRadioGroup::Items() {
    return *items_;
}
void TRadioGroup::SetColumns(int value) {
    columns_ = value < 1 ? 1 : value;
    Rebuild();
}

int TRadioGroup::ItemTextRight(int index, int length) const {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return 0;
    const QRadioButton* b = buttons_[static_cast<std::size_t>(index)];
    QStyleOptionButton option;
    option.initFrom(b);
    option.text = b->text();
    const QRect contents = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b);
    const int advance = b->fontMetrics().horizontalAdvance(b->text().left(length));
    return b->mapTo(&WidgetOf(*this), QPoint(contents.left() + advance, 0)).x();
}

void TRadioGroup::SetItemIndex(int value) {
    if (value < -1 || value >= items_->Count()) value = -1;
    if (value == itemIndex_) return;
    itemIndex_ = value;
    ShowChecks();
    if (itemIndex_ >= 0 && OnClick) OnClick(this);
}

void TRadioGroup::ItemsChanged() {
    if (itemIndex_ >= items_->Count()) itemIndex_ = items_->Count() - 1;
    Rebuild();
}

void TRadioGroup::Choose(int index) {
    Guarded([&] { SetItemIndex(index); });
    ShowChecks(); // a click on the chosen button leaves it chosen
}

// Buttons are kept and reused: a handler may change the items while its button's
// click is still running.
void TRadioGroup::Rebuild() {
    if (!items_) return;
    QGroupBox& box = Box(*this);
    const int n = items_->Count();
    while (static_cast<int>(buttons_.size()) > n) {
        QRadioButton* b = buttons_.back();
        buttons_.pop_back();
        b->hide();
        b->deleteLater();
    }
    while (static_cast<int>(buttons_.size()) < n) {
        const int i = static_cast<int>(buttons_.size());
        auto* b = new QRadioButton(&box);
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::clicked, b, [this, i] { Choose(i); });
        buttons_.push_back(b);
    }
    if (n == 0) return;
    const int rows = (n + columns_ - 1) / columns_;
    const int top = 16, inner = box.height() - top - 4;
    const int colWidth = (box.width() - 8) / columns_;
    for (int i = 0; i < n; ++i) {
        QRadioButton* b = buttons_[static_cast<std::size_t>(i)];
        b->setText(QStr(items_->Get(i)));
        const int col = i / rows, row = i % rows;
        b->setGeometry(8 + col * colWidth, top + row * inner / rows, colWidth - 4, inner / rows);
        b->show();
    }
    ShowChecks();
}

void TRadioGroup::ShowChecks() {
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(static_cast<int>(i) == itemIndex_);
}
