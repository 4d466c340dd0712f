#include "AxisScale.h"

#include "ChartNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

using chartnum::ExponentOf;
using chartnum::ReadBack;
using chartnum::SignedExp3;

SScaleMessage ScaleMessage(EScaleMsg msg) {
    auto logText = [](const char* axis) {
        return std::string("Cannot create a log scale on the ") + axis +
               "\nbecause the range contains null or negative values\n\nPlease change the "
               "variable to be plot, or the " +
               axis + " range or choose a linear scale";
    };
    switch (msg) {
    case EScaleMsg::LogRangeX:
        return {logText("x-axis"), "Invalid Request", EMsgIcon::Warning, false};
    case EScaleMsg::LogRangeY:
        return {logText("y-axis"), "Invalid Request", EMsgIcon::Warning, false};
    case EScaleMsg::NotFinite:
        return {"Cannot scale an axis whose range is not a finite number", "Invalid Request",
                EMsgIcon::Warning, false};
    case EScaleMsg::NoBetterScales:
        return {"Sorry, cannot find better scales for these axes!", "Apologise",
                EMsgIcon::Information, false};
    case EScaleMsg::AxisType:
        return {"Unexpected Error \"AxisType\"\nPlease, contact program maintenance",
                "Unexpected Error", EMsgIcon::Error, true};
    case EScaleMsg::None:
        break;
    }
    return {};
}

namespace {

double Pow10(int e) {
    return std::pow(10.0, e);
}

// Mantissa digits in thousandths: 9.870 -> 9870.
unsigned Thousandths(const SDigits& d) {
    return d.lead * 1000 + d.d1 * 100 + d.d2 * 10 + d.d3;
}

void SetThousandths(SDigits& d, unsigned m) {
    d.lead = m / 1000;
    d.d1 = m / 100 % 10;
    d.d2 = m / 10 % 10;
    d.d3 = m % 10;
}

void Split(SDigits& d, float v) {
    d = SDigits{};
    d.value = d.rounded = v;
    const std::string t = SignedExp3(v);
    if (t.size() < 9 || t[2] != '.' || t[6] != 'e') return; // not finite: callers reject it
    d.sign = t[0];
    d.lead = static_cast<unsigned>(t[1] - '0');
    d.d1 = static_cast<unsigned>(t[3] - '0');
    d.d2 = static_cast<unsigned>(t[4] - '0');
    d.d3 = static_cast<unsigned>(t[5] - '0');
    d.exponent = std::atoi(t.c_str() + 7);
}

// Moves the digits right by n places onto exponent e (zeros enter at the left).
void ShiftTo(SDigits& d, int n, int e) {
    unsigned m = Thousandths(d);
    for (int i = 0; i < n; ++i)
        m /= 10;
    SetThousandths(d, m);
    d.exponent = e;
}

// Rounding step in thousandths of the mantissa; 0 for an invalid request.
unsigned StepOf(unsigned position, unsigned step) {
    static const unsigned table[3][3] = {{1000, 500, 200}, {100, 50, 20}, {10, 10, 10}};
    const int s = step == 1 ? 0 : step == 2 ? 1 : step == 5 ? 2 : -1;
    if (position < 1 || position > 3 || s < 0) return 0;
    return table[position - 1][s];
}

float Compose(const SDigits& d, unsigned m) {
    m -= m % 10; // only the leading digit and two decimals enter
    const int e = d.exponent - 3;
    const double v = e >= 0 ? m * Pow10(e) : m / Pow10(-e);
    return static_cast<float>(d.sign == '-' ? -v : v);
}

} // namespace

void BeginRounding(SDigits& lower, SDigits& upper, float a, float b) {
    Split(lower, a);
    Split(upper, b);
    const int diff = upper.exponent - lower.exponent;
    if (diff == 0) return;
    if (diff >= 1 && diff <= 3 && upper.lead != 0) {
        ShiftTo(lower, diff, upper.exponent);
    } else if (diff >= -3 && diff <= -1 && lower.lead != 0) {
        ShiftTo(upper, -diff, lower.exponent);
    } else {
        SDigits& small = std::fabs(a) >= std::fabs(b) ? upper : lower;
        const int e = &small == &upper ? lower.exponent : upper.exponent;
        SetThousandths(small, 0);
        small.exponent = e;
    }
}

float Plus(const SDigits& d, unsigned position, unsigned step) {
    const unsigned s = StepOf(position, step);
    if (s == 0) return d.value;
    const unsigned m = Thousandths(d);
    return Compose(d, (m + s - 1) / s * s);
}

float Minus(const SDigits& d, unsigned position, unsigned step) {
    const unsigned s = StepOf(position, step);
    if (s == 0) return d.value;
    return Compose(d, Thousandths(d) / s * s);
}

bool AllowsZero(float lower, float upper, int ticks) {
    for (int k = 0; k < ticks; ++k) {
        const double spacing = (double(upper) - lower) / (ticks + 1);
        if (std::fabs(lower + k * spacing) < 0.001) return true;
    }
    return false;
}

int ComputeTic(float lower, float upper, int c) {
    if (c < 0) return 0;
    const double range = double(upper) - lower;
    if (!std::isfinite(range) || range <= 0) return c;
    const std::string r = chartnum::Exp3(range);
    if (r.size() < 4 || r[1] < '0' || r[1] > '9' || r[3] < '0' || r[3] > '9') return c;
    const int R = 10 * (r[1] - '0') + (r[3] - '0');

    std::string text[4];
    int p[4];
    bool z[4];
    for (int i = 0; i < 4; ++i) {
        text[i] = chartnum::Print("%7.4f", double(R) / (c + i + 1));
        p[i] = chartnum::DecimalsOf(text[i]);
        z[i] = AllowsZero(lower, upper, c + i);
    }
    const int m = std::min(5, *std::min_element(p, p + 4));
    bool inA[4], inB[4];
    for (int i = 0; i < 4; ++i) {
        inA[i] = p[i] == m;
        inB[i] = p[i] == m + 1 || p[i] == m + 2;
    }
    bool inK[4];
    auto pick = [&](const bool* set, bool withZero) {
        bool any = false;
        for (int i = 0; i < 4; ++i) {
            inK[i] = set[i] && (!withZero || z[i]);
            any = any || inK[i];
        }
        return any;
    };
    if (double(lower) * upper < 0) {
        if (!pick(inA, true) && !pick(inB, true)) pick(inA, false);
    } else {
        pick(inA, false);
    }
    // Prefer steps ending in 0, then 5, then an even digit, scanning from the most ticks.
    auto charAt = [&](int i) {
        const std::size_t pos = static_cast<std::size_t>(p[i]) + 1;
        return pos < text[i].size() ? text[i][pos] : '\0';
    };
    for (const char* wanted : {"0", "5", "2468"}) {
        for (int i = 3; i >= 0; --i) {
            const char ch = charAt(i);
            if (inK[i] && ch != '\0' && std::strchr(wanted, ch)) return c + i;
        }
    }
    for (int i = 3; i >= 0; --i)
        if (inK[i]) return c + i;
    return c;
}

int ComputeDecimals(float lower, float spacing, bool everyOther) {
    const int m = everyOther ? 2 : 1;
    int result = 0;
    for (int k : {m, 2 * m}) {
        const std::string s =
            chartnum::StripTrailingZeros(chartnum::Print("%+.4f", lower + double(k) * spacing));
        const auto point = s.find('.');
        int decimals = point == std::string::npos ? 0 : static_cast<int>(s.size() - point - 1);
        if (static_cast<int>(s.size()) - 1 > 6 && decimals >= 2) decimals = 2;
        result = std::max(result, decimals);
    }
    return result;
}

int EngineeringExponent(int e) {
    if (e > -2 && e < 4) return 0;
    return ((e < 0 ? e - 1 : e) / 3) * 3;
}

namespace {

SAxisResult ScaleDecades(SAxis& axis, float a, float b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return {1, EScaleMsg::NotFinite};
    if (!(a > 0 && b > 0)) return {1, axis.kind == 0 ? EScaleMsg::LogRangeX : EScaleMsg::LogRangeY};
    const std::string tb = SignedExp3(b);
    axis.lowDecade = ExponentOf(a);
    axis.highDecade = ExponentOf(b) + (tb.compare(0, 6, "+1.000") == 0 ? 0 : 1);
    // Ends within one decade (a constant 1.0) still span a whole decade.
    axis.highDecade = std::max(axis.highDecade, axis.lowDecade + 1);
    axis.everyOther = false;
    axis.tickMode = 1;
    axis.factor = 1;
    axis.spacing = 1; // one decade
    axis.lower = axis.lowerData = static_cast<float>(Pow10(axis.lowDecade));
    axis.upper = axis.upperData = static_cast<float>(Pow10(axis.highDecade));
    return {};
}

} // namespace

SAxisResult ScaleAxisEnds(SAxis& axis, float a, float b, int d, bool keep) {
    if (axis.scaleType != stLin) return ScaleDecades(axis, a, b);
    if (!std::isfinite(a) || !std::isfinite(b)) return {1, EScaleMsg::NotFinite};

    axis.everyOther = false;
    const float ar = static_cast<float>(ReadBack(SignedExp3(a)));
    const float br = static_cast<float>(ReadBack(SignedExp3(b)));
    int e = 0;
    // Kept ends are flat only when equal: their 4-digit roundings may coincide
    // on a deep zoom (1000 .. 1000.5).
    if (keep ? a == b : ar == br) {
        const double v = keep ? a : ar;
        if (v > 0) {
            axis.lower = 0, axis.upper = static_cast<float>(2 * v), axis.spacing = float(v);
        } else if (v < 0) {
            axis.lower = static_cast<float>(2 * v), axis.upper = 0, axis.spacing = float(-v);
        } else {
            axis.lower = -1, axis.upper = 1, axis.spacing = 1;
        }
        axis.tickMode = 0;
        e = ExponentOf(v);
    } else {
        SDigits lo, up;
        BeginRounding(lo, up, ar, br);
        if (keep) {
            // Kept ends are the caller's values, not their 4-digit rounding.
            axis.lower = a;
            axis.upper = b;
            if (a == b)
                axis.tickMode = 0;
            else if (a == 0 || b == 0)
                axis.tickMode = 2;
            else
                axis.tickMode = std::fabs((double(a) - b) / b) >= 0.0001 ? 2 : 1;
        } else {
            const double mb = br * Pow10(-up.exponent), ma = ar * Pow10(-lo.exponent);
            if (std::fabs(mb - ma - 1.2) < 0.00001 && up.d2 == 0 && up.d3 == 0) {
                axis.lower = ar;
                axis.upper = br;
                axis.tickMode = 2;
            } else {
                using Round = float (*)(const SDigits&, unsigned, unsigned);
                Round roundUp = Plus, roundLo = Plus;
                if (double(ar) * br > 0 && std::fabs(ar) > std::fabs(br))
                    roundUp = Minus;
                else if (double(ar) * br > 0)
                    roundLo = Minus;
                axis.tickMode = 1;
                for (unsigned pos = 1; pos <= 3 && axis.tickMode != 2; ++pos) {
                    bool stop = false;
                    for (unsigned step : {1u, 2u, 5u}) {
                        up.rounded = roundUp(up, pos, step);
                        lo.rounded = roundLo(lo, pos, step);
                        const double r = double(up.rounded) - lo.rounded;
                        if (r == 0) {
                            stop = true;
                            break;
                        }
                        if ((double(br) - ar) / r >= 0.80001) {
                            axis.lower = lo.rounded;
                            axis.upper = up.rounded;
                            axis.tickMode = 2;
                            break;
                        }
                    }
                    if (stop) break;
                }
                if (axis.tickMode != 2) {
                    axis.lower = ar;
                    axis.upper = br;
                }
            }
        }
        const float ru = axis.upper, rl = axis.lower;

        int g;
        if (axis.tickMode == 2) {
            g = ComputeTic(axis.lower, axis.upper, d);
            if (g == d) axis.everyOther = true;
        } else {
            g = std::max(0, d + 1); // a negative budget still gives one interval
        }
        axis.spacing = static_cast<float>((double(axis.upper) - axis.lower) / (g + 1));
        if (axis.everyOther) axis.spacing /= 2;
        // Drop an interval that lies wholly outside the data; never the last
        // one, and never from ends the caller asked to keep.
        if (axis.tickMode == 2 && !axis.everyOther && !keep && g >= 1) {
            bool dropped = false;
            if (0.9999 * (double(axis.lower) + axis.spacing) < ar) {
                axis.lower += axis.spacing;
                dropped = true;
            } else if (1.0001 * (double(axis.upper) - axis.spacing) > br) {
                axis.upper -= axis.spacing;
                dropped = true;
            }
            if (dropped) {
                --g;
                axis.spacing = static_cast<float>((double(axis.upper) - axis.lower) / (g + 1));
            }
        }
        e = ExponentOf(ru);
        const int eLow = ExponentOf(rl);
        if (ru == 0 || (eLow > e && rl != 0)) e = eLow;
    }

    axis.engExponent = EngineeringExponent(e);
    axis.factor = static_cast<float>(Pow10(axis.engExponent));
    axis.lower /= axis.factor;
    axis.upper /= axis.factor;
    axis.spacing /= axis.factor;
    axis.decimals = ComputeDecimals(axis.lower, axis.spacing, axis.everyOther);
    axis.lowerData = axis.lower * axis.factor;
    axis.upperData = axis.upper * axis.factor;
    return {};
}

SAxisResult AxisLabelWidth(SAxis& axis, const SLabelEnv& env, SUnitText& texts) {
    auto width = [&](const std::string& t, int size) {
        return env.measure ? env.measure->TextWidth(t, size) : 0;
    };
    if (axis.scaleType == stDB) {
        axis.labelWidth = std::max(width(std::to_string(20 * axis.lowDecade), env.labelFontSize),
                                   width(std::to_string(20 * axis.highDecade), env.labelFontSize));
        return {};
    }
    if (axis.scaleType == stLog) {
        const int ten = width("10", env.labelFontSize);
        axis.labelWidth =
            ten + std::max(width(std::to_string(axis.lowDecade), env.exponentFontSize),
                           width(std::to_string(axis.highDecade), env.exponentFontSize));
        return {};
    }

    SAxisResult result;
    const int n = std::max(0, axis.decimals);
    int widest = 0;
    const float step = axis.everyOther ? 2 * axis.spacing : axis.spacing;
    const std::string upperText = chartnum::Fixed(axis.upper, n);
    if (axis.tickMode == 0 || !std::isfinite(step) || step <= 0) {
        widest = std::max(width(upperText, env.labelFontSize),
                          width(chartnum::Fixed(axis.lower, n), env.labelFontSize));
    } else {
        const double upperValue = ReadBack(upperText);
        for (int k = 0;; ++k) {
            const std::string t = chartnum::Fixed(axis.lower + k * step, n);
            if (ReadBack(t) > upperValue) break;
            if (k == 9) {
                result.message = EScaleMsg::NoBetterScales;
                break;
            }
            widest = std::max(widest, width(t, env.labelFontSize));
        }
    }

    switch (axis.kind) {
    case 0:
        axis.labelWidth = widest;
        break;
    case 1: {
        const int unit = MeasureUnitLabel(axis, env, texts);
        axis.labelWidth = std::max(widest, unit - (axis.everyOther ? 0 : env.yTickLength));
        break;
    }
    case 2:
        axis.labelWidth = std::max(widest, MeasureUnitLabel(axis, env, texts));
        break;
    default:
        return {1, EScaleMsg::AxisType};
    }
    return result;
}

SAxisResult ScaleAxis(SAxis& axis, float a, float b, int tickBudget, bool keep,
                      const SLabelEnv& env, SUnitText& texts) {
    const SAxisResult ends = ScaleAxisEnds(axis, a, b, tickBudget, keep);
    if (ends.error) return ends;
    return AxisLabelWidth(axis, env, texts);
}

SScaleOutcome ScaleXY(SAxisSet& axes, FloatRect2& displayed, FloatRect2 rect, bool exactEnds,
                      const SScaleSettings& s) {
    SScaleOutcome out;
    const bool keep = exactEnds || s.manual;
    auto note = [&](const SAxisResult& r) {
        out.errors += r.error;
        if (r.message != EScaleMsg::None) out.messages.push_back(r.message);
    };
    note(ScaleAxis(axes.x, rect.xLower, rect.xUpper, s.xBudget, keep, s.env, axes.xText));
    note(ScaleAxis(axes.yLeft, rect.yLeftLower, rect.yLeftUpper, s.yBudget, keep, s.env,
                   axes.yLeftText));
    // A failed scaling leaves the displayed rectangle as it was.
    if (out.errors) return out;
    if (!exactEnds) {
        displayed.xLower = axes.x.lowerData;
        displayed.xUpper = axes.x.upperData;
        displayed.yLeftLower = axes.yLeft.lowerData;
        displayed.yLeftUpper = axes.yLeft.upperData;
    }
    if (!s.secondY) {
        axes.yRight.labelWidth = 0;
        return out;
    }
    note(ScaleAxis(axes.yRight, rect.yRightLower, rect.yRightUpper, s.yBudget, keep, s.env,
                   axes.yRightText));
    if (!out.errors && !exactEnds) {
        displayed.yRightLower = axes.yRight.lowerData;
        displayed.yRightUpper = axes.yRight.upperData;
    }
    return out;
}
