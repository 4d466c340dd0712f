#include "EditNumber.h"

#include "Edit.h"
#include "GlobalVars.h"
#include "MessageBox.h"
#include "NumericText.h"

int ReadEditNumber(double& out, TEdit& edit) {
    return ReadEditNumber(
        out, edit,
        [](std::string_view text, std::string_view title) {
            MessageBox(std::string(text), std::string(title), MB_OK | MB_ICONEXCLAMATION);
        },
        LanguageName);
}
