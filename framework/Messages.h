#pragma once
// Window messages sent or posted to a control: a number and two parameters. Posted
// messages are delivered in order after the current input has been handled; those
// posted to a control that is destroyed meanwhile are dropped.

#include <cstdint>

constexpr unsigned WM_USER = 0x0400;

struct TMessage {
    unsigned Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

using WORD = std::uint16_t;

// Virtual key codes of the keys the program handles.
enum : WORD {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_F1 = 112,
    VK_F2 = 113,
    VK_F12 = 123
};
