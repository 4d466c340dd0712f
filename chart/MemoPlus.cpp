#include "MemoPlus.h"

TMemoPlus::TMemoPlus(TControl* parent, TComponent* owner) : TMemo(parent, owner) {
    SetAutoVScroll(false);
}

void TMemoPlus::SetAutoScroll(bool value) {
    if (value != AutoVScroll()) SetAutoVScroll(value);
}
