#include "RadioGroup.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QGroupBox>
#include <QRadioButton>

class TRadioGroup::ItemList : public TStringList {
public:
    explicit ItemList(TRadioGroup& group) : group_(group) {}
    void Put(int index, const std::string& value) override {
        TStringList::Put(index, value);
        group_.Rebuild();
    }
    void Insert(int index, const std::string& value) override {
        TStringList::Insert(index, value);
        group_.Rebuild();
    }
    void Delete(int index) override {
        TStringList::Delete(index);
        group_.Rebuild();
    }
    void Clear() override {
        TStringList::Clear();
        group_.Rebuild();
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

void TRadioGroup::SetItemIndex(int value) {
    if (value < -1 || value >= items_->Count()) value = -1;
    if (value == itemIndex_) return;
    itemIndex_ = value;
    ShowChecks();
    if (OnClick) OnClick(this);
}

void TRadioGroup::Rebuild() {
    if (!items_) return;
    QGroupBox& box = Box(*this);
    for (QRadioButton* b : box.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        delete b;
    const int n = items_->Count();
    if (n == 0) return;
    const int rows = (n + columns_ - 1) / columns_;
    const int top = 16, inner = box.height() - top - 4;
    const int colWidth = (box.width() - 8) / columns_;
    for (int i = 0; i < n; ++i) {
        auto* b = new QRadioButton(QStr(items_->Get(i)), &box);
        b->setAutoExclusive(false);
        b->setChecked(i == itemIndex_);
        const int col = i / rows, row = i % rows;
        b->setGeometry(8 + col * colWidth, top + row * inner / rows, colWidth - 4, inner / rows);
        QObject::connect(b, &QRadioButton::clicked, b, [this, i] {
            Guarded([&] {
                SetItemIndex(i);
                ShowChecks();
            });
        });
        b->show();
    }
}

void TRadioGroup::ShowChecks() {
    int i = 0;
    for (QRadioButton* b : Box(*this).findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        b->setChecked(i++ == itemIndex_);
}
