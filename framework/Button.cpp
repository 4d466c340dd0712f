#include "Button.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "Form.h"
#include "QtText_p.h"

#include <QPushButton>

namespace {
QPushButton& Inner(TControl& c) {
    return *static_cast<QPushButton*>(InnerOf(c));
}

// Tells the form when the button's part in choosing the default button changes: enabled
// (also through its container) and focus. Later, so that a burst of changes settles.
class PushButton : public QPushButton {
public:
    PushButton(TButton& owner, QWidget* parent) : QPushButton(parent), owner_(owner) {}

protected:
    bool event(QEvent* e) override {
        switch (e->type()) {
        case QEvent::EnabledChange:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (TCustomForm* form = owner_.ParentForm()) form->UpdateDefaultLook();
                },
                Qt::QueuedConnection);
            break;
        default:
            break;
        }
        return QPushButton::event(e);
    }

private:
    TButton& owner_;
};
} // namespace

TButton::TButton(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* button = new PushButton(*this, &WidgetOf(*this));
    button->setAutoDefault(false);
    AttachInner(*this, button);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Guarded([&] { Click(); }); });
    SetBounds(0, 0, 75, 25);
}

std::string TButton::Caption() const {
    return StdStr(Inner(const_cast<TButton&>(*this)).text());
}
void TButton::SetCaption(const std::string& value) {
    Inner(*this).setText(QStr(value));
}

void TButton::SetDefault(bool value) {
    default_ = value;
    if (TCustomForm* form = ParentForm())
        form->UpdateDefaultLook();
    else
        ShowAsDefault(value);
}

void TButton::ShowAsDefault(bool value) {
    if (Inner(*this).isDefault() != value) Inner(*this).setDefault(value);
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    if (OnClick) OnClick(this);
}
