#pragma once
// No exception may cross Qt's event loop: every dispatch from the window system into
// framework or program code runs inside Guarded, which reports what escapes through the
// application's exception display and carries on.

#include <exception>
#include <functional>
#include <utility>

// Shows an exception as the framework does: a stop box titled with the application
// title. Replaceable (tests count reports); an empty handler restores the default.
void ShowException(const std::exception& e);
std::function<void(const std::exception&)>
SetExceptionHandler(std::function<void(const std::exception&)> handler);

void ReportUnknownException();

template <class F> void Guarded(F&& f) noexcept {
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        try {
            ShowException(e);
        } catch (...) {
        }
    } catch (...) {
        try {
            ReportUnknownException();
        } catch (...) {
        }
    }
}
