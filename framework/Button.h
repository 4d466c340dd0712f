#pragma once
// Push buttons. A click sets the form's ModalResult to the button's, then fires
// OnClick, whose handler may set it back to mrNone to keep a dialog open. Default
// buttons take Enter, cancel buttons Esc.

#include "Control.h"

#include <string>

class TButton : public TControl {
public:
    explicit TButton(TControl* parent, TComponent* owner = nullptr);

    std::string Caption() const;
    void SetCaption(const std::string& value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    // Drawn with the default frame; the form keeps it on its one default button.
    void ShowAsDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // What a mouse click, Space, or Enter/Esc on the form does.
    virtual void Click();
    TNotifyEvent OnClick;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};
