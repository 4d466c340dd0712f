#include "Menus.h"

#include "Dispatch.h"
#include "QtText_p.h"

#include <QMenu>

TMenuItem* TPopupMenu::Add(const std::string& caption, TNotifyEvent onClick) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    item->OnClick = std::move(onClick);
    items_.push_back(item);
    return item;
}

void TPopupMenu::Popup(int x, int y) {
    QMenu menu;
    std::vector<std::pair<QAction*, TMenuItem*>> actions;
    for (TMenuItem* item : items_) {
        if (!item->Visible) continue;
        QAction* a = menu.addAction(QStr(item->Caption));
        a->setEnabled(item->Enabled);
        a->setCheckable(item->Checked);
        a->setChecked(item->Checked);
        actions.emplace_back(a, item);
    }
    QAction* chosen = menu.exec(QPoint(x, y));
    for (auto& [a, item] : actions)
        if (a == chosen) Guarded([&] { item->Click(); });
}
