#include "ComboBox.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
QComboBox& Combo(const TControl& c) {
    return *static_cast<QComboBox*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

class TComboBox::ItemList : public TStrings {
public:
    explicit ItemList(TComboBox& box) : box_(box) {}
    int Count() const override { return Combo(box_).count(); }
    std::string Get(int index) const override {
        Check(index, Count() - 1);
        return StdStr(Combo(box_).itemText(index));
    }
    void Put(int index, const std::string& value) override {
        Check(index, Count() - 1);
        Combo(box_).setItemText(index, QStr(value));
    }
    void Insert(int index, const std::string& value) override {
        Check(index, Count());
        Combo(box_).insertItem(index, QStr(value));
    }
    void Delete(int index) override {
        Check(index, Count() - 1);
        Combo(box_).removeItem(index);
    }
    void Clear() override { Combo(box_).clear(); }

private:
    TComboBox& box_;
};

TComboBox::TComboBox(TControl* parent, TComponent* owner)
    : TControl(parent, owner), items_(std::make_unique<ItemList>(*this)) {
    auto* combo = new QComboBox(&WidgetOf(*this));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    AttachInner(*this, combo, false);
    QObject::connect(combo, &QComboBox::activated, combo, [this] {
        Guarded([&] {
            if (OnChange) OnChange(this);
        });
    });
    WatchEdits();
    SetBounds(0, 0, 145, 21);
}

// The edit field is made anew whenever the box becomes editable.
void TComboBox::WatchEdits() {
    QLineEdit* edit = Combo(*this).lineEdit();
    if (!edit) return;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this] {
        Guarded([&] {
            if (OnChange) OnChange(this);
        });
    });
}

TComboBox::~TComboBox() = default;

TStrings& TComboBox::Items() {
    return *items_;
}
int TComboBox::ItemIndex() const {
    const QComboBox& c = Combo(*this);
    if (c.isEditable() && c.currentIndex() >= 0 && c.currentText() != c.itemText(c.currentIndex()))
        return -1;
    return c.currentIndex();
}
void TComboBox::SetItemIndex(int value) {
    Combo(*this).setCurrentIndex(value >= 0 && value < Combo(*this).count() ? value : -1);
}
std::string TComboBox::Text() const {
    return StdStr(Combo(*this).currentText());
}
void TComboBox::SetText(const std::string& value) {
    QComboBox& c = Combo(*this);
    if (c.isEditable()) {
        // Setting the text of an item chooses that item.
        const int match = c.findText(QStr(value), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (match >= 0) c.setCurrentIndex(match);
        c.setEditText(QStr(value));
    } else {
        c.setCurrentIndex(c.findText(QStr(value)));
    }
}
void TComboBox::SetColor(TColor value) {
    color_ = value;
    QComboBox& c = Combo(*this);
    QPalette pal = c.palette();
    // An editable box shows its field as a line edit, a list-only one as a button.
    pal.setColor(QPalette::Base, QtColor(value));
    pal.setColor(QPalette::Button, QtColor(value));
    c.setPalette(pal);
}

void TComboBox::SetStyle(TComboBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    Combo(*this).setEditable(value == csDropDown);
    WatchEdits();
}
