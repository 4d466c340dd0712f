#include "SpeedButton.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "Grid.h"
#include "QtText_p.h"

#include <QToolButton>

namespace {
QToolButton& Inner(TControl& c) {
    return *static_cast<QToolButton*>(InnerOf(c));
}
} // namespace

TSpeedButton::TSpeedButton(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* button = new QToolButton(&WidgetOf(*this));
    // A click leaves the focus where it was; the keyboard still reaches the button.
    button->setFocusPolicy(Qt::TabFocus);
    button->setCheckable(true);
    AttachInner(*this, button);
    WidgetOf(*this).setFocusProxy(nullptr);
    WidgetOf(*this).setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button, [this] {
        ShowState(); // Qt toggled the look; the state below decides
        Guarded([&] { Click(); });
    });
    SetBounds(0, 0, 25, 25);
}

std::string TSpeedButton::Caption() const {
    return StdStr(Inner(const_cast<TSpeedButton&>(*this)).text());
}
void TSpeedButton::SetCaption(const std::string& value) {
    Inner(*this).setText(QStr(value));
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (value == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_) return; // the group keeps one button down
    down_ = value;
    if (down_ && Parent()) {
        for (QObject* child : WidgetOf(*Parent()).children()) {
            auto* w = dynamic_cast<ControlWidget*>(child);
            if (!w || &w->Control() == this) continue;
            auto* other = dynamic_cast<TSpeedButton*>(&w->Control());
            if (other && other->groupIndex_ == groupIndex_ && other->down_) {
                other->down_ = false;
                other->ShowState();
            }
        }
    }
    ShowState();
}

void TSpeedButton::ShowState() {
    Inner(*this).setChecked(down_);
}

void TSpeedButton::Click() {
    // The button takes no focus, so a grid being edited would not end its edit itself.
    EndFocusedGridEdit(*this);
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    if (OnClick) OnClick(this);
}
