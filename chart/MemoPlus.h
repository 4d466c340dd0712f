#pragma once
// A memo with a switch for the automatic vertical scroll. Off (the
// default), the memo takes no more lines than its height shows.

#include "Memo.h"

class TMemoPlus : public TMemo {
public:
    explicit TMemoPlus(TControl* parent, TComponent* owner = nullptr);

    bool AutoScroll() const { return AutoVScroll(); }
    void SetAutoScroll(bool value);
};
