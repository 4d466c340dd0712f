#include "Memo.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "FontMap_p.h"
#include "Form.h"
#include "QtText_p.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {
QPlainTextEdit& Edit(const TControl& c) {
    return *static_cast<QPlainTextEdit*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

class TMemo::LineList : public TStrings {
public:
    explicit LineList(TMemo& memo) : memo_(memo) {}
    int Count() const override {
        const QString text = Edit(memo_).toPlainText();
        return text.isEmpty() ? 0 : static_cast<int>(text.split('\n').size());
    }
    std::string Get(int index) const override {
        Check(index, Count() - 1);
        return StdStr(Edit(memo_).toPlainText().split('\n').at(index));
    }
    void Put(int index, const std::string& value) override {
        Check(index, Count() - 1);
        QStringList l = Edit(memo_).toPlainText().split('\n');
        l[index] = QStr(value);
        Edit(memo_).setPlainText(l.join('\n'));
    }
    void Insert(int index, const std::string& value) override {
        Check(index, Count());
        const QString text = Edit(memo_).toPlainText();
        QStringList l = text.isEmpty() ? QStringList() : text.split('\n');
        l.insert(index, QStr(value));
        Edit(memo_).setPlainText(l.join('\n'));
    }
    void Delete(int index) override {
        Check(index, Count() - 1);
        QStringList l = Edit(memo_).toPlainText().split('\n');
        l.removeAt(index);
        Edit(memo_).setPlainText(l.join('\n'));
    }
    void Clear() override { Edit(memo_).clear(); }

private:
    TMemo& memo_;
};

TMemo::TMemo(TControl* parent, TComponent* owner)
    : TControl(parent, owner), lines_(std::make_unique<LineList>(*this)) {
    auto* edit = new QPlainTextEdit(&WidgetOf(*this));
    edit->setTabChangesFocus(true);
    edit->document()->setDocumentMargin(1); // lines start at the border, as the system's do
    // Lines wrap, a word too long for the width too, so no horizontal scroll bar is ever
    // needed: in a one-row memo it would cover the only row and hide the text typed.
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AttachInner(*this, edit);
    font_.OnChange = [this](TObject*) { Edit(*this).setFont(QtFontFor(font_)); };
    edit->setFont(QtFontFor(font_));
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] {
        Guarded([&] {
            LimitLines();
            if (OnChange) OnChange(this);
        });
    });
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

TStrings& TMemo::Lines() {
    return *lines_;
}
std::string TMemo::Text() const {
    return StdStr(Edit(*this).toPlainText());
}
void TMemo::SetText(const std::string& value) {
    Edit(*this).setPlainText(QStr(value));
}
bool TMemo::ReadOnly() const {
    return Edit(*this).isReadOnly();
}
void TMemo::SetReadOnly(bool value) {
    Edit(*this).setReadOnly(value);
}
void TMemo::SelectAll() {
    Edit(*this).selectAll();
}

// From the memo's own height, so that it holds before the memo is first shown.
int TMemo::VisibleLines() const {
    const QPlainTextEdit& e = Edit(*this);
    const int line = QFontMetrics(e.font()).lineSpacing();
    const int margin = static_cast<int>(e.document()->documentMargin());
    const int room = Height() - 2 * e.frameWidth() - 2 * margin;
    const int n = line > 0 ? room / line : 1;
    return n < 1 ? 1 : n;
}

void TMemo::ChangeScale(int m, int d) {
    TControl::ChangeScale(m, d);
    font_.SetHeight(MulDiv(font_.Height(), m, d));
}

void TMemo::SetAutoVScroll(bool value) {
    autoVScroll_ = value;
    Edit(*this).setVerticalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    LimitLines();
}

// Without the automatic scroll a line that would not show is refused, as the
// system's edit control refuses it.
void TMemo::LimitLines() {
    if (autoVScroll_ || limiting_) return;
    QPlainTextEdit& e = Edit(*this);
    const int limit = VisibleLines();
    if (e.document()->blockCount() <= limit) return;
    limiting_ = true;
    QStringList l = e.toPlainText().split('\n');
    while (l.size() > limit)
        l.removeLast();
    e.setPlainText(l.join('\n'));
    e.moveCursor(QTextCursor::End);
    limiting_ = false;
}

void TMemo::KeyDown(WORD& key, TShiftState shift) {
    TControl::KeyDown(key, shift);
    if (key == VK_RETURN && !wantReturns_) {
        // Enter belongs to the form: its default button.
        if (TCustomForm* form = ParentForm()) {
            key = 0;
            form->DialogKey(VK_RETURN);
        }
    }
}
