#include "DateText.h"

#include <QDate>
#include <QLocale>

#include <utility>

namespace {
TDateHook& Hook() {
    static TDateHook hook;
    return hook;
}
} // namespace

std::string ShortDateText() {
    if (Hook()) return Hook()();
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

TDateHook SetDateHook(TDateHook hook) { return std::exchange(Hook(), std::move(hook)); }
