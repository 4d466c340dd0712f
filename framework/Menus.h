#pragma once
// Pop-up menus: items with a caption, enabled and checked states and OnClick. The menu
// owns its items.

#include "Component.h"
#include "Control.h"

#include <string>
#include <vector>

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner = nullptr) : TComponent(owner) {}
    std::string Caption;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
    TNotifyEvent OnClick;
    virtual void Click() {
        if (Enabled && OnClick) OnClick(this);
    }
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner = nullptr) : TComponent(owner) {}
    // Adds an item owned by the menu.
    TMenuItem* Add(const std::string& caption, TNotifyEvent onClick = nullptr);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    // Shows the menu at a screen point and runs the chosen item's click.
    void Popup(int x, int y);

private:
    std::vector<TMenuItem*> items_;
};
