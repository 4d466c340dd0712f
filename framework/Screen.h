#pragma once
// The screen: its size, the work area (without task bars) and the cursor shown over
// every window. The cursor is a plain setting, not a stack: crDefault removes whatever
// was set, however often. THourGlass shows the hourglass for a scope and puts the
// default back on every way out.

#include "Control.h"
#include "Types.h"

class TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;

private:
    TCursor cursor_ = crDefault;
};

extern TScreen* const Screen;

class THourGlass {
public:
    THourGlass() { Screen->SetCursor(crHourGlass); }
    ~THourGlass() { Screen->SetCursor(crDefault); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;
};
