#pragma once
// Flat buttons that a click never gives the focus (Tab reaches them, Space presses
// them). With a group index they stay down when clicked and release the others of their
// group on the same parent; with AllowAllUp a click on the down button releases it.
// Setting Down fires no click.

#include "Control.h"

#include <string>

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TControl* parent, TComponent* owner = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);

    virtual void Click();
    TNotifyEvent OnClick;

private:
    void ShowState();
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
};
