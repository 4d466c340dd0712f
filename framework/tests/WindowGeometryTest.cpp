// A window's Left, Top, Width and Height are its outer bounds, frame included, and read
// back what SetBounds set whether the window is shown or not; the client size is what
// the frame leaves inside. Positions saved at close and restored at the next start must
// not creep by the frame.
#include "Application.h"
#include "Control_p.h"
#include "Form.h"

#include <QApplication>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace {
struct WindowGeometry : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
};

void Settle() {
    QApplication::processEvents();
}

TRect BoundsOf(const TControl& c) {
    return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}

// The frame the window system draws around a shown window, asked of Qt directly.
QMargins SystemFrame(TForm& form) {
    return WidgetOf(form).windowHandle()->frameMargins();
}

struct Step {
    const char* what;
    std::function<void(TForm&)> run;
};
} // namespace

TEST_F(WindowGeometry, BoundsReadBackWhateverTheWindowWentThrough) {
    const TRect want = Rect(100, 120, 100 + 500, 120 + 400);
    auto set = [](TForm& f) { f.SetBounds(100, 120, 500, 400); };
    auto show = [](TForm& f) { f.Show(); };
    auto hide = [](TForm& f) { f.Hide(); };
    const std::vector<std::vector<Step>> rows = {
        {{"set while hidden", set}, {"show", show}},
        {{"show", show}, {"set", set}},
        {{"show", show}, {"set", set}, {"hide", hide}, {"show", show}},
        {{"show", show},
         {"set elsewhere", [](TForm& f) { f.SetBounds(10, 10, 200, 200); }},
         {"hide", hide},
         {"set while hidden", set},
         {"show", show}},
        {{"show", show},
         {"set", set},
         {"border style changed while shown", [](TForm& f) { f.SetBorderStyle(bsSingle); }},
         {"and again", [](TForm& f) { f.SetBorderStyle(bsNone); }}},
        {{"dialog border", [](TForm& f) { f.SetBorderStyle(bsDialog); }},
         {"set", set},
         {"show", show},
         {"hide", hide},
         {"show", show}},
        {{"show", show},
         {"set twice before the events come",
          [](TForm& f) {
              f.SetBounds(0, 0, 300, 300);
              f.SetBounds(100, 120, 500, 400);
          }}},
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        TForm form;
        std::string trail;
        for (const Step& s : rows[r]) {
            s.run(form);
            Settle();
            trail += std::string(trail.empty() ? "" : ", ") + s.what;
        }
        SCOPED_TRACE("row " + std::to_string(r) + ": " + trail);
        EXPECT_EQ(BoundsOf(form), want);
        const QMargins frame = SystemFrame(form);
        EXPECT_EQ(form.ClientWidth(), 500 - frame.left() - frame.right());
        EXPECT_EQ(form.ClientHeight(), 400 - frame.top() - frame.bottom());
        EXPECT_EQ(WidgetOf(form).frameGeometry(), QRect(100, 120, 500, 400))
            << "the window on the screen is where the bounds say";
    }
}

TEST_F(WindowGeometry, PositionSavedAtCloseIsRestoredUnmovedAtTheNextStart) {
    TForm first;
    first.SetClientSize(426, 333);
    first.Show();
    Settle();
    WidgetOf(first).move(70, 80); // dragged by the user: the frame goes there
    WidgetOf(first).resize(600, 450);
    Settle();
    EXPECT_EQ(first.Left(), 70);
    EXPECT_EQ(first.Top(), 80);
    EXPECT_EQ(first.ClientWidth(), 600);
    const TRect saved = BoundsOf(first);
    first.Close();
    Settle();
    EXPECT_EQ(BoundsOf(first), saved) << "closing keeps the bounds";

    TForm next; // a new run: created hidden at its design size, then placed
    next.SetClientSize(426, 333);
    next.SetBounds(saved.Left, saved.Top, saved.Width(), saved.Height());
    next.Show();
    Settle();
    EXPECT_EQ(BoundsOf(next), saved);
    EXPECT_EQ(next.ClientWidth(), 600);
    EXPECT_EQ(next.ClientHeight(), 450);
}

TEST_F(WindowGeometry, ClientSizeIsTheOuterSizeLessTheFrame) {
    TForm form;
    form.SetClientSize(400, 300);
    form.Show();
    Settle();
    const QMargins frame = SystemFrame(form);
    EXPECT_EQ(form.ClientWidth(), 400) << "the frame is known before the first show";
    EXPECT_EQ(form.ClientHeight(), 300);
    EXPECT_EQ(form.Width(), 400 + frame.left() + frame.right());
    EXPECT_EQ(form.Height(), 300 + frame.top() + frame.bottom());
    // Tracking sizes are outer sizes: the smallest inside is the limit less the frame.
    form.SetMinTrackSize(form.Width(), 200);
    WidgetOf(form).resize(10, 10);
    Settle();
    EXPECT_EQ(form.ClientWidth(), 400);
    EXPECT_EQ(form.Height(), 200);
}
