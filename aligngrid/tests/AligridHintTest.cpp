// Cell hints through the application's single show-hint slot: the chain of
// grid handlers, a handler the program had before, and the end of the unit.
#include "AligridFixture.h"
#include "ShowHintChain.h"

#include <QToolTip>

namespace {

struct ProgramHandler {
    int calls = 0;
    void Hint(std::string& hint, bool&, THintInfo&) {
        ++calls;
        hint += "+program";
    }
};

TPoint Inside(const TStringAlignGrid& g, int col, int row) {
    const TRect r = g.CellRect(col, row);
    return {r.Left + 3, r.Top + 3};
}

std::string AskHint(TStringAlignGrid& g, TPoint at, THintInfo* out = nullptr) {
    THintInfo info;
    info.HintControl = &g;
    info.CursorPos = at;
    std::string hint = "control";
    bool canShow = true;
    if (Application->OnShowHint) Application->OnShowHint(hint, canShow, info);
    if (out) *out = info;
    return hint;
}

struct Hints : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
};

TEST_F(Hints, EveryGridAndThenTheEarlierHandlerRunAndTheEarlierOneComesBack) {
    TApplication app(argc, argv);
    ProgramHandler program;
    const TShowHintEvent earlier(&program, &ProgramHandler::Hint);
    app.OnShowHint = earlier;
    AligridStart(app);
    {
        TForm form;
        TStringAlignGrid first(&form), second(&form);
        second.SetTop(150);
        first.SetHintCell(1, 1, "first");
        second.SetHintCell(1, 1, "second");
        form.Show();
        EXPECT_EQ(ShowHintHandlerCount(), 3);
        // Only the grid under the mouse answers; the program's handler runs last.
        EXPECT_EQ(AskHint(second, Inside(second, 1, 1)), "second+program");
        EXPECT_EQ(AskHint(first, Inside(first, 1, 1)), "first+program");
        EXPECT_EQ(AskHint(first, Inside(first, 2, 2)), "+program"); // a cell without hint
        EXPECT_EQ(program.calls, 3);
    }
    EXPECT_EQ(ShowHintHandlerCount(), 1); // the grids took themselves out
    AligridEnd();
    EXPECT_FALSE(AligridStarted());
    EXPECT_TRUE(app.OnShowHint == earlier);
}

TEST_F(Hints, WithoutAnEarlierHandlerTheSlotIsClearedAtTheEnd) {
    TApplication app(argc, argv);
    {
        TForm form;
        TStringAlignGrid grid(&form); // starts the unit
        EXPECT_TRUE(AligridStarted());
        EXPECT_TRUE(static_cast<bool>(app.OnShowHint));
        AligridEnd(); // the unit ends before the grid, as at program end
        EXPECT_FALSE(static_cast<bool>(app.OnShowHint));
    } // the grid finds no list and removes nothing
    EXPECT_FALSE(static_cast<bool>(app.OnShowHint));
}

TEST_F(Hints, TheUnitEndsWithItsApplication) {
    {
        TApplication app(argc, argv);
        TForm form;
        TStringAlignGrid grid(&form);
        EXPECT_TRUE(AligridStarted());
    }
    EXPECT_FALSE(AligridStarted());
}

TEST_F(AligridFixture, HintSitsBelowTheCellAndFollowsTheMouse) {
    grid.SetHintCell(2, 3, "cell hint");
    THintInfo info;
    EXPECT_EQ(AskHint(grid, Inside(grid, 2, 3), &info), "cell hint");
    const TRect r = grid.CellRect(2, 3);
    const TPoint expected = grid.ClientToScreen({r.Left, r.Bottom + 6});
    EXPECT_EQ(info.HintPos.x, expected.x);
    EXPECT_EQ(info.HintPos.y, expected.y);
    EXPECT_EQ(grid.HintCell(), (TGridCoord{2, 3}));

    const TPoint same = Inside(grid, 2, 3);
    grid.HandleMouseMove(0, same.x + 5, same.y + 2);
    EXPECT_EQ(grid.HintCell(), (TGridCoord{2, 3}));
    const TPoint next = Inside(grid, 3, 3);
    grid.HandleMouseMove(0, next.x, next.y);
    EXPECT_EQ(grid.HintCell(), (TGridCoord{-1, -1}));
}

TEST_F(AligridFixture, WithCellHintsOffTheControlsHintStays) {
    grid.SetHintCell(1, 1, "cell");
    grid.SetShowCellHints(false);
    EXPECT_EQ(AskHint(grid, Inside(grid, 1, 1)), "control");
    EXPECT_EQ(AskHint(other, Inside(other, 1, 1)), ""); // a grid with cell hints: empty
}

TEST_F(AligridFixture, TheHintPipelineShowsTheCellHint) {
    grid.SetShowHint(true);
    grid.SetHint("grid");
    grid.SetHintCell(1, 2, "full path");
    ASSERT_TRUE(app.ActivateHint(grid, Inside(grid, 1, 2)));
    EXPECT_EQ(QToolTip::text().toStdString(), "full path");
    QToolTip::hideText();
}
} // namespace
