#include "CurvixApp.h"

#include "AppContext.h"
#include "Application.h"
#include "ChartNumbers.h"
#include "Dispatch.h"
#include "GlobalVars.h"
#include "MessageBox.h"
#include "NumericText.h"
#include "RegistryNames.h"
#include "Screen.h"
#include "Startup.h"
#include "services/NamedMutex.h"
#include "services/Registry.h"

#include <optional>

int RunCurvix(int argc, char** argv) {
    SGlobalVars globals;
    SProgramOptions options;
    TApplication app(argc, argv);
    SetDecimalSeparator(TApplication::LocaleDecimalSeparator());
    chartnum::SetDecimalSeparator(DecimalSeparator()); // the chart shows numbers alike

    std::optional<SInstanceLock> lock;
    try {
        lock = AcquireInstanceLock(kInstanceMutexPrefix, kMaxInstances);
        if (!lock) {
            // A fifth instance ends here, before the registry or any file is touched.
            MessageBox("Max 4 program instances allowed", "Too Many Instances",
                       MB_OK | MB_ICONSTOP);
            return 0;
        }
        globals.instanceOffset = lock->index * 100;
        globals.instanceNumber = lock->index + 1;
    } catch (const std::exception& e) {
        ShowException(e);
    }
    globals.programName = kProgramTitle;
    app.SetTitle(globals.programName);

    TRegistry registry;
    ReadSettings(registry, globals, options, MessageBox);
    ComputeScaling(Screen->WorkAreaRect(), options.Flag(poSmallWindows), globals);

    try {
        SAppContext ctx{globals, options};
        CreateCurvixWindows(app, ctx);
        app.Run();
    } catch (const std::exception& e) {
        Screen->SetCursor(crDefault);
        ShowException(e);
    }
    return 0;
}
