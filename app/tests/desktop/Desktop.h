#pragma once
// A desktop of its own for one test: an Xvfb display with the openbox window manager,
// the program started on it with the xcb platform, real mouse and keyboard input from
// xdotool, window frames read by xwininfo and pixels by xwd. Every process is ended by
// its id when the test ends; tests running at once each get a free display.

#include "MissingTool.h"
#include "ScratchFiles.h"
#include "ShellOutput.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace desktop {

// The tools, each with the Debian package that brings it.
inline std::string MissingTools() {
    const std::pair<const char*, const char*> tools[] = {
        {"/usr/bin/Xvfb", "xvfb"},          {"/usr/bin/openbox", "openbox"},
        {"/usr/bin/xwininfo", "x11-utils"}, {"/usr/bin/xprop", "x11-utils"},
        {"/usr/bin/xdotool", "xdotool"},    {"/usr/bin/xwd", "x11-apps"}};
    std::string missing;
    for (const auto& [path, package] : tools)
        if (!std::filesystem::exists(path))
            missing += std::string(" ") + path + " (" + package + ")";
    return missing;
}

// A rectangle on the screen: left, top, width, height.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool operator==(const Box&) const = default;
    bool Inside(int screenW, int screenH) const {
        return x >= 0 && y >= 0 && Right() <= screenW && Bottom() <= screenH;
    }
    bool Overlaps(const Box& o) const {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
};
inline std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << b.w << "x" << b.h << "+" << b.x << "+" << b.y;
}

// Polls `ready` until it holds or `seconds` pass.
inline bool WaitFor(const std::function<bool()>& ready, double seconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// Starts `argv` with `env` added to this process's environment, in `dir`, its output to
// `log`; `keepFd` stays open in the child.
inline pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                   const std::string& dir, const std::string& log, int keepFd = -1) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // Ends with the test even when the test dies without its destructors.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) ::_exit(127);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        ::dup2(out, 1);
        ::dup2(out, 2);
    }
    for (const std::string& e : env)
        ::putenv(::strdup(e.c_str()));
    if (keepFd >= 0) ::fcntl(keepFd, F_SETFD, 0);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
}

// Ends a process started here: politely, then for good.
inline void End(pid_t& pid) {
    if (pid <= 0) return;
    ::kill(pid, SIGTERM);
    if (!WaitFor([&] { return ::waitpid(pid, nullptr, WNOHANG) == pid; }, 5)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

// An image read from xwd's dump of one window.
struct Pixels {
    int w = 0, h = 0;
    std::vector<std::uint32_t> rgb; // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y * w + x)]; }
};

inline std::optional<Pixels> ParseXwd(const std::string& d) {
    auto card = [&](std::size_t i) {
        const auto* p = reinterpret_cast<const unsigned char*>(d.data()) + 4 * i;
        return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
               p[3];
    };
    if (d.size() < 100) return std::nullopt;
    const std::uint32_t headerSize = card(0), w = card(4), h = card(5), byteOrder = card(7),
                        bpp = card(11), bpl = card(12), redMask = card(14), greenMask = card(15),
                        blueMask = card(16), colours = card(19);
    const std::size_t start = headerSize + std::size_t{colours} * 12;
    if ((bpp != 24 && bpp != 32) || w == 0 || h == 0 || w > 10000 || h > 10000 ||
        d.size() < start + std::size_t{bpl} * h)
        return std::nullopt;
    auto channel = [](std::uint32_t v, std::uint32_t mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return mask ? ((v >> shift) & mask) * 255 / mask : 0;
    };
    Pixels img{static_cast<int>(w), static_cast<int>(h), {}};
    img.rgb.reserve(std::size_t{w} * h);
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(d.data()) + start +
                            std::size_t{y} * bpl + std::size_t{x} * (bpp / 8);
            std::uint32_t v = 0;
            for (std::uint32_t b = 0; b < bpp / 8; ++b)
                v |= std::uint32_t{p[b]} << (byteOrder == 0 ? 8 * b : 8 * (bpp / 8 - 1 - b));
            img.rgb.push_back(channel(v, redMask) << 16 | channel(v, greenMask) << 8 |
                              channel(v, blueMask));
        }
    return img;
}

// One display with its window manager, and the program on it.
class Desktop {
public:
    Desktop(int width, int height) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        ::fcntl(fds[0], F_SETFD, FD_CLOEXEC);
        ::fcntl(fds[1], F_SETFD, FD_CLOEXEC);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        xvfb_ = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                       screen, "-nolisten", "tcp"},
                      {}, "", scratch_.file("xvfb.log"), fds[1]);
        ::close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (::poll(&p, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(fds[0]);
        if (number.empty()) return;
        display_ = ":" + number;
        wm_ = Spawn({"/usr/bin/openbox"},
                    {"DISPLAY=" + display_, "XDG_CONFIG_HOME=" + scratch_.file("config")}, "",
                    scratch_.file("openbox.log"));
        ready_ = WaitFor(
            [&] {
                return X("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                       std::string::npos;
            },
            20);
    }
    ~Desktop() {
        End(program_);
        End(wm_);
        End(xvfb_);
    }
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    bool Ready() const { return ready_; }
    std::string RegistryDir() const { return scratch_.file("registry"); }

    // An X client command on this display; its standard output.
    std::string X(const std::string& command) const {
        return testsupport::ShellOutput("DISPLAY=" + display_ + " " + command + " 2>/dev/null");
    }

    // Curvix with `args`, from the examples folder; waits for its main window.
    bool Start(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {CURVIX_PROGRAM};
        argv.insert(argv.end(), args.begin(), args.end());
        program_ = Spawn(argv,
                         {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb",
                          "CURVIX_REGISTRY_DIR=" + RegistryDir(),
                          "CURVIX_LOCK_DIR=" + scratch_.file("locks"),
                          "XDG_RUNTIME_DIR=" + scratch_.path().string()},
                         CURVIX_EXAMPLES_DIR, scratch_.file("curvix.log"));
        return WaitFor([&] { return Frame("Data selection$").has_value(); });
    }
    // Waits for the program to end by itself.
    bool Ended() {
        const bool ended =
            WaitFor([&] { return ::waitpid(program_, nullptr, WNOHANG) == program_; });
        if (ended) program_ = -1;
        return ended;
    }
    // Closes the window whose frame is `frame` as a user does: a click on its title bar,
    // then the window manager's Alt+F4, pressed again when a loaded machine lost it.
    // True once the window is gone.
    bool CloseByKeys(const std::string& title, const Box& frame) const {
        Click(frame.x + 150, frame.y + 8);
        if (!WaitFor([&] { return Active(title); })) return false;
        for (int press = 0; press < 3; ++press) {
            Key("alt+F4");
            if (WaitFor([&] { return !Window(title); }, 5)) return true;
        }
        return false;
    }
    std::string ProgramLog() const { return testsupport::readFile(scratch_.file("curvix.log")); }

    // The shown window whose title matches `title` (an extended regular expression).
    std::optional<unsigned long> Window(const std::string& title) const {
        std::istringstream ids(X("xdotool search --onlyvisible --name '" + title + "'"));
        unsigned long id = 0;
        if (ids >> id) return id;
        return std::nullopt;
    }
    // Whether the window manager has made that window the active one.
    bool Active(const std::string& title) const {
        const auto id = Window(title);
        return id && X("xdotool getactivewindow") == std::to_string(*id) + "\n";
    }
    // Titles of all shown windows of the program.
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        std::istringstream ids(X("xdotool search --onlyvisible --classname curvix"));
        for (unsigned long id; ids >> id;) {
            std::string t = X("xdotool getwindowname " + std::to_string(id));
            while (!t.empty() && t.back() == '\n')
                t.pop_back();
            titles.push_back(t);
        }
        return titles;
    }

    // The window's inside and its frame, as xwininfo tells them; none until the window
    // manager has framed it.
    std::optional<Box> Client(const std::string& title) const {
        const auto id = Window(title);
        if (!id) return std::nullopt;
        const std::string info = X("xwininfo -id " + std::to_string(*id));
        Box b;
        if (!Field(info, "Absolute upper-left X:", b.x) ||
            !Field(info, "Absolute upper-left Y:", b.y) || !Field(info, "Width:", b.w) ||
            !Field(info, "Height:", b.h))
            return std::nullopt;
        return b;
    }
    std::optional<Box> Frame(const std::string& title) const {
        const auto id = Window(title);
        const auto c = Client(title);
        if (!id || !c) return std::nullopt;
        static const std::regex extents(R"(Frame extents: (\d+), (\d+), (\d+), (\d+))");
        const std::string wm = X("xwininfo -wm -id " + std::to_string(*id));
        std::smatch m;
        if (!std::regex_search(wm, m, extents)) return std::nullopt;
        const int l = std::stoi(m[1]), r = std::stoi(m[2]), t = std::stoi(m[3]),
                  b = std::stoi(m[4]);
        return Box{c->x - l, c->y - t, c->w + l + r, c->h + t + b};
    }
    // The frame once it has stopped changing.
    std::optional<Box> SettledFrame(const std::string& title) const {
        std::optional<Box> last;
        int same = 0;
        WaitFor([&] {
            const auto now = Frame(title);
            same = now && now == last ? same + 1 : 0;
            last = now;
            return same >= 4;
        });
        return last;
    }

    // Real input: the pointer, the buttons and the keys.
    void Click(int x, int y) const {
        X("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }
    void ClickIn(const Box& client, int x, int y) const { Click(client.x + x, client.y + y); }
    void Key(const std::string& key) const { X("xdotool key " + key); }
    void Type(const std::string& text) const { X("xdotool type '" + text + "'"); }
    // Presses the left button at `from`, moves in steps by (dx, dy), releases.
    void Drag(int x, int y, int dx, int dy) const {
        std::string cmd = "xdotool mousemove --sync " + std::to_string(x) + " " +
                          std::to_string(y) + " mousedown 1";
        for (int i = 1; i <= 10; ++i)
            cmd += " sleep 0.03 mousemove " + std::to_string(x + dx * i / 10) + " " +
                   std::to_string(y + dy * i / 10);
        X(cmd + " sleep 0.1 mouseup 1");
    }

    // What the screen shows inside the window's rectangle.
    std::optional<Pixels> Grab(const std::string& title) const {
        const auto id = Window(title);
        if (!id) return std::nullopt;
        return ParseXwd(X("xwd -silent -id " + std::to_string(*id)));
    }

private:
    static bool Field(const std::string& text, const std::string& name, int& value) {
        const auto at = text.find(name);
        if (at == std::string::npos) return false;
        value = std::atoi(text.c_str() + at + name.size());
        return true;
    }

    testsupport::ScratchDir scratch_;
    std::string display_;
    pid_t xvfb_ = -1, wm_ = -1, program_ = -1;
    bool ready_ = false;
};

} // namespace desktop

// Every test begins here: the tools present, the display up with its window manager.
#define CURVIX_DESKTOP(d, width, height)                                                           \
    if (const std::string missing = desktop::MissingTools(); !missing.empty())                     \
        CURVIX_SKIP_OR_FAIL() << "missing:" << missing;                                            \
    desktop::Desktop d(width, height);                                                             \
    ASSERT_TRUE(d.Ready()) << "Xvfb with openbox did not come up"
