// The window events of a form: the close box, activation, file drops and the keys no
// control used. Files dropped on any control of a form that accepts them go to the form,
// as the system hands them to the window that registered for them.
#include "Control_p.h"
#include "Dispatch.h"
#include "Form.h"
#include "QtText_p.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace {
std::vector<std::string> LocalFiles(const QMimeData* mime) {
    std::vector<std::string> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(StdFileName(url.toLocalFile()));
    return files;
}
} // namespace

bool FileDropEvent(TCustomForm& form, QEvent* e) {
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(e);
        if (!form.AcceptsFiles() || LocalFiles(d->mimeData()).empty()) return false;
        d->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(e);
        const auto files = LocalFiles(d->mimeData());
        if (!form.AcceptsFiles() || files.empty()) return false;
        d->acceptProposedAction();
        Guarded([&] { form.DropFiles(files); });
        return true;
    }
    default:
        return false;
    }
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
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (!FileDropEvent(form, e)) e->ignore();
        return true;
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
