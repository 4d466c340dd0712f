#include "ListBox.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QListWidget>
#include <QScrollBar>

namespace {
// The framework's mouse-up handler runs before the list's own release, which may choose
// again the item that the handler let go: a choice cleared by the handler stays cleared.
class ListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QListWidget::mouseReleaseEvent(e);
        if (currentRow() < 0) clearSelection();
    }
};

QListWidget& List(const TControl& c) {
    return *static_cast<QListWidget*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

class TListBox::ItemList : public TStrings {
public:
    explicit ItemList(TListBox& box) : box_(box) {}
    int Count() const override { return List(box_).count(); }
    // Each item keeps the bytes it was given: a name read from a file comes back as it
    // was read, whatever encoding it was shown in.
    std::string Get(int index) const override {
        Check(index, Count() - 1);
        const QListWidgetItem* item = List(box_).item(index);
        return ShownBytesOr(item->data(Qt::UserRole), item->text());
    }
    void Put(int index, const std::string& value) override {
        Check(index, Count() - 1);
        Keep(*List(box_).item(index), value);
    }
    void Insert(int index, const std::string& value) override {
        Check(index, Count());
        auto* item = new QListWidgetItem;
        Keep(*item, value);
        List(box_).insertItem(index, item);
    }
    void Delete(int index) override {
        Check(index, Count() - 1);
        delete List(box_).takeItem(index);
    }
    void Clear() override { List(box_).clear(); }

private:
    static void Keep(QListWidgetItem& item, const std::string& value) {
        item.setData(Qt::UserRole, QByteArray::fromStdString(value));
        item.setText(QStr(value));
    }
    TListBox& box_;
};

TListBox::TListBox(TControl* parent, TComponent* owner)
    : TControl(parent, owner), items_(std::make_unique<ItemList>(*this)) {
    auto* list = new ListWidget(&WidgetOf(*this));
    list->setUniformItemSizes(true);
    AttachInner(*this, list);
    QObject::connect(list, &QListWidget::itemClicked, list, [this] {
        Guarded([&] {
            if (OnClick) OnClick(this);
        });
    });
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

TStrings& TListBox::Items() {
    return *items_;
}

// The chosen item: Qt's current row alone is no choice, since Qt sets it when the list
// takes the focus.
int TListBox::ItemIndex() const {
    const QListWidget& list = List(*this);
    const int row = list.currentRow();
    const QListWidgetItem* item = list.item(row);
    return item && item->isSelected() ? row : -1;
}
void TListBox::SetItemIndex(int value) {
    QListWidget& list = List(*this);
    if (value < 0 || value >= list.count()) {
        list.setCurrentRow(-1);
        list.clearSelection();
    } else {
        list.setCurrentRow(value);
    }
}
bool TListBox::Selected(int index) const {
    const QListWidgetItem* item = List(*this).item(index);
    return item && item->isSelected();
}
void TListBox::SetSelected(int index, bool value) {
    if (QListWidgetItem* item = List(*this).item(index)) item->setSelected(value);
}

int TListBox::TopIndex() const {
    const QListWidget& list = List(*this);
    const QListWidgetItem* item = list.itemAt(2, 2);
    return item ? list.row(item) : 0;
}
void TListBox::SetTopIndex(int value) {
    QListWidget& list = List(*this);
    if (QListWidgetItem* item = list.item(value))
        list.scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TListBox::ItemHeight() const {
    const QListWidget& list = List(*this);
    if (list.count() > 0) return list.visualItemRect(list.item(0)).height();
    return list.fontMetrics().height();
}

int TListBox::ItemAtPos(TPoint pos, bool existing) const {
    const QListWidget& list = List(*this);
    const QPoint inViewport = list.viewport()->mapFrom(&list, QPoint(pos.x, pos.y));
    if (const QListWidgetItem* item = list.itemAt(inViewport)) return list.row(item);
    return existing ? -1 : list.count();
}
