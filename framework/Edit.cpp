#include "Edit.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"

#include <QLineEdit>

namespace {
QLineEdit& Inner(const TControl& c) {
    return *static_cast<QLineEdit*>(InnerOf(const_cast<TControl&>(c)));
}

struct QtMaskOf {
    QString mask;
    std::vector<bool> literal;
    bool saveLiterals = true;
    char blank = '_';
};

// Our mask to Qt's, whose letters mean other things ("9" and "0" swap, for one).
QtMaskOf Translate(const std::string& mask) {
    QtMaskOf out;
    std::string body = mask;
    char blank = '_';
    const auto first = body.find(';');
    if (first != std::string::npos) {
        const auto second = body.find(';', first + 1);
        const std::string save = body.substr(first + 1, second - first - 1);
        out.saveLiterals = save != "0";
        if (second != std::string::npos && second + 1 < body.size()) blank = body[second + 1];
        body = body.substr(0, first);
    }
    if (body.empty()) return out;
    static const std::string qtMeta = "AaNnXx90Dd#HhBb><!{}[]\\";
    std::string q;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        char input = 0;
        switch (c) {
        case '0':
            input = '9';
            break;
        case '9':
            input = '0';
            break;
        case 'L':
            input = 'A';
            break;
        case 'l':
            input = 'a';
            break;
        case 'A':
            input = 'N';
            break;
        case 'a':
            input = 'n';
            break;
        case 'C':
            input = 'X';
            break;
        case 'c':
            input = 'x';
            break;
        case '#':
            input = '#';
            break;
        default:
            break;
        }
        if (input) {
            q += input;
            out.literal.push_back(false);
            continue;
        }
        if (c == '<' && i + 1 < body.size() && body[i + 1] == '>') {
            q += '!';
            ++i;
            continue;
        }
        if (c == '>' || c == '<') {
            q += c;
            continue;
        }
        char lit = c;
        if (c == '\\' && i + 1 < body.size())
            lit = body[++i];
        else if (c == '_')
            lit = ' ';
        if (qtMeta.find(lit) != std::string::npos) q += '\\';
        q += lit;
        out.literal.push_back(true);
    }
    out.blank = blank;
    out.mask = QStr(q + ";" + blank);
    return out;
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
    return ShownBytesOr(Inner(*this), Inner(*this).text());
}
void TEdit::SetText(const std::string& value) {
    KeepShownBytes(Inner(*this), value);
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
    const QtMaskOf m = Translate(value);
    literal_ = m.literal;
    saveLiterals_ = m.saveLiterals;
    blank_ = m.blank;
    Inner(*this).setInputMask(m.mask);
}

std::string TMaskEdit::EditText() const {
    return StdStr(Inner(*this).displayText());
}

std::string TMaskEdit::Text() const {
    if (literal_.empty() || saveLiterals_) return TEdit::Text();
    // Positions are characters, as the mask counts them; the text typed is UTF-8.
    const QString shown = Inner(*this).displayText();
    const QChar blank = QChar::fromLatin1(blank_);
    QString out;
    for (qsizetype i = 0; i < shown.size() && std::size_t(i) < literal_.size(); ++i)
        if (!literal_[std::size_t(i)] && shown[i] != blank) out += shown[i];
    return StdStr(out);
}
