#pragma once
// The checks of the Fourier options dialog, in the dialog's order, without the dialog: the
// texts of its four fields and what is known of the curve in, a verdict out (the message
// and the field that gets the focus, or the values read).

#include <string>

enum class EFourierField { None, InitialTime, FinalTime, FirstOrder, LastOrder };

// A time the dialog wrote into an edit: the text shown and the whole value behind it.
struct SShownTime {
    std::string text; // empty: nothing shown
    double value = 0;
};

struct SFourierOptionsInput {
    std::string initialText, finalText, firstOrderText, lastOrderText;
    // A field whose text is still the one shown gives the shown value, not its rounding.
    SShownTime shownInitial, shownFinal;
    float smallest = 0;       // first time of the curve
    float largestAllowed = 0; // last time of the curve times 1.000001
    // For the sample count of the base period.
    float tFirst = 0, tLast = 0;
    int n = 0;
    float sps = 0;
};

struct SFourierOptionsVerdict {
    bool ok = false;
    std::string message; // shown under "Invalid data" when not ok
    EFourierField field = EFourierField::None;
    double initialTime = 0, finalTime = 0;
    int firstOrder = 0, lastOrder = 0;
};

inline constexpr int kMaxHarmonicOrder = 9999;

// Largest allowed time of a curve that ends at tEnd.
float LargestAllowedTime(float tEnd);

SFourierOptionsVerdict CheckFourierOptions(const SFourierOptionsInput& in);

// A whole number 0 ... kMaxHarmonicOrder (blanks around it allowed), else false.
bool ParseHarmonicOrder(const std::string& text, int& order);
