#pragma once
// A list of texts with one chosen item (ItemIndex, -1 none), the first visible item
// (TopIndex) and the item under a point. Mouse events report in the list's coordinates.

#include "Control.h"
#include "Strings.h"

#include <memory>

class TListBox : public TControl {
public:
    explicit TListBox(TControl* parent, TComponent* owner = nullptr);
    ~TListBox() override;

    TStrings& Items();
    int ItemIndex() const;
    void SetItemIndex(int value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int TopIndex() const;
    void SetTopIndex(int value);
    // The item at a point of the list; with `existing` -1 below the last item, else
    // the index one past it.
    int ItemAtPos(TPoint pos, bool existing) const;
    int ItemHeight() const;
    void Clear() { Items().Clear(); }

    TNotifyEvent OnClick;

private:
    class ItemList;
    std::unique_ptr<ItemList> items_;
};
