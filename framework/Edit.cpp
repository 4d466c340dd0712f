#include "Edit.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QLineEdit>

namespace {
QLineEdit& Inner(const TControl& c) {
    return *static_cast<QLineEdit*>(InnerOf(const_cast<TControl&>(c)));
}

// Our masks to Qt's: the blank character section becomes Qt's, ";0"/";1" are dropped.
QString QtMask(const std::string& mask) {
    std::string body = mask;
    char blank = '_';
    const auto first = body.find(';');
    if (first != std::string::npos) {
        const auto second = body.find(';', first + 1);
        if (second != std::string::npos && second + 1 < body.size()) blank = body[second + 1];
        body = body.substr(0, first);
    }
    if (body.empty()) return {};
    return QStr(body + ";" + blank);
}
} // namespace

TEdit::TEdit(TControl* parent, TComponent* owner) : TControl(parent, owner) {
    auto* edit = new QLineEdit(&WidgetOf(*this));
    AttachInner(*this, edit);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] {
        Guarded([&] {
            if (OnChange) OnChange(this);
        });
    });
    SetBounds(0, 0, 121, 21);
}

std::string TEdit::Text() const {
    return StdStr(Inner(*this).text());
}
void TEdit::SetText(const std::string& value) {
    Inner(*this).setText(QStr(value));
}
int TEdit::MaxLength() const {
    const int n = Inner(*this).maxLength();
    return n >= 32767 ? 0 : n;
}
void TEdit::SetMaxLength(int value) {
    Inner(*this).setMaxLength(value > 0 ? value : 32767);
}
bool TEdit::ReadOnly() const {
    return Inner(*this).isReadOnly();
}
void TEdit::SetReadOnly(bool value) {
    Inner(*this).setReadOnly(value);
}
void TEdit::SelectAll() {
    Inner(*this).selectAll();
}
int TEdit::SelStart() const {
    const QLineEdit& e = Inner(*this);
    return e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
}
int TEdit::SelLength() const {
    return static_cast<int>(Inner(*this).selectedText().size());
}
void TEdit::SetSelStart(int value) {
    Inner(*this).setCursorPosition(value);
}
void TEdit::SetSelLength(int value) {
    QLineEdit& e = Inner(*this);
    e.setSelection(SelStart(), value);
}

void TEdit::DefaultChar(char ch) {
    QLineEdit& e = Inner(*this);
    if (ch == 8)
        e.backspace();
    else if (static_cast<unsigned char>(ch) >= 32)
        e.insert(QStr(std::string(1, ch)));
}

TMaskEdit::TMaskEdit(TControl* parent, TComponent* owner) : TEdit(parent, owner) {}

void TMaskEdit::SetEditMask(const std::string& value) {
    mask_ = value;
    Inner(*this).setInputMask(QtMask(value));
}
