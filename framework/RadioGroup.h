#pragma once
// A framed group of radio buttons laid out in columns (filled column by column), one per
// item; ItemIndex is the chosen one (-1 none). Choosing another item, by the user or in
// code, fires OnClick; -1 fires nothing. An index beyond the items after they change
// moves to the last item.

#include "Control.h"
#include "Strings.h"

#include <memory>
#include <string>
#include <vector>

class QRadioButton;

class TRadioGroup : public TControl {
public:
    explicit TRadioGroup(TControl* parent, TComponent* owner = nullptr);
    ~TRadioGroup() override;

    std::string Caption() const;
    void SetCaption(const std::string& value);
    TStrings& Items();
    int Columns() const { return columns_; }
    void SetColumns(int value);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // Where the first `length` characters of an item's text end, in the group's pixels
    // (for a control placed inside an item's text).
    int ItemTextRight(int index, int length) const;

    TNotifyEvent OnClick;

    void Rebuild();

protected:
    void Resized() override { Rebuild(); }

private:
    void ShowChecks();
    void ItemsChanged();
    void Choose(int index);
    class ItemList;
    std::vector<QRadioButton*> buttons_;
    std::unique_ptr<ItemList> items_;
    int columns_ = 1;
    int itemIndex_ = -1;
};
