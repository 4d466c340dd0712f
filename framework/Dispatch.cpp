#include "Dispatch.h"

#include "Application.h"
#include "MessageBox.h"

#include <stdexcept>

namespace {
std::function<void(const std::exception&)>& Handler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}
} // namespace

std::function<void(const std::exception&)>
SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    return std::exchange(Handler(), std::move(handler));
}

void ShowException(const std::exception& e) {
    if (Handler()) {
        Handler()(e);
        return;
    }
    std::string title = Application ? Application->Title() : std::string();
    std::string text = e.what();
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBox(text, title, MB_OK | MB_ICONSTOP);
}

void ReportUnknownException() {
    ShowException(std::runtime_error("Unknown exception"));
}
