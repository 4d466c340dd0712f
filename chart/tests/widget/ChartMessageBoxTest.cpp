// A chart whose owner binds no message handler shows its messages in the program's
// message box, with their own title and icon; a fatal one then ends the program.
#include "ChartFixture.h"

#include "Application.h"
#include "MessageBox.h"

#include <tuple>

namespace {
using Shown = std::tuple<std::string, std::string, unsigned>;

struct ChartMessageBox : ::testing::Test {
    int argc = 1;
    char name[8] = "t";
    char* argv[2] = {name, nullptr};
    TApplication app{argc, argv};
    std::vector<Shown> shown;
    int quits = 0;
    TMessageBoxHook oldBox;
    std::function<void()> oldQuit;

    void SetUp() override {
        oldBox = SetMessageBoxHook(
            [this](const std::string& text, const std::string& title, unsigned flags) {
                shown.emplace_back(text, title, flags);
                return IDOK;
            });
        oldQuit = SetQuitHook([this] { ++quits; });
    }
    void TearDown() override {
        SetMessageBoxHook(oldBox);
        SetQuitHook(oldQuit);
    }
};
} // namespace

TEST_F(ChartMessageBox, UnboundChartShowsTheBoxAndAFatalMessageEndsTheProgram) {
    struct Row {
        const char* what;
        bool clearHandler; // the owner cleared the handler instead of leaving the default
        bool fatal;
        Shown want;
    };
    const Row rows[] = {
        {"plot before any data",
         false,
         true,
         {"Unexpected Error \"Not Got Data\" in TLineChart", "Unexpected Error",
          MB_OK | MB_ICONSTOP}},
        {"plot before any data, handler cleared",
         true,
         true,
         {"Unexpected Error \"Not Got Data\" in TLineChart", "Unexpected Error",
          MB_OK | MB_ICONSTOP}},
        {"log y over a sine",
         false,
         false,
         {"Cannot create a log scale on the y-axis\nbecause the range contains null or negative "
          "values\n\nPlease change the variable to be plot, or the y-axis range or choose a "
          "linear scale",
          "Invalid Request", MB_OK | MB_ICONEXCLAMATION}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        shown.clear();
        quits = 0;
        TLineChart chart(nullptr);
        if (r.clearHandler) chart.ShowMessage = nullptr;
        std::vector<float> x(101), y(101);
        for (int i = 0; i <= 100; ++i) {
            x[i] = i * 0.1f;
            y[i] = std::sin(x[i]);
        }
        float* rows1[] = {y.data()};
        SCurveParam curve{kCurve, 0, 'V'};
        if (!r.fatal) {
            chart.Resize_(500, 300);
            chart.SetYScaleType(stLog);
            chart.GetData(false, 1, 101, SXVarParam{true, 's', 0}, &curve, x.data(), rows1);
        }
        chart.Plot(true);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], r.want);
        EXPECT_EQ(quits, r.fatal ? 1 : 0);
    }
}
