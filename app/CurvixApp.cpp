#include "CurvixApp.h"

#include "Application.h"
#include "DFTChartFF.h"
#include "DFTOptionsFF.h"
#include "DataSelFF.h"
#include "Dispatch.h"
#include "FourCopyPrintInfo.h"
#include "GlobalVars.h"
#include "LabelsFF.h"
#include "MessageBox.h"
#include "NumericText.h"
#include "OptionsFF.h"
#include "PlotOptFF.h"
#include "PlotWinFF.h"
#include "PrintFF.h"
#include "RegistryNames.h"
#include "ScaleFF.h"
#include "Screen.h"
#include "Startup.h"
#include "ValuesFF.h"
#include "services/NamedMutex.h"
#include "services/Registry.h"

#include <optional>

int RunCurvix(int argc, char** argv) {
    SGlobalVars globals;
    SProgramOptions options;
    TApplication app(argc, argv);
    SetDecimalSeparator(TApplication::LocaleDecimalSeparator());

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
        auto* main = app.CreateForm<TDataSelForm>(globals, options);
        app.CreateForm<TDFTChartForm>(globals, options);
        app.CreateForm<TDFTOptions>(globals, options);
        app.CreateForm<TFourCopyInfo>(globals, options);
        app.CreateForm<TOptionsForm>(globals, options);
        app.CreateForm<TPlotOptForm>(globals, options);
        app.CreateForm<TPrintDataForm>(globals, options);
        app.CreateForm<TScaleForm>(globals, options);
        app.CreateForm<TValuesForm>(globals, options);
        app.CreateForm<TPlotWinForm>(globals, options);
        app.CreateForm<TLabelForm>(globals, options);
        app.OnActivate = [main](TObject* sender) { main->UnObscure(sender); };
        app.Run();
    } catch (const std::exception& e) {
        Screen->SetCursor(crDefault);
        ShowException(e);
    }
    return 0;
}
