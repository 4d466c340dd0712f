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
} // namespace

TButton::TButton(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* button = new QPushButton(&WidgetOf(*this));
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
    Inner(*this).setDefault(value);
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    if (OnClick) OnClick(this);
}
