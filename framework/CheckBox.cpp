#include "CheckBox.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "FontMap_p.h"
#include "QtText_p.h"

#include <QCheckBox>
#include <QRadioButton>

namespace {
template <class W> W& Inner(const TControl& c) {
    return *static_cast<W*>(InnerOf(const_cast<TControl&>(c)));
}

// A click on the chosen radio button leaves it chosen.
class StickyRadio : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { setChecked(true); }
};
} // namespace

TCheckBox::TCheckBox(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* box = new QCheckBox(&WidgetOf(*this));
    AttachInner(*this, box, false);
    QObject::connect(box, &QCheckBox::toggled, box, [this] {
        Guarded([&] {
            if (OnClick) OnClick(this);
        });
    });
    font_.OnChange = [this](TObject*) {
        ownFont_ = true;
        auto& box = Inner<QCheckBox>(*this);
        box.setFont(QtFontFor(font_));
        QPalette pal = box.palette();
        pal.setColor(QPalette::WindowText, QtColor(font_.Color()));
        box.setPalette(pal);
    };
    SetBounds(0, 0, 97, 17);
}
void TCheckBox::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    if (ownFont_) font_.SetHeight(MulDiv(font_.Height(), m, d));
}
std::string TCheckBox::Caption() const {
    return StdStr(Inner<QCheckBox>(*this).text());
}
void TCheckBox::SetCaption(const std::string& value) {
    Inner<QCheckBox>(*this).setText(QStr(value));
}
bool TCheckBox::Checked() const {
    return Inner<QCheckBox>(*this).isChecked();
}
void TCheckBox::SetChecked(bool value) {
    Inner<QCheckBox>(*this).setChecked(value);
}

TRadioButton::TRadioButton(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* button = new StickyRadio(&WidgetOf(*this));
    button->setAutoExclusive(false); // siblings live in other widgets; done below
    AttachInner(*this, button, false);
    QObject::connect(button, &QRadioButton::toggled, button, [this](bool on) {
        Guarded([&] {
            if (on && Parent())
                for (QObject* child : WidgetOf(*Parent()).children()) {
                    auto* w = dynamic_cast<ControlWidget*>(child);
                    if (!w || &w->Control() == this) continue;
                    if (auto* other = dynamic_cast<TRadioButton*>(&w->Control()))
                        other->SetChecked(false);
                }
            if (on && OnClick) OnClick(this);
        });
    });
    SetBounds(0, 0, 113, 17);
}
std::string TRadioButton::Caption() const {
    return StdStr(Inner<QRadioButton>(*this).text());
}
void TRadioButton::SetCaption(const std::string& value) {
    Inner<QRadioButton>(*this).setText(QStr(value));
}
bool TRadioButton::Checked() const {
    return Inner<QRadioButton>(*this).isChecked();
}
void TRadioButton::SetChecked(bool value) {
    Inner<QRadioButton>(*this).setChecked(value);
}
