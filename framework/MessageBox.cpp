#include "MessageBox.h"

#include "QtText_p.h"

#include <QMessageBox>

namespace {
TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconOf(unsigned flags) {
    switch (flags & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}
} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

int MessageBox(const std::string& text, const std::string& title, unsigned flags) {
    if (Hook()) return Hook()(text, title, flags);
    QMessageBox box(IconOf(flags), QStr(title), QStr(text));
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return IDOK;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDCANCEL;
    }
}
