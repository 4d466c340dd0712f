// The eleven windows are made in the program's order and reach each other through the set.
#include "AppTestKit.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "FourCopyPrintInfo.h"
#include "LabelsFF.h"
#include "OptionsFF.h"
#include "PlotOptFF.h"
#include "PlotWinFF.h"
#include "PrintFF.h"
#include "ScaleFF.h"
#include "ValuesFF.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

TEST(WindowSet, BuildsTheElevenWindowsInOrderWithTheMainWindowFirst) {
    AppTestKit kit;
    CurvixUnderTest program;
    const SCurvixWindows& w = program.w;
    // The application owns the windows in the order they were made: a later window is
    // destroyed first.
    const TComponent* order[] = {w.DataSel, w.DFTChart, w.DFTOptions, w.FourCopyInfo,
                                 w.Options, w.PlotOpt,  w.PrintData,  w.Scale,
                                 w.Values,  w.PlotWin,  w.Label};
    std::vector<const TComponent*> made;
    for (int i = 0; i < program.app->ComponentCount(); ++i)
        if (dynamic_cast<const TCustomForm*>(program.app->Components(i)))
            made.push_back(program.app->Components(i));
    ASSERT_EQ(made.size(), std::size(order));
    for (std::size_t i = 0; i < made.size(); ++i) {
        EXPECT_NE(order[i], nullptr) << i;
        EXPECT_EQ(made[i], order[i]) << i;
    }
    EXPECT_EQ(program.app->MainForm(), w.DataSel);
    EXPECT_TRUE(kit.messages.empty());
}
