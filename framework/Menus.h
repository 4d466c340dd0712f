#pragma once
// Pop-up menus: items with a caption, enabled, checked and visible states and OnClick.
// The menu owns its items. A right click on a control whose PopupMenu is set shows the
// menu while AutoPopup is on. Tests replace the menu's own loop with a hook that picks
// an item, so that no test blocks.

#include "Component.h"
#include "Control.h"

#include <functional>
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

    // Off: a right click shows nothing; Popup still works.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control the menu was last shown for by a right click.
    TControl* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TControl* value) { popupComponent_ = value; }

    // Fires OnPopup, shows the menu at a screen point and clicks the chosen item when
    // it is visible and enabled.
    void Popup(int x, int y);
    TNotifyEvent OnPopup;

private:
    std::vector<TMenuItem*> items_;
    bool autoPopup_ = true;
    TControl* popupComponent_ = nullptr;
};

// The hook gets the menu and the screen point and returns the index (into Items) of the
// item the "user" picks, or -1 to dismiss the menu. An empty hook restores the real menu.
using TPopupHook = std::function<int(TPopupMenu& menu, TPoint at)>;
TPopupHook SetPopupHook(TPopupHook hook);
