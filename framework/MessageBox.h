#pragma once
// Modal message boxes: a text, a title, an icon style and buttons, as flags. Tests
// replace the box with a hook that records the call and returns a scripted answer.

#include <functional>
#include <string>

enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

int MessageBox(const std::string& text, const std::string& title, unsigned flags);

using TMessageBoxHook =
    std::function<int(const std::string& text, const std::string& title, unsigned flags)>;
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);
