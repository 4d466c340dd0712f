#include "Menus.h"

#include "Dispatch.h"
#include "Grid.h"
#include "QtText_p.h"

#include <QMenu>

namespace {
TPopupHook& Hook() {
    static TPopupHook hook;
    return hook;
}

// The real menu; returns the chosen item's index or -1.
int RunMenu(const std::vector<TMenuItem*>& items, int x, int y) {
    QMenu menu;
    std::vector<QAction*> actions(items.size(), nullptr);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TMenuItem& item = *items[i];
        if (!item.Visible) continue;
        QAction* a = menu.addAction(QStr(item.Caption));
        a->setEnabled(item.Enabled);
        a->setCheckable(item.Checked);
        a->setChecked(item.Checked);
        actions[i] = a;
    }
    QAction* chosen = menu.exec(QPoint(x, y));
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && actions[i] == chosen) return static_cast<int>(i);
    return -1;
}
} // namespace

TPopupHook SetPopupHook(TPopupHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

TMenuItem* TPopupMenu::Add(const std::string& caption, TNotifyEvent onClick) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    item->OnClick = std::move(onClick);
    items_.push_back(item);
    return item;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    const int chosen = Hook() ? Hook()(*this, TPoint{x, y}) : RunMenu(items_, x, y);
    if (chosen < 0 || chosen >= Count()) return;
    TMenuItem* item = items_[static_cast<std::size_t>(chosen)];
    // A hook may pick what a user could not.
    if (!item->Visible || !item->Enabled) return;
    // The command acts on the grid it was opened on: an edit there ends first.
    if (auto* grid = dynamic_cast<TCustomGrid*>(popupComponent_)) grid->EndEditForChange();
    item->Click();
}
