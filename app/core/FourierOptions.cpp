#include "FourierOptions.h"

#include "FourierEngine.h"
#include "NumericText.h"

#include <cmath>

float LargestAllowedTime(float tEnd) {
    return tEnd * 1.000001f;
}

bool ParseHarmonicOrder(const std::string& text, int& order) {
    const auto b = text.find_first_not_of(' ');
    if (b == std::string::npos) return false;
    const auto e = text.find_last_not_of(' ');
    const std::string digits = text.substr(b, e - b + 1);
    if (digits.empty() || digits.size() > 4) return false; // 9999 has four digits
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    order = value;
    return value <= kMaxHarmonicOrder;
}

SFourierOptionsVerdict CheckFourierOptions(const SFourierOptionsInput& in) {
    SFourierOptionsVerdict v;
    auto fail = [&v](EFourierField field, std::string message) {
        v.field = field;
        v.message = std::move(message);
        return v;
    };
    auto read = [](double& value, const std::string& text, const SShownTime& shown) {
        if (!shown.text.empty() && text == shown.text) {
            value = shown.value;
            return 0;
        }
        return TextToDouble(value, text);
    };
    double ti = 0, tf = 0;
    if (read(ti, in.initialText, in.shownInitial) != 0)
        return fail(EFourierField::InitialTime, "Invalid Initial time of the base period");
    if (read(tf, in.finalText, in.shownFinal) != 0)
        return fail(EFourierField::FinalTime, "Invalid Final time of the base period");
    // The tolerance is a part in 10000 of the limit's size, so negative times pass too.
    const double smallest = in.smallest, largest = in.largestAllowed;
    if (ti < smallest - 0.0001 * std::fabs(smallest))
        return fail(EFourierField::InitialTime,
                    "Invalid Initial time of the base period:\nthe selected time cannot be "
                    "smaller than the smallest time in data;\nsmallest available time: " +
                        FormatNumber(in.smallest, 3));
    if (tf > largest + 0.0001 * std::fabs(largest))
        return fail(EFourierField::FinalTime,
                    "Invalid final time of the base period:\nthe selected time cannot be larger "
                    "than the largest time in data;\nlargest available time: " +
                        FormatNumber(in.largestAllowed, 3));
    if (ti >= tf)
        return fail(EFourierField::FinalTime, "Final t should be greater than Initial t!");
    // The transform needs a few samples; fewer give no amplitude at all.
    const SBasePeriod p = PeriodFromDialog(in.tFirst, in.tLast, in.n, in.sps, ti, tf);
    if (!(in.sps > 0) || p.Count() < 3)
        return fail(EFourierField::InitialTime,
                    "Invalid base period:\nit should hold at least 3 samples");
    int first = 0, last = 0;
    if (!ParseHarmonicOrder(in.firstOrderText, first))
        return fail(EFourierField::FirstOrder,
                    "Invalid minimum harmonic order:\nonly whole numbers from 0 to 9999 are "
                    "allowed");
    if (!ParseHarmonicOrder(in.lastOrderText, last))
        return fail(EFourierField::LastOrder,
                    "Invalid maximum harmonic order:\nonly whole numbers from 0 to 9999 are "
                    "allowed");
    if (last <= first)
        return fail(EFourierField::LastOrder, "Max harmonic order should be greater than minimum!");
    // At least two orders must have a value; the last order may lie above the resolved ones.
    const int resolved = HighestResolvedOrder(p.Count());
    if (first >= resolved)
        return fail(EFourierField::FirstOrder,
                    "Invalid minimum harmonic order:\n" + ResolvedOrdersText(p.Count()) +
                        ";\nthe minimum should be below " + std::to_string(resolved));
    v.ok = true;
    v.initialTime = ti;
    v.finalTime = tf;
    v.firstOrder = first;
    v.lastOrder = last;
    return v;
}
