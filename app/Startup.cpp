#include "Startup.h"

#include "MessageBox.h"
#include "RegistryNames.h"
#include "services/Registry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

void ShowRegistryDamaged(const TShowMessage& show) {
    show("Error reading data in Registry\n(This may be caused by the first use of this "
         "release of the program).\nThe Curvix keys are cancelled and defaults restored.",
         "Error in Registry", MB_OK | MB_ICONEXCLAMATION);
}

void ReadSettings(TRegistry& registry, SGlobalVars& globals, SProgramOptions& options,
                  const TShowMessage& show) {
    try {
        if (!registry.OpenKey(kProgramKey, false)) {
            options.SetDefaults();
            return;
        }
        globals.multiFileMode =
            registry.ValueExists(kMultiFileModeValue) && registry.ReadBool(kMultiFileModeValue);
        // A saved state alone creates the key; a missing options value is no error.
        if (registry.ValueExists(kProgramOptionsValue))
            registry.ReadBinaryData(kProgramOptionsValue, options.bytes.data(), 16);
        else
            options.SetDefaults();
    } catch (const std::exception&) {
        ShowRegistryDamaged(show);
        // A damaged store has been set aside by now; one out of reach (a folder without
        // access) stays as it is, and the defaults serve this run all the same.
        try {
            TRegistry second;
            second.DeleteKey(kMakerKey);
        } catch (const std::exception&) {
        }
        // The defaults are those of the options block; a mode already read stays.
        options.SetDefaults();
    }
    const float hz = options.Frequency();
    if (!(hz > 0.0f) || !std::isfinite(hz)) options.SetFrequency(50.0f);
    try {
        if (registry.ValueExists(kWinPositionsValue)) {
            std::uint8_t raw[26];
            registry.ReadBinaryData(kWinPositionsValue, raw, 26);
            for (std::size_t i = 0; i < 13; ++i)
                globals.winPos[i] = static_cast<std::int16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
            options.SetFlag(poRememberWindows, true);
        }
    } catch (const std::exception&) {
        // Positions of another size are ignored: the windows take their design places.
    }
}

void ComputeScaling(const TRect& workArea, bool smallWindows, SGlobalVars& globals) {
    globals.workArea = workArea;
    int w = std::max(workArea.Width(), 750);
    w = std::min(w, smallWindows ? 800 : 950);
    const int h = workArea.Height();
    const float fw = static_cast<float>(w) * 0.00125f;
    const float fh = static_cast<float>(h) / 600.0f;
    if (fw > fh) {
        globals.scaleMul = h;
        globals.scaleDiv = 600;
        globals.scaleFactor = fh;
    } else {
        globals.scaleMul = w;
        globals.scaleDiv = 800;
        globals.scaleFactor = fw;
    }
}

// Options begin with "/" as the program has always taken them, but here an
// absolute path does too: an argument is a path, not an option, when it holds
// another "/" or names an existing file.
static bool IsOption(const std::string& a) {
    if (a.empty() || a[0] != '/') return false;
    if (a.find('/', 1) != std::string::npos) return false;
    struct stat st {};
    return ::stat(a.c_str(), &st) != 0;
}

int ParseCommandLine(const std::vector<std::string>& args, SGlobalVars& globals,
                     SProgramOptions& options, const TShowMessage& show) {
    const int last = static_cast<int>(args.size()) - 1;
    int i = 1;
    for (; i <= last; ++i) {
        const std::string& a = args[static_cast<std::size_t>(i)];
        if (!IsOption(a)) break;
        if (a == "/Ms")
            options.SetFlag(poMaxSpeed, true);
        else if (a == "/st")
            options.SetFlag(poCaptionText, true);
        else
            show("Invalid option \"" + a + "\"", "Error in command-line parameters", MB_OKCANCEL);
    }
    globals.firstFileArg = i;
    globals.fileArgCount = last - i + 1;
    return globals.fileArgCount;
}

void WriteWindowState(TRegistry& registry, const SGlobalVars& globals,
                      const SProgramOptions& options, const TShowMessage& show) {
    const bool remember = options.Flag(poRememberWindows);
    try {
        // One update: a close cut short leaves the positions and the mode both old or both new.
        registry.Transaction([&] {
            if (!registry.OpenKey(kProgramKey, false)) return;
            if (remember) {
                std::uint8_t raw[26];
                for (std::size_t i = 0; i < 13; ++i) {
                    const auto v = static_cast<std::uint16_t>(globals.winPos[i]);
                    raw[2 * i] = static_cast<std::uint8_t>(v & 0xFF);
                    raw[2 * i + 1] = static_cast<std::uint8_t>(v >> 8);
                }
                registry.WriteBinaryData(kWinPositionsValue, raw, 26);
                registry.WriteBool(kMultiFileModeValue, globals.multiFileMode);
            } else {
                registry.DeleteValue(kWinPositionsValue);
                registry.WriteBool(kMultiFileModeValue, false);
            }
        });
    } catch (const ERegistryDamaged&) {
        // Set aside now: the next start finds no key and takes the defaults.
        ShowRegistryDamaged(show);
    } catch (const std::exception&) {
        // A store out of reach at close fails the step's write.
        show(remember ? "Error writing registry" : "Error deleting a registry value",
             "Severe Error", MB_OK);
    }
}
