#include "InplaceEdit.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "Grid.h"
#include "Menus.h"
#include "QtText_p.h"

#include <QContextMenuEvent>
#include <QLineEdit>

namespace {
constexpr unsigned kTypeChar = WM_USER + 0x7F00;

// A right click in the editor shows the grid's own pop-up menu while the grid offers
// one (the editor stands for the cell), else the editor's text menu.
class GridMenuFilter : public QObject {
public:
    GridMenuFilter(TCustomGrid& grid, QObject* parent) : QObject(parent), grid_(grid) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::ContextMenu) return false;
        TPopupMenu* menu = grid_.PopupMenu();
        if (!menu || !menu->AutoPopup()) return false;
        const QPoint at = static_cast<QContextMenuEvent*>(e)->globalPos();
        Guarded([&] {
            menu->SetPopupComponent(&grid_);
            menu->Popup(at.x(), at.y());
        });
        return true;
    }

private:
    TCustomGrid& grid_;
};

QLineEdit& Line(const TControl& c) {
    return *static_cast<QLineEdit*>(InnerOf(const_cast<TControl&>(c)));
}
} // namespace

TInplaceEdit::TInplaceEdit(TCustomGrid& grid) : TControl(&grid), grid_(grid) {
    SetVisible(false);
    auto* line = new QLineEdit(&WidgetOf(*this));
    line->setFrame(false);
    AttachInner(*this, line, false);
    line->installEventFilter(new GridMenuFilter(grid, line));
    QObject::connect(line, &QLineEdit::textChanged, line, [this](const QString& text) {
        if (loading_) return;
        // Into the cell the editor was loaded for; a closed editor writes nowhere.
        const TGridCoord at = grid_.EditorCell();
        if (at.X < 0 || at.Y < 0) return;
        Guarded([&] { grid_.SetEditText(at.X, at.Y, StdStr(text)); });
    });
    SetFont(grid.Font());
}

TInplaceEdit::~TInplaceEdit() = default;

std::string TInplaceEdit::Text() const {
    return StdStr(Line(*this).text());
}
void TInplaceEdit::SetText(const std::string& value) {
    Line(*this).setText(QStr(value));
}
void TInplaceEdit::SelectAll() {
    Line(*this).selectAll();
}
void TInplaceEdit::Deselect() {
    Line(*this).deselect();
}
int TInplaceEdit::SelStart() const {
    const QLineEdit& e = Line(*this);
    return e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
}
int TInplaceEdit::SelLength() const {
    return static_cast<int>(Line(*this).selectedText().size());
}
void TInplaceEdit::SetSelStart(int value) {
    Line(*this).setCursorPosition(value);
}
void TInplaceEdit::SetSelLength(int value) {
    Line(*this).setSelection(SelStart(), value);
}

void TInplaceEdit::SetFont(const TFont& font) {
    font_.Assign(font);
    QFont f = Line(*this).font();
    if (!font.Name().empty()) f.setFamily(QStr(font.Name()));
    if (font.Height() < 0) f.setPixelSize(-font.Height());
    f.setBold(font.Style() & fsBold);
    f.setItalic(font.Style() & fsItalic);
    Line(*this).setFont(f);
    const TColor rgb = ColorToRGB(font.Color());
    QPalette pal = Line(*this).palette();
    pal.setColor(QPalette::Text, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    Line(*this).setPalette(pal);
}

void TInplaceEdit::SetColor(TColor value) {
    color_ = value;
    const TColor rgb = ColorToRGB(value);
    QPalette pal = Line(*this).palette();
    pal.setColor(QPalette::Base, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    Line(*this).setPalette(pal);
}

void TInplaceEdit::SetTextAlignment(int value) {
    if (value == alignment_) return;
    alignment_ = value;
    Line(*this).setAlignment(value == 2   ? Qt::AlignRight | Qt::AlignVCenter
                             : value == 1 ? Qt::AlignHCenter | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter);
    SelectAll();
}

void TInplaceEdit::UpdateContents() {
    loading_ = true;
    SetText(grid_.GetEditText(grid_.Col(), grid_.Row()));
    loading_ = false;
    SelectAll();
}

void TInplaceEdit::MoveTo(const TRect& rect) {
    SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
    const QLineEdit& e = Line(*this);
    const int len = static_cast<int>(e.text().size());
    bool toGrid = false;
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        toGrid = true;
        break;
    case VK_TAB:
        toGrid = !(shift & ssAlt);
        break;
    case VK_LEFT:
        toGrid = SelStart() == 0 && SelLength() == 0;
        break;
    case VK_RIGHT:
        toGrid = e.cursorPosition() == len && SelLength() == 0;
        break;
    default:
        break;
    }
    if (toGrid) {
        grid_.KeyDown(key, shift);
        key = 0;
        return;
    }
    if (grid_.OnKeyDown) grid_.OnKeyDown(&grid_, key, shift);
    if (key != 0) TControl::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(char& key) {
    grid_.KeyPress(key);
    switch (key) {
    case 9:
    case 27:
        key = 0;
        break;
    case 13:
        if (SelStart() == 0 && SelLength() == static_cast<int>(Line(*this).text().size()))
            Deselect();
        else
            SelectAll();
        key = 0;
        break;
    default:
        break;
    }
}

void TInplaceEdit::DefaultChar(char ch) {
    QLineEdit& e = Line(*this);
    if (ch == 8)
        e.backspace();
    else if (static_cast<unsigned char>(ch) >= 32)
        e.insert(QStr(std::string(1, ch)));
}

void TInplaceEdit::TypeChar(char ch) {
    char c = ch;
    WMChar(c);
    if (c != 0) DefaultChar(c);
}

void TInplaceEdit::WndProc(TMessage& message) {
    if (message.Msg == kTypeChar) {
        TypeChar(static_cast<char>(message.WParam));
        return;
    }
    TControl::WndProc(message);
}

void TInplaceEdit::HandleEnter() {
    grid_.HandleEnter();
}
void TInplaceEdit::HandleExit() {
    grid_.HandleExit();
}
bool TInplaceEdit::WantTab() const {
    return grid_.WantTab();
}
