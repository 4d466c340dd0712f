#include "Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
TScreen theScreen;

QRect Geometry(bool available) {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return QRect(0, 0, 1024, 768);
    return available ? s->availableGeometry() : s->geometry();
}
} // namespace

TScreen* const Screen = &theScreen;

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    if (!qGuiApp) return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (value == crHourGlass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (value == crCross)
        QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    else if (value != crDefault)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

int TScreen::Width() const {
    return Geometry(false).width();
}
int TScreen::Height() const {
    return Geometry(false).height();
}
TRect TScreen::WorkAreaRect() const {
    const QRect r = Geometry(true);
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
