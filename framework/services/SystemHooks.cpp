#include "services/SystemHooks.h"

#include <chrono>
#include <unistd.h>

namespace {

std::function<std::uint32_t()>& TickSource() {
    static std::function<std::uint32_t()> source;
    return source;
}

std::function<void(unsigned, unsigned)>& BeepHandler() {
    static std::function<void(unsigned, unsigned)> handler;
    return handler;
}

} // namespace

std::uint32_t GetTickCount() {
    if (TickSource()) return TickSource()();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::function<std::uint32_t()> SetTickCountSource(std::function<std::uint32_t()> source) {
    std::swap(TickSource(), source);
    return source;
}

void Beep(unsigned frequencyHz, unsigned durationMs) {
    if (BeepHandler()) {
        BeepHandler()(frequencyHz, durationMs);
    } else if (::isatty(STDERR_FILENO)) {
        [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, "\a", 1);
    }
}

std::function<void(unsigned, unsigned)>
SetBeepHandler(std::function<void(unsigned, unsigned)> handler) {
    std::swap(BeepHandler(), handler);
    return handler;
}
