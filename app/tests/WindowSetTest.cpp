// The eleven windows are made in the program's order and reach each other through the set.
#include "AppTestKit.h"
#include "DataSelFF.h"

#include <gtest/gtest.h>

TEST(WindowSet, BuildsTheElevenWindowsInOrderWithTheMainWindowFirst) {
    AppTestKit kit;
    CurvixUnderTest program;
    const SCurvixWindows& w = program.w;
    for (const void* p : {static_cast<const void*>(w.DataSel), static_cast<const void*>(w.DFTChart),
                          static_cast<const void*>(w.DFTOptions), static_cast<const void*>(w.FourCopyInfo),
                          static_cast<const void*>(w.Options), static_cast<const void*>(w.PlotOpt),
                          static_cast<const void*>(w.PrintData), static_cast<const void*>(w.Scale),
                          static_cast<const void*>(w.Values), static_cast<const void*>(w.PlotWin),
                          static_cast<const void*>(w.Label)})
        EXPECT_NE(p, nullptr);
    EXPECT_EQ(program.app->MainForm(), w.DataSel);
    EXPECT_TRUE(kit.messages.empty());
}
