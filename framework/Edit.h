#pragma once
// One-line text fields. TMaskEdit restricts what can be typed with an edit mask
// ("9" digit or blank, "0" digit, "L" letter, "A" letter or digit, literals as they
// stand; an optional ";0" or ";1" and blank-character section follows).

#include "Control.h"

#include <string>

class TEdit : public TControl {
public:
    explicit TEdit(TControl* parent, TComponent* owner = nullptr);

    std::string Text() const;
    void SetText(const std::string& value);
    int MaxLength() const;
    void SetMaxLength(int value); // 0 = no limit
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    void SelectAll();
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);

    TNotifyEvent OnChange;
    void DefaultChar(char ch) override;
};

class TMaskEdit : public TEdit {
public:
    explicit TMaskEdit(TControl* parent, TComponent* owner = nullptr);
    const std::string& EditMask() const { return mask_; }
    void SetEditMask(const std::string& value);

private:
    std::string mask_;
};
