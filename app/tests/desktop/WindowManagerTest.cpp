// Curvix under a real window manager at the screen sizes users have: windows placed by
// their frames with every title bar and button on the screen, remembered positions back
// exactly, a user's move never undone, and after a message box the keyboard back where
// it was and the box painted.
#include "Desktop.h"
#include "GlobalVars.h"
#include "MessageBox.h"
#include "RegistryNames.h"
#include "Startup.h"
#include "services/Registry.h"

#include <array>

namespace {
using desktop::Box;
using desktop::Desktop;
using desktop::WaitFor;

const char* const kMain = "Data selection$";
const char* const kPlot = "Curvix plot$";
const char* const kFourier = "Fourier chart$";
const char* const kValues = "^Values$";
const char* const kError = "^Error$";

// Places in the main window's inside at the 950/800 scale, which both screens give.
constexpr int kListX = 48, kSecondItemY = 154, kThirdItemY = 171; // the variable list
constexpr int kButtonsX = 620, kPlotY = 127, kFourY = 159;
constexpr int kFactorX = 440, kFirstCurveY = 165; // the first curve's Factor cell
constexpr int kLabelX = 30, kLabelY = 116;        // "Variables": a click raises the window
// The plot window's cursor button, in its panel along the bottom.
constexpr int kCursorX = 138, kCursorFromBottom = 12;

// Presses -|- and waits for the values window.
std::optional<Box> ShowValues(const Desktop& d) {
    const Box plot = d.Client(kPlot).value_or(Box{});
    d.ClickIn(plot, kCursorX, plot.h - kCursorFromBottom);
    return d.SettledFrame(kValues);
}
} // namespace

TEST(OnADesktop, AtFirstStartEveryTitleBarAndButtonIsOnA1024x768Screen) {
    CURVIX_DESKTOP(d, 1024, 768);
    ASSERT_TRUE(d.Start({"motor_start.adf"}));
    const Box main = d.SettledFrame(kMain).value();
    const Box inside = d.Client(kMain).value();
    d.ClickIn(inside, kListX, kSecondItemY);
    d.ClickIn(inside, kButtonsX, kFourY); // plots, then opens the Fourier window
    ASSERT_TRUE(WaitFor([&] { return d.Frame(kPlot) && d.Frame(kFourier); }));
    const Box plot = d.SettledFrame(kPlot).value();
    const Box fourier = d.SettledFrame(kFourier).value();
    // A second curve: its cursor values go to the values window.
    d.ClickIn(inside, kLabelX, kLabelY);
    d.ClickIn(inside, kListX, kThirdItemY);
    d.ClickIn(inside, kButtonsX, kPlotY);
    ASSERT_TRUE(WaitFor([&] { return d.Active(kPlot); }));
    const auto values = ShowValues(d);
    ASSERT_TRUE(values) << d.ProgramLog();

    for (const auto& [name, box] :
         {std::pair{"main", main}, {"plot", plot}, {"values", *values}, {"Fourier", fourier}})
        EXPECT_TRUE(box.Inside(1024, 768)) << name << " window " << box;
    EXPECT_FALSE(fourier.Overlaps(main))
        << "the Fourier window " << fourier << " covers the main window's bottom row " << main;
    EXPECT_FALSE(fourier.Overlaps(plot))
        << "the Fourier window " << fourier << " covers the plot window's buttons " << plot;
    EXPECT_FALSE(values->Overlaps(plot))
        << "the values window " << *values << " covers the plot window's buttons " << plot;
    EXPECT_FALSE(values->Overlaps(fourier))
        << "the values window " << *values << " covers the Fourier window's buttons";
}

namespace {
// Outer bounds as the registry keeps them, on a 1600x1000 screen: main top, left, height;
// plot top, left, width, height; values top, left; Fourier top, left, width, height. The
// plot is narrower than at start, so that one curve shows its values in the values window.
constexpr std::array<std::int16_t, 13> kStored = {40,  30,   460, 60, 760, 450, 470,
                                                  560, 1300, 520, 30, 700, 420};
int Silent(const std::string&, const std::string&, unsigned) {
    return IDOK;
}
void Remember(const Desktop& d) {
    TRegistry registry(d.RegistryDir());
    ASSERT_TRUE(registry.OpenKey(kProgramKey, true));
    SProgramOptions options;
    options.SetDefaults();
    options.SetFlag(poRememberWindows, true);
    registry.WriteBinaryData(kProgramOptionsValue, options.bytes.data(), 16);
    SGlobalVars globals;
    globals.winPos = kStored;
    WriteWindowState(registry, globals, options, Silent);
}
} // namespace

TEST(OnADesktop, RememberedPositionsComeBackExactly) {
    CURVIX_DESKTOP(d, 1600, 1000);
    Remember(d);
    ASSERT_TRUE(d.Start({"motor_start.adf"}));
    const Box main = d.SettledFrame(kMain).value();
    EXPECT_EQ((std::array{main.y, main.x, main.h}), (std::array{40, 30, 460})) << main;
    const Box inside = d.Client(kMain).value();
    d.ClickIn(inside, kListX, kSecondItemY);
    d.ClickIn(inside, kButtonsX, kFourY);
    ASSERT_TRUE(WaitFor([&] { return d.Frame(kPlot) && d.Frame(kFourier); }));
    EXPECT_EQ(d.SettledFrame(kPlot), (Box{760, 60, 450, 470}));
    EXPECT_EQ(d.SettledFrame(kFourier), (Box{30, 520, 700, 420}));
    const auto values = ShowValues(d);
    ASSERT_TRUE(values) << d.ProgramLog();
    EXPECT_EQ((std::array{values->y, values->x}), (std::array{560, 1300})) << *values;

    // Closed as a user closes it: a click on its title bar, then the window manager's Alt+F4.
    ASSERT_TRUE(d.CloseByKeys(kMain, main));
    ASSERT_TRUE(d.Ended()) << d.ProgramLog();
    TRegistry registry(d.RegistryDir());
    SGlobalVars globals;
    SProgramOptions options;
    ReadSettings(registry, globals, options, Silent);
    EXPECT_EQ(globals.winPos, kStored) << "the next start would place the windows elsewhere";
}

// Places kept on a larger screen come back on this one with every title bar and button.
TEST(OnADesktop, PlacesRememberedOnALargerScreenComeBackOnThisOne) {
    CURVIX_DESKTOP(d, 1024, 768);
    Remember(d);
    ASSERT_TRUE(d.Start({"motor_start.adf"}));
    const Box inside = d.Client(kMain).value();
    d.ClickIn(inside, kListX, kSecondItemY);
    d.ClickIn(inside, kButtonsX, kFourY);
    ASSERT_TRUE(WaitFor([&] { return d.Frame(kPlot) && d.Frame(kFourier); }));
    // On this screen the windows overlap: the plot window is raised by its title bar.
    const Box plot = d.SettledFrame(kPlot).value();
    d.Click(plot.x + 150, plot.y + 8);
    ASSERT_TRUE(WaitFor([&] { return d.Active(kPlot); }));
    const auto values = ShowValues(d);
    ASSERT_TRUE(values) << d.ProgramLog();
    for (const char* title : {kMain, kPlot, kFourier})
        EXPECT_TRUE(d.SettledFrame(title).value().Inside(1024, 768))
            << title << " " << *d.SettledFrame(title);
    EXPECT_TRUE(values->Inside(1024, 768)) << *values;
}

TEST(OnADesktop, AUsersMoveIsNeverUndone) {
    CURVIX_DESKTOP(d, 1600, 1000);
    ASSERT_TRUE(d.Start({"motor_start.adf"}));
    const Box inside = d.Client(kMain).value();
    d.ClickIn(inside, kListX, kSecondItemY);
    // Each window dragged by its title bar as soon as it is first shown, then its
    // button pressed again in the main window.
    const struct {
        const char* window;
        int buttonY, dx, dy;
    } rows[] = {{kPlot, kPlotY, 120, 200}, {kFourier, kFourY, 200, 60}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.window);
        d.ClickIn(inside, kButtonsX, r.buttonY);
        const Box shown = d.SettledFrame(r.window).value();
        d.Drag(shown.x + 150, shown.y + 8, r.dx, r.dy);
        const Box moved{shown.x + r.dx, shown.y + r.dy, shown.w, shown.h};
        EXPECT_EQ(d.SettledFrame(r.window), moved);
        d.ClickIn(inside, kButtonsX, r.buttonY);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_EQ(d.SettledFrame(r.window), moved) << "pressing the button again moved it back";
        // Closed with the window manager's Alt+F4 after a click on its title bar, and shown
        // again where it was.
        ASSERT_TRUE(d.CloseByKeys(r.window, moved));
        d.ClickIn(inside, kButtonsX, r.buttonY);
        EXPECT_EQ(d.SettledFrame(r.window), moved) << "shown again elsewhere";
    }

    // The main window moved, then its bottom edge dragged up: its bottom row stays whole.
    const Box main = d.SettledFrame(kMain).value();
    d.Drag(main.x + 300, main.y + 8, 250, 100);
    const Box moved = d.SettledFrame(kMain).value();
    EXPECT_EQ(moved, (Box{main.x + 250, main.y + 100, main.w, main.h}));
    d.Drag(moved.x + moved.w / 2, moved.Bottom() - 2, 0, -150);
    EXPECT_EQ(d.SettledFrame(kMain), moved) << "the window shrank below its design size";
    EXPECT_EQ(d.Client(kMain), (Box{inside.x + 250, inside.y + 100, inside.w, inside.h}));
}

TEST(OnADesktop, AfterTheInvalidNumberMessageTheKeyboardIsOnTheBadCellAndTheBoxPainted) {
    CURVIX_DESKTOP(d, 1024, 768);
    ASSERT_TRUE(d.Start({"motor_start.adf"}));
    // Moved so that the message box, in the middle of the screen, lies over it.
    const Box main = d.SettledFrame(kMain).value();
    d.Drag(main.x + 300, main.y + 8, 100, 100);
    ASSERT_TRUE(WaitFor([&] { return d.Frame(kMain) != main; }));
    ASSERT_TRUE(d.SettledFrame(kMain));
    const Box inside = d.Client(kMain).value();
    d.ClickIn(inside, kListX, kSecondItemY);
    d.ClickIn(inside, kFactorX, kFirstCurveY);
    const auto before = d.Grab(kMain);
    ASSERT_TRUE(before);
    d.Type("abc");
    d.Key("Return");
    ASSERT_TRUE(d.SettledFrame(kError));

    // The box shows itself, not black and not what was under it.
    const Box box = d.Client(kError).value();
    const auto shown = d.Grab(kError);
    ASSERT_TRUE(shown);
    int black = 0, same = 0;
    for (int y = 0; y < shown->h; ++y)
        for (int x = 0; x < shown->w; ++x) {
            const std::uint32_t p = shown->At(x, y);
            if ((p & 0xE0E0E0) == 0) ++black;
            const int bx = box.x + x - inside.x, by = box.y + y - inside.y;
            if (bx < before->w && by < before->h && before->At(bx, by) == p) ++same;
        }
    const int all = shown->w * shown->h;
    EXPECT_LT(black, all / 4) << "the message box is black: " << black << " of " << all;
    EXPECT_LT(same, all / 2) << "the message box shows the window under it";

    // However the message is closed, the keyboard is back on the bad cell: Enter plots
    // again, and the message comes again (on Load... it would open the file dialog).
    const std::function<void()> closers[] = {[&] { d.Key("Return"); }, [&] { d.Key("Escape"); },
                                             [&] {
                                                 const Box b = d.Client(kError).value();
                                                 d.ClickIn(b, b.w - 51, b.h - 23); // OK
                                             }};
    const auto backOnMain = [&] { return !d.Window(kError) && d.Active(kMain); };
    for (const auto& close : closers) {
        close();
        ASSERT_TRUE(WaitFor(backOnMain));
        d.Key("Return");
        ASSERT_TRUE(WaitFor([&] { return d.Window(kError).has_value(); }))
            << "Enter went elsewhere; shown: " << ::testing::PrintToString(d.Titles());
    }
    d.Key("Return");
    ASSERT_TRUE(WaitFor(backOnMain));
    d.Type("7");
    d.Key("Return");
    ASSERT_TRUE(WaitFor([&] { return d.Window(kPlot).has_value(); }));
    EXPECT_EQ(d.Titles().size(), 2u) << ::testing::PrintToString(d.Titles());
}
