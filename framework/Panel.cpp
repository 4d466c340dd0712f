#include "Panel.h"

#include "Control_p.h"
#include "FontMap_p.h"
#include "QtText_p.h"

#include <QGroupBox>
#include <QLabel>

namespace {
template <class W> W& Inner(const TControl& c) {
    return *static_cast<W*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

TPanel::TPanel(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* frame = new QLabel(&WidgetOf(*this));
    frame->setAlignment(Qt::AlignCenter);
    frame->setAutoFillBackground(true);
    AttachInner(*this, frame);
    WidgetOf(*this).setFocusProxy(nullptr);
    SetBevelOuter(bvRaised);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

std::string TPanel::Caption() const {
    return StdStr(Inner<QLabel>(*this).text());
}
void TPanel::SetCaption(const std::string& value) {
    Inner<QLabel>(*this).setText(QStr(value));
}

void TPanel::SetBevelOuter(TBevelCut value) {
    bevelOuter_ = value;
    auto& frame = Inner<QLabel>(*this);
    frame.setFrameShape(value == bvNone ? QFrame::NoFrame : QFrame::Panel);
    frame.setFrameShadow(value == bvLowered ? QFrame::Sunken : QFrame::Raised);
}

void TPanel::SetColor(TColor value) {
    color_ = value;
    const TColor rgb = ColorToRGB(value);
    auto& frame = Inner<QLabel>(*this);
    QPalette pal = frame.palette();
    pal.setColor(QPalette::Window, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    frame.setPalette(pal);
}

TGroupBox::TGroupBox(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* box = new QGroupBox(&WidgetOf(*this));
    box->setAutoFillBackground(true);
    AttachInner(*this, box);
    WidgetOf(*this).setFocusProxy(nullptr);
    font_.OnChange = [this](TObject*) {
        ownFont_ = true;
        auto& box = Inner<QGroupBox>(*this);
        box.setFont(QtFontFor(font_));
        QPalette pal = box.palette();
        pal.setColor(QPalette::WindowText, QtColor(font_.Color()));
        box.setPalette(pal);
    };
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::SetColor(TColor value) {
    color_ = value;
    auto& box = Inner<QGroupBox>(*this);
    QPalette pal = box.palette();
    pal.setColor(QPalette::Window, QtColor(value));
    box.setPalette(pal);
}

void TGroupBox::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    if (ownFont_) font_.SetHeight(MulDiv(font_.Height(), m, d));
}

std::string TGroupBox::Caption() const {
    return StdStr(Inner<QGroupBox>(*this).title());
}
void TGroupBox::SetCaption(const std::string& value) {
    Inner<QGroupBox>(*this).setTitle(QStr(value));
}
