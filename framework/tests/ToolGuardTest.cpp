// Everything outside the project that the tests check against, each with the Debian
// package that brings it (tools/setup.sh installs them all). Under ./test.sh a missing
// one fails here by name, whatever other tests it takes with it.
#include "MissingTool.h"

#include <QFontDatabase>
#include <QStringList>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
bool PythonImports(const char* modules) {
    const std::string cmd =
        std::string("/usr/bin/python3 -c 'import ") + modules + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

bool HasLocale(const char* name) {
    locale_t l = newlocale(LC_ALL_MASK, name, nullptr);
    if (!l) return false;
    freelocale(l);
    return true;
}

bool HasFamily(const char* family) {
    return QFontDatabase::families().contains(QString::fromLatin1(family));
}
} // namespace

TEST(ToolGuard, EveryOutsideToolFontAndLocaleTheTestsUseIsThere) {
    struct Need {
        const char* what;
        const char* package;
        bool there;
    };
    const std::vector<Need> needs = {
        {"/usr/bin/wmf2svg", "libwmf-bin", fs::exists("/usr/bin/wmf2svg")},
        {"/usr/bin/wmf2gd", "libwmf-bin", fs::exists("/usr/bin/wmf2gd")},
        // Without them libwmf "failed to load *any* font".
        {"libwmf's Type 1 fonts", "fonts-urw-base35",
         fs::exists("/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1")},
        {"/usr/bin/pdftotext", "poppler-utils", fs::exists("/usr/bin/pdftotext")},
        {"/usr/bin/pdftoppm", "poppler-utils", fs::exists("/usr/bin/pdftoppm")},
        {"/usr/bin/tesseract", "tesseract-ocr", fs::exists("/usr/bin/tesseract")},
        {"tesseract's English data", "tesseract-ocr-eng",
         fs::exists("/usr/share/tesseract-ocr/5/tessdata/eng.traineddata")},
        // The program on a real desktop: a display, a window manager, input, frames, pixels.
        {"/usr/bin/Xvfb", "xvfb", fs::exists("/usr/bin/Xvfb")},
        {"/usr/bin/openbox", "openbox", fs::exists("/usr/bin/openbox")},
        {"/usr/bin/xwininfo", "x11-utils", fs::exists("/usr/bin/xwininfo")},
        {"/usr/bin/xprop", "x11-utils", fs::exists("/usr/bin/xprop")},
        {"/usr/bin/xdotool", "xdotool", fs::exists("/usr/bin/xdotool")},
        {"/usr/bin/xwd", "x11-apps", fs::exists("/usr/bin/xwd")},
        {"/usr/bin/python3", "python3", fs::exists("/usr/bin/python3")},
        {"python3's numpy", "python3-numpy", PythonImports("numpy")},
        {"python3's scipy.io", "python3-scipy", PythonImports("scipy.io")},
        {"the de_DE.UTF-8 locale", "locales (then: localedef -i de_DE -f UTF-8 de_DE.UTF-8)",
         HasLocale("de_DE.UTF-8")},
        // The faces that stand for Arial, Times New Roman and Courier New.
        {"the font Liberation Sans", "fonts-liberation2", HasFamily("Liberation Sans")},
        {"the font Liberation Serif", "fonts-liberation2", HasFamily("Liberation Serif")},
        {"the font Liberation Mono", "fonts-liberation2", HasFamily("Liberation Mono")},
    };
    std::string missing;
    for (const Need& n : needs)
        if (!n.there) missing += std::string("\n  ") + n.what + ": install " + n.package;
    if (!missing.empty())
        CURVIX_SKIP_OR_FAIL() << "missing (tools/setup.sh installs them):" << missing;
}
