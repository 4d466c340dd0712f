#pragma once
// One-line text fields. TMaskEdit restricts what can be typed with an edit mask:
// "0" digit, "9" digit or nothing, "L"/"l" letter, "A"/"a" letter or digit, "C"/"c" any
// character (capital: required), "#" digit or sign, ">" "<" "<>" letter case, "\" takes
// the next character literally, "_" a blank; other characters are literals. An optional
// ";0" (Text leaves the literals out) or ";1" (the default: Text keeps them) and a
// ";" blank-character section follow. Text never holds the unfilled blanks.

#include "Control.h"

#include <string>
#include <vector>

class TEdit : public TControl {
public:
    explicit TEdit(TControl* parent, TComponent* owner = nullptr);

    virtual std::string Text() const;
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
    std::string Text() const override;
    // The text as shown, blanks and literals included.
    std::string EditText() const;

private:
    std::string mask_;
    std::vector<bool> literal_; // per shown position
    bool saveLiterals_ = true;
    char blank_ = '_';
};
