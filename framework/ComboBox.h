#pragma once
// A drop-down list; csDropDown lets the user type a text of their own. OnChange fires
// when the user types or picks an item, not when the code sets the index or text.

#include "Color.h"
#include "Control.h"
#include "Strings.h"

#include <memory>
#include <string>

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
public:
    explicit TComboBox(TControl* parent, TComponent* owner = nullptr);
    ~TComboBox() override;

    TStrings& Items();
    int ItemIndex() const;
    void SetItemIndex(int value);
    std::string Text() const;
    void SetText(const std::string& value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // The background of the text field.
    TColor Color() const { return color_; }
    void SetColor(TColor value);

    TNotifyEvent OnChange;

private:
    void WatchEdits();
    class ItemList;
    std::unique_ptr<ItemList> items_;
    TComboBoxStyle style_ = csDropDown;
    TColor color_ = clWindow;
};
