#include "Application.h"

#include "Control_p.h"
#include "Dispatch.h"
#include "QtText_p.h"
#include "services/SystemHooks.h"

#include <QApplication>
#include <QLocale>
#include <QProxyStyle>
#include <QToolTip>

#include <algorithm>
#include <clocale>

TApplication* Application = nullptr;

namespace {
std::function<void()>& QuitHook() {
    static std::function<void()> hook;
    return hook;
}

// Qt asks its style how long the mouse must rest before a tooltip; this one answers
// with the application's HintPause, read at each ask so that a change applies at once.
class HintPauseStyle : public QProxyStyle {
public:
    explicit HintPauseStyle(const QString& base) : QProxyStyle(base) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay && Application)
            return std::max(0, Application->HintPause);
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

void InstallHintPauseStyle() {
    QStyle* current = QApplication::style();
    if (dynamic_cast<HintPauseStyle*>(current)) return;
    QApplication::setStyle(new HintPauseStyle(current ? current->name() : QString()));
}
} // namespace

std::function<void()> SetQuitHook(std::function<void()> hook) {
    return std::exchange(QuitHook(), std::move(hook));
}

TApplication::TApplication(int& argc, char** argv) {
    for (int i = 0; i < argc; ++i)
        args_.emplace_back(argv[i]);
    if (!QApplication::instance()) qapp_ = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallHintPauseStyle();
    // A handler set before (a test counting beeps) stays in place.
    previousBeep_ = SetBeepHandler([](unsigned, unsigned) { QApplication::beep(); });
    if (previousBeep_) SetBeepHandler(previousBeep_);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                     [this](Qt::ApplicationState state) {
                         Guarded([&] {
                             if (state == Qt::ApplicationActive && OnActivate) OnActivate(this);
                             if (state != Qt::ApplicationActive && OnDeactivate) OnDeactivate(this);
                         });
                     });
    Application = this;
}

TApplication::~TApplication() {
    DestroyForms();
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    forms_.clear();
    mainForm_ = nullptr;
    if (!previousBeep_) SetBeepHandler(nullptr);
    if (Application == this) Application = nullptr;
    if (qApp) QObject::disconnect(qApp, &QGuiApplication::applicationStateChanged, qApp, nullptr);
    qapp_.reset();
}

void TApplication::DestroyForms() {
    if (formsDestroyed_) return;
    formsDestroyed_ = true;
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
        TCustomForm* form = *it;
        Guarded([&] { form->DoDestroy(); });
    }
}

void TApplication::Run() {
    if (terminated_) return;
    if (mainForm_) Guarded([&] { mainForm_->Show(); });
    if (terminated_) return;
    if (QuitHook()) return; // tests never block on the loop
    QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    if (QuitHook()) {
        QuitHook()();
        return;
    }
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The title is the program's own (message boxes, the exception display); it is not
// handed to Qt as the display name, which Qt would append to every window's title.
void TApplication::SetTitle(const std::string& value) {
    title_ = value;
}

std::string TApplication::ParamStr(int index) const {
    if (index < 0 || index >= static_cast<int>(args_.size())) return {};
    return args_[static_cast<std::size_t>(index)];
}

char TApplication::LocaleDecimalSeparator() {
    const QString sep = QLocale::system().decimalPoint();
    return sep == QStringLiteral(",") ? ',' : '.';
}

void TApplication::CancelHint() {
    QToolTip::hideText();
}

bool TApplication::ActivateHint(TControl& control, TPoint cursorPos) {
    if (!control.ShowHint()) return false;
    THintInfo info;
    info.HintControl = &control;
    info.CursorPos = cursorPos;
    const TPoint screen = control.ClientToScreen(cursorPos);
    info.HintPos = {screen.x, screen.y + 20};
    info.CursorRect = {0, 0, control.Width(), control.Height()};
    info.HideTimeout = HintHidePause;
    std::string hint = control.Hint();
    bool canShow = true;
    if (OnShowHint) OnShowHint(hint, canShow, info);
    if (canShow && !hint.empty())
        QToolTip::showText(QPoint(info.HintPos.x, info.HintPos.y), QStr(hint), &WidgetOf(control),
                           QRect(), info.HideTimeout);
    else
        QToolTip::hideText();
    return true;
}

bool ShowControlHint(TControl& control, QPoint localPos) {
    if (!Application) return false;
    return Application->ActivateHint(control, {localPos.x(), localPos.y()});
}
