#pragma once
// Check boxes and radio buttons. Changing Checked, by the user or in code, fires
// OnClick; checking a radio button unchecks the others on the same parent.

#include "Control.h"
#include "GraphicsObjects.h"

#include <string>

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TControl* parent, TComponent* owner = nullptr);
    std::string Caption() const;
    void SetCaption(const std::string& value);
    bool Checked() const;
    void SetChecked(bool value);
    // Until it is first changed the caption keeps the font of the form.
    TFont& Font() { return font_; }
    void ChangeScale(int m, int d) override;
    TNotifyEvent OnClick;

private:
    TFont font_;
    bool ownFont_ = false;
};

class TRadioButton : public TControl {
public:
    explicit TRadioButton(TControl* parent, TComponent* owner = nullptr);
    std::string Caption() const;
    void SetCaption(const std::string& value);
    bool Checked() const;
    void SetChecked(bool value);
    TNotifyEvent OnClick;
};
