#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Control_p.h"
#include "Dispatch.h"
#include "Grid.h"
#include "InplaceEdit.h"
#include "QtText_p.h"
#include "Screen.h"

#include <QApplication>
#include <QEventLoop>

namespace {
TModalHook& ModalHook() {
    static TModalHook hook;
    return hook;
}

// Qt's fonts: the form's, which its controls inherit, and those set on a widget.
void ScaleFonts(QWidget& root, int m, int d) {
    QList<QWidget*> all = root.findChildren<QWidget*>();
    all.prepend(&root);
    for (QWidget* w : all) {
        if (w != &root && !w->testAttribute(Qt::WA_SetFont)) continue;
        QFont f = w->font();
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, MulDiv(f.pixelSize(), m, d)));
        else
            f.setPointSizeF(f.pointSizeF() * m / d);
        w->setFont(f);
    }
}

// Every control below `parent`, also those inside a standard control's own widgets
// (the pages of a page control).
void ScaleControls(QWidget& parent, int m, int d) {
    for (QObject* child : parent.children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w) continue;
        if (auto* cw = dynamic_cast<ControlWidget*>(w)) cw->Control().ChangeScale(m, d);
        ScaleControls(*w, m, d);
    }
}

void VisitButtons(QWidget& root, const std::function<bool(TButton&)>& visit) {
    for (QWidget* w : root.findChildren<QWidget*>()) {
        auto* cw = dynamic_cast<ControlWidget*>(w);
        if (!cw) continue;
        if (auto* b = dynamic_cast<TButton*>(&cw->Control()))
            if (visit(*b)) return;
    }
}

bool Inside(const QWidget* w, const QWidget* ancestor) {
    for (; w; w = w->parentWidget())
        if (w == ancestor) return true;
    return false;
}

// The widgets of `window` that Tab stops at now: in the order of `order`, each control with
// the widgets inside it that no listed control within it holds; any others after them, as
// the window system keeps them.
std::vector<QWidget*> TabStops(QWidget& window, const std::vector<TControl*>& order) {
    auto placeOf = [&](const QWidget* w) {
        std::size_t place = order.size();
        const QWidget* around = nullptr;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const QWidget* c = &WidgetOf(*order[i]);
            if (Inside(w, c) && (!around || Inside(c, around))) {
                place = i;
                around = c;
            }
        }
        return place;
    };
    std::vector<std::vector<QWidget*>> parts(order.size() + 1);
    int guard = 0;
    for (QWidget* w = window.nextInFocusChain(); w && w != &window && ++guard < 100000;
         w = w->nextInFocusChain()) {
        if (w->window() != &window || w->focusProxy()) continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() ||
            !w->isVisibleTo(&window))
            continue;
        parts[placeOf(w)].push_back(w);
    }
    std::vector<QWidget*> stops;
    for (const auto& part : parts)
        stops.insert(stops.end(), part.begin(), part.end());
    return stops;
}

// The focus to the stop after (before) those inside `start`; false when there is none.
bool TabOn(const std::vector<QWidget*>& stops, const QWidget& start, bool forward) {
    const std::size_t n = stops.size();
    std::size_t at = n;
    for (std::size_t i = 0; i < n; ++i)
        if (Inside(stops[i], &start)) {
            at = i;
            if (!forward) break;
        }
    if (at == n) return false;
    for (std::size_t k = 1; k < n; ++k) {
        QWidget* w = stops[(at + (forward ? k : n - k)) % n];
        if (Inside(w, &start)) continue;
        w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}
} // namespace

struct TCustomForm::Loop {
    QEventLoop loop;
};

TModalHook SetModalHook(TModalHook hook) {
    return std::exchange(ModalHook(), std::move(hook));
}

TCustomForm::TCustomForm(TComponent* owner) : TControl(nullptr, owner), color_(clBtnFace) {
    QWidget& w = WidgetOf(*this);
    Internals().framed = true;
    Internals().outer = Internals().placed = w.geometry();
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.setAutoFillBackground(true);
    w.setFocusPolicy(Qt::NoFocus);
    SetColor(clBtnFace);
}

TCustomForm::~TCustomForm() {
    if (loop_) loop_->loop.exit(0);
}

std::string TCustomForm::Caption() const {
    return ShownBytesOr(WidgetOf(*this), WidgetOf(*this).windowTitle());
}
void TCustomForm::SetCaption(const std::string& value) {
    KeepShownBytes(WidgetOf(*this), value);
    WidgetOf(*this).setWindowTitle(QStr(value));
}

void TCustomForm::SetColor(TColor value) {
    color_ = value;
    const TColor rgb = ColorToRGB(value);
    QPalette pal = WidgetOf(*this).palette();
    pal.setColor(QPalette::Window, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    WidgetOf(*this).setPalette(pal);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    borderStyle_ = value;
    ApplySizeLimits(Width(), Height());
    ApplyWindowFlags();
}
void TCustomForm::SetBorderIcons(bool value) {
    borderIcons_ = value;
    ApplyWindowFlags();
}
void TCustomForm::SetFormStyle(TFormStyle value) {
    formStyle_ = value;
    ApplyWindowFlags();
}

bool TCustomForm::FixedSize() const {
    return borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow;
}

// A fixed border keeps the window at the size the code gives it; otherwise the user
// may drag it between the tracking sizes, and code sizes are held to them as well.
// The sizes are outer ones; Qt limits the inside.
void TCustomForm::ApplySizeLimits(int width, int height) {
    QWidget& w = WidgetOf(*this);
    const QMargins& f = Internals().frame;
    const int fw = f.left() + f.right(), fh = f.top() + f.bottom();
    auto inside = [](int outer, int frame) { return std::max(0, outer - frame); };
    if (FixedSize()) {
        w.setMinimumSize(inside(width, fw), inside(height, fh));
        w.setMaximumSize(inside(width, fw), inside(height, fh));
        return;
    }
    w.setMinimumSize(inside(minTrack_.x, fw), inside(minTrack_.y, fh));
    w.setMaximumSize(maxTrack_.x > 0 ? inside(maxTrack_.x, fw) : QWIDGETSIZE_MAX,
                     maxTrack_.y > 0 ? inside(maxTrack_.y, fh) : QWIDGETSIZE_MAX);
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (!FixedSize()) {
        width = std::max(width, minTrack_.x);
        height = std::max(height, minTrack_.y);
        if (maxTrack_.x > 0) width = std::min(width, maxTrack_.x);
        if (maxTrack_.y > 0) height = std::min(height, maxTrack_.y);
    }
    ApplySizeLimits(width, height);
    TControl::SetBounds(left, top, width, height);
}

void TCustomForm::FrameChanged() {
    ApplySizeLimits(Width(), Height());
}

void TCustomForm::ApplyWindowFlags() {
    QWidget& w = WidgetOf(*this);
    const bool visible = w.isVisible();
    Qt::WindowFlags f = Qt::Window;
    switch (borderStyle_) {
    case bsNone:
        f |= Qt::FramelessWindowHint;
        break;
    case bsDialog:
        f = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        f = Qt::Tool;
        break;
    default:
        break;
    }
    if (!borderIcons_) f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (formStyle_ == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    w.setWindowFlags(f);
    // Qt makes the window anew and moves its inside to where the frame was.
    SetBounds(Left(), Top(), Width(), Height());
    if (visible) SetVisible(true);
}

void TCustomForm::SetClientSize(int width, int height) {
    SyncWindowFrame();
    const QMargins& f = Internals().frame;
    SetBounds(Left(), Top(), width + f.left() + f.right(), height + f.top() + f.bottom());
}

void TCustomForm::CenterOnScreen() {
    const TRect area = Screen->WorkAreaRect();
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
              Width(), Height());
}

void TCustomForm::Show() {
    QWidget& w = WidgetOf(*this);
    if (!w.isVisible()) {
        DoShow();
        if (position_ == poScreenCenter) CenterOnScreen();
    }
    SetVisible(true);
    // A window that never had the focus starts at the first control in its tab order.
    if (!tabOrder_.empty() && !w.focusWidget())
        if (const std::vector<QWidget*> stops = TabStops(w, tabOrder_); !stops.empty())
            stops.front()->setFocus(Qt::TabFocusReason);
    w.raise();
    if (showActivates_) w.activateWindow();
}

void TCustomForm::SetShowActivates(bool value) {
    showActivates_ = value;
    WidgetOf(*this).setAttribute(Qt::WA_ShowWithoutActivating, !value);
}

void TCustomForm::Hide() {
    if (WidgetOf(*this).isVisible()) DoHide();
    SetVisible(false);
}

void TCustomForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    else
        Hide();
}

void TCustomForm::SetModalResult(TModalResult value) {
    modalResult_ = value;
    if (value != mrNone && loop_) loop_->loop.exit(0);
}

TModalResult TCustomForm::ShowModal() {
    if (modal_) return mrNone;
    modal_ = true;
    modalResult_ = mrNone;
    QWidget& w = WidgetOf(*this);
    if (w.isVisible()) w.hide(); // modality changes only while hidden
    w.setWindowModality(Qt::ApplicationModal);
    Show();
    if (ModalHook()) {
        const TModalResult r = ModalHook()(*this);
        if (modalResult_ == mrNone) modalResult_ = r == mrNone ? mrCancel : r;
    } else {
        Loop loop;
        loop_ = &loop;
        while (modalResult_ == mrNone && w.isVisible() &&
               !(Application && Application->Terminated())) {
            loop.loop.exec();
            if (modalResult_ != mrNone) {
                // The close step may refuse (caNone) and keep the dialog open.
                TCloseAction action = caHide;
                DoClose(action);
                if (action == caNone) modalResult_ = mrNone;
            }
        }
        loop_ = nullptr;
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        modal_ = false;
        Hide();
        w.setWindowModality(Qt::NonModal);
        return modalResult_;
    }
    TCloseAction action = caHide;
    DoClose(action);
    modal_ = false;
    Hide();
    w.setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TCustomForm::ScaleBy(int m, int d) {
    if (m <= 0 || d <= 0 || m == d) return;
    QWidget& w = WidgetOf(*this);
    // Qt's fonts first: controls with a font of their own set theirs again below.
    ScaleFonts(w, m, d);
    ScaleControls(w, m, d);
    font_.SetHeight(MulDiv(font_.Height(), m, d));
    // The inside scales; the frame stays as the system draws it.
    SetClientSize(MulDiv(ClientWidth(), m, d), MulDiv(ClientHeight(), m, d));
}

void TCustomForm::SetMinTrackSize(int width, int height) {
    minTrack_ = {std::max(0, width), std::max(0, height)};
    ApplySizeLimits(Width(), Height());
}
void TCustomForm::SetMaxTrackSize(int width, int height) {
    maxTrack_ = {std::max(0, width), std::max(0, height)};
    ApplySizeLimits(Width(), Height());
}

void TCustomForm::DragAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    WidgetOf(*this).setAcceptDrops(accept);
}

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}
void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}
void TCustomForm::DropFiles(const std::vector<std::string>& files) {
    if (OnDropFiles) OnDropFiles(this, files);
}

void TCustomForm::Paint(TPaintContext&) {
    if (OnPaint) OnPaint(this);
}
void TCustomForm::Resized() {
    if (OnResize) OnResize(this);
}

bool TCustomForm::DialogKey(WORD key) {
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    TButton* target = nullptr;
    if (key == VK_RETURN) {
        target = DefaultButton();
    } else {
        VisitButtons(WidgetOf(*this), [&](TButton& b) {
            if (b.Visible() && WidgetOf(b).isEnabled() && b.Cancel()) target = &b;
            return false;
        });
    }
    if (!target) return false;
    target->Click();
    return true;
}

namespace {
// The button whose own Qt control is `w`, if any.
TButton* ButtonOfInner(QWidget* w) {
    auto* cw = w ? dynamic_cast<ControlWidget*>(w->parentWidget()) : nullptr;
    auto* b = cw ? dynamic_cast<TButton*>(&cw->Control()) : nullptr;
    return b && InnerOf(*b) == w ? b : nullptr;
}
} // namespace

TButton* TCustomForm::DefaultButton() const {
    const QWidget& window = WidgetOf(*this);
    TButton* last = nullptr;
    int guard = 0;
    for (QWidget* w = window.nextInFocusChain(); w && w != &window && ++guard < 100000;
         w = w->nextInFocusChain()) {
        TButton* b = ButtonOfInner(w);
        if (!b || !w->isVisibleTo(&window) || !w->isEnabled()) continue;
        if (b->Focused()) return b; // the focused button takes Enter from the default one
        if (b->Default()) last = b;
    }
    return last;
}

void TCustomForm::UpdateDefaultLook() {
    TButton* chosen = DefaultButton();
    VisitButtons(WidgetOf(*this), [&](TButton& b) {
        b.ShowAsDefault(&b == chosen);
        return false;
    });
}

void TCustomForm::SetTabOrder(std::vector<TControl*> order) {
    tabOrder_ = std::move(order);
}

bool TCustomForm::SelectNext(TControl& from, bool forward) {
    // A grid's editor stands for its grid.
    auto* editor = dynamic_cast<TInplaceEdit*>(&from);
    const QWidget& start = editor ? WidgetOf(editor->Grid()) : WidgetOf(from);
    return TabOn(TabStops(WidgetOf(*this), tabOrder_), start, forward);
}

bool TCustomForm::TabFromFocus(bool forward) {
    QWidget& window = WidgetOf(*this);
    const QWidget* focus = window.focusWidget();
    return !tabOrder_.empty() && focus && TabOn(TabStops(window, tabOrder_), *focus, forward);
}
