#include "Form.h"

#include "Application.h"
#include "Button.h"
#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"
#include "Screen.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace {
TModalHook& ModalHook() {
    static TModalHook hook;
    return hook;
}

std::vector<std::string> LocalFiles(const QMimeData* mime) {
    std::vector<std::string> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

int ScaleInt(int value, int m, int d) {
    const long long p = static_cast<long long>(value) * m;
    return static_cast<int>((p >= 0 ? p + d / 2 : p - d / 2) / d);
}

void ScaleChildren(QWidget& parent, int m, int d) {
    for (QObject* child : parent.children()) {
        auto* w = dynamic_cast<ControlWidget*>(child);
        if (!w) continue;
        const QRect g = w->geometry();
        w->setGeometry(ScaleInt(g.x(), m, d), ScaleInt(g.y(), m, d), ScaleInt(g.width(), m, d),
                       ScaleInt(g.height(), m, d));
        ScaleChildren(*w, m, d);
    }
}

void ScaleFonts(QWidget& root, int m, int d) {
    QList<QWidget*> all = root.findChildren<QWidget*>();
    all.prepend(&root);
    for (QWidget* w : all) {
        if (w != &root && !w->testAttribute(Qt::WA_SetFont)) continue;
        QFont f = w->font();
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, ScaleInt(f.pixelSize(), m, d)));
        else
            f.setPointSizeF(f.pointSizeF() * m / d);
        w->setFont(f);
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
} // namespace

struct TCustomForm::Loop {
    QEventLoop loop;
};

TModalHook SetModalHook(TModalHook hook) {
    return std::exchange(ModalHook(), std::move(hook));
}

TCustomForm::TCustomForm(TComponent* owner) : TControl(nullptr, owner), color_(clBtnFace) {
    QWidget& w = WidgetOf(*this);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.setAutoFillBackground(true);
    w.setFocusPolicy(Qt::NoFocus);
    SetColor(clBtnFace);
}

TCustomForm::~TCustomForm() {
    if (loop_) loop_->loop.exit(0);
}

std::string TCustomForm::Caption() const {
    return StdStr(WidgetOf(*this).windowTitle());
}
void TCustomForm::SetCaption(const std::string& value) {
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
    if (visible) w.show();
}

void TCustomForm::SetClientSize(int width, int height) {
    SetBounds(Left(), Top(), width, height);
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
        if (borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow)
            w.setFixedSize(w.size());
    }
    SetVisible(true);
    w.raise();
    w.activateWindow();
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
    if (d == 0 || m == d) return;
    QWidget& w = WidgetOf(*this);
    ScaleChildren(w, m, d);
    ScaleFonts(w, m, d);
    w.resize(ScaleInt(w.width(), m, d), ScaleInt(w.height(), m, d));
}

void TCustomForm::SetMinTrackSize(int width, int height) {
    WidgetOf(*this).setMinimumSize(width, height);
}
void TCustomForm::SetMaxTrackSize(int width, int height) {
    WidgetOf(*this).setMaximumSize(width > 0 ? width : QWIDGETSIZE_MAX,
                                   height > 0 ? height : QWIDGETSIZE_MAX);
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
    VisitButtons(WidgetOf(*this), [&](TButton& b) {
        if (!b.Visible() || !b.Enabled()) return false;
        if (key == VK_RETURN && b.Focused()) {
            target = &b; // the focused button takes Enter from the default one
            return true;
        }
        if ((key == VK_RETURN && b.Default()) || (key == VK_ESCAPE && b.Cancel())) target = &b;
        return false;
    });
    if (!target) return false;
    target->Click();
    return true;
}

bool FormWindowEvent(TCustomForm& form, QEvent* e) {
    switch (e->type()) {
    case QEvent::Close:
        Guarded([&] { form.Close(); });
        e->ignore(); // the form hides itself, or the application ends
        return true;
    case QEvent::WindowActivate:
        Guarded([&] { form.Activate(); });
        return false;
    case QEvent::WindowDeactivate:
        Guarded([&] { form.Deactivate(); });
        return false;
    case QEvent::DragEnter: {
        auto* d = static_cast<QDragEnterEvent*>(e);
        if (form.AcceptsFiles() && !LocalFiles(d->mimeData()).empty())
            d->acceptProposedAction();
        else
            d->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(e);
        const auto files = LocalFiles(d->mimeData());
        if (!form.AcceptsFiles() || files.empty()) return true;
        d->acceptProposedAction();
        Guarded([&] { form.DropFiles(files); });
        return true;
    }
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        QWidget& w = WidgetOf(form);
        const WORD vk = VirtualKeyOf(*k);
        const bool own = !w.focusWidget() || w.focusWidget() == &w;
        Guarded([&] {
            if (own && form.HandleKey(vk, ShiftOfKeys(k->modifiers()), CharOf(*k)).keyConsumed)
                return;
            form.DialogKey(vk);
        });
        k->accept();
        return true;
    }
    default:
        return false;
    }
}
