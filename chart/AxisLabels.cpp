#include "AxisLabels.h"

#include "ChartNumbers.h"
#include "PixelMath.h"

#include <cmath>
#include <cstdlib>

namespace {

bool UsableSpacing(float px) {
    return std::isfinite(px) && px > 0;
}

// Unit character shared by every curve of a y axis, 0 when they differ or lack one.
std::uint8_t CommonUnit(std::span<const SCurveParam> curves, std::uint8_t kind) {
    std::uint8_t u = 0;
    bool any = false;
    for (const SCurveParam& c : curves) {
        if (c.axis + 1 != kind) continue;
        if (c.unitChar == 0) return 0;
        if (any && c.unitChar != u) return 0;
        u = c.unitChar;
        any = true;
    }
    return u;
}

} // namespace

bool BuildUnitTexts(const SAxis& axis, const SLabelEnv& env, SUnitText& texts) {
    if (env.userLabel) return false;
    bool found = false;
    if (axis.scaleType == stDB) {
        texts.unit = "dB";
        found = true;
    } else if (axis.scaleType == stLin && axis.kind != 0 && !env.yUnitText.empty()) {
        // No prefix before a ratio: a factor stays a power of ten after the unit.
        texts.unit = "[" + std::string(env.yUnitText) + "]";
        texts.exponent.clear();
        if (axis.factor != 1.0f) {
            texts.unit += " *10";
            texts.exponent = std::to_string(axis.engExponent);
        }
        return true;
    } else if (axis.scaleType == stLin && !env.autoLabel) {
        // Without units a linear axis shows none: not one left from an earlier picture.
        texts.unit.clear();
    } else if (axis.scaleType == stLin && env.autoLabel) {
        std::uint8_t u = 0, u2 = 0;
        const bool allowed =
            std::abs(axis.engExponent) <= 12 && (axis.kind != 0 || env.xVar.xIsTime);
        if (allowed) {
            if (axis.kind == 0) {
                u = env.xVar.unitChar;
                u2 = env.xVar.unitChar2;
            } else {
                u = CommonUnit(env.curves, axis.kind);
            }
        }
        if (u != 0) {
            std::string s = "[";
            if (axis.factor != 1.0f) {
                static const char prefixes[] = "pnum0kMGT";
                const int i = axis.engExponent / 3 + 4;
                if (i >= 0 && i < 9) s += prefixes[i];
            }
            s += static_cast<char>(u);
            if (axis.kind == 0 && u2 != 0) s += static_cast<char>(u2);
            texts.unit = s + "]";
            found = true;
        } else {
            texts.unit.clear();
        }
    }
    if (found || axis.factor == 1.0f) {
        // "*10" is the factor's own text: without its exponent it would stand alone.
        if (!found && texts.unit == "*10") texts.unit.clear();
        texts.exponent.clear();
    } else {
        texts.unit = "*10";
        texts.exponent = std::to_string(axis.engExponent);
    }
    return found;
}

int TextPairWidth(const SLabelEnv& env, std::string_view text, std::string_view raised) {
    if (!env.measure) return 0;
    int w = env.measure->TextWidth(text, env.labelFontSize);
    if (!raised.empty()) w += env.measure->TextWidth(raised, env.exponentFontSize);
    return w;
}

int MeasureUnitLabel(const SAxis& axis, const SLabelEnv& env, SUnitText& texts) {
    BuildUnitTexts(axis, env, texts);
    return TextPairWidth(env, texts.unit, texts.exponent) + 1;
}

std::string TickLabel(float value, int decimals) {
    return chartnum::FloatToStrFixed(value, 5, decimals < 0 ? 0 : decimals);
}

std::vector<STick> LinearYTicks(const SAxis& axis, int plotTop, int plotBottom, float spacingPx) {
    std::vector<STick> ticks;
    if (!UsableSpacing(spacingPx)) return ticks;
    float r = static_cast<float>(plotBottom);
    float value = axis.lower;
    for (int k = 0; k < kMaxTicks; ++k) {
        const int row = RoundSat(r);
        if (row < plotTop - 2) break;
        STick t;
        t.pos = row;
        t.labelled = !axis.everyOther || k % 2 == 0;
        if (t.labelled) t.text = TickLabel(value, axis.decimals);
        ticks.push_back(std::move(t));
        r -= spacingPx;
        value += axis.spacing;
    }
    return ticks;
}

std::vector<STick> LinearXTicks(const SAxis& axis, int plotLeft, int plotRight, int barMargin,
                                float spacingPx) {
    std::vector<STick> ticks;
    if (!UsableSpacing(spacingPx)) return ticks;
    float c = static_cast<float>(plotLeft + barMargin);
    float value = axis.lower;
    for (int k = 0; k < kMaxTicks; ++k) {
        const int column = RoundSat(c);
        if (column > plotRight - barMargin) break;
        STick t;
        t.pos = column;
        t.labelled = !axis.everyOther || k % 2 == 0;
        if (t.labelled) t.text = TickLabel(value, axis.decimals);
        ticks.push_back(std::move(t));
        c += spacingPx;
        value += axis.spacing;
    }
    return ticks;
}

std::vector<int> LinearYGridRows(int plotTop, int plotBottom, float spacingPx) {
    std::vector<int> rows;
    if (!UsableSpacing(spacingPx)) return rows;
    float r = static_cast<float>(plotBottom);
    for (int k = 0; k < kMaxTicks; ++k) {
        const int row = RoundSat(r);
        if (row < plotTop) break;
        if (row != plotBottom && row != plotTop) rows.push_back(row);
        r -= spacingPx;
    }
    return rows;
}

std::vector<int> LinearXGridColumns(int firstColumn, int xPixelLength, float spacingPx) {
    std::vector<int> columns;
    if (!UsableSpacing(spacingPx)) return columns;
    for (int k = 1; k < kMaxTicks; ++k) {
        const int offset = RoundSat(static_cast<double>(k) * spacingPx);
        if (offset >= xPixelLength - 1) break;
        columns.push_back(firstColumn + offset);
    }
    return columns;
}

namespace {

int DecadeCount(const SAxis& axis) {
    const long n = static_cast<long>(axis.highDecade) - axis.lowDecade;
    return n < 1 ? 1 : static_cast<int>(n); // one decade at least: never a division by zero
}

STick DecadeLabel(int pos, int decade) {
    STick t;
    t.pos = pos;
    t.text = "10";
    t.raised = std::to_string(decade);
    return t;
}

} // namespace

SDecadeTicks DBTicks(const SAxis& axis, int spanStart, int spanEnd, bool yAxis, int fontHeight) {
    SDecadeTicks out;
    const int n = DecadeCount(axis);
    const int L = spanEnd - spanStart;
    if (L <= 0) return out;
    const int fh = std::abs(fontHeight);
    out.density = 2;
    if (L / n < 2 * fh)
        out.density = 1;
    else if (n <= 8 && L / n > 5.5 * fh)
        out.density = 3;

    std::vector<int> pos{spanStart};
    double stepDB = 20;
    if (out.density == 1) {
        stepDB = 20.0 * n;
        out.pixelStep = static_cast<float>(L + 1);
        pos.push_back(spanEnd);
    } else if (out.density == 2) {
        out.pixelStep = static_cast<float>(L + 1) / n;
        for (int k = 1; k <= n; ++k)
            pos.push_back(TruncSat(pos.back() + double(out.pixelStep)));
    } else {
        stepDB = 10;
        out.pixelStep = static_cast<float>(L + 1) / (2 * n);
        for (int k = 1; k <= 2 * n; ++k)
            pos.push_back(TruncSat(spanStart + k * double(out.pixelStep)));
        if (pos.back() == spanEnd + 1 || pos.back() == spanEnd - 1) pos.back() = spanEnd;
    }
    const int last = static_cast<int>(pos.size()) - 1;
    for (int k = 0; k <= last; ++k) {
        STick t;
        t.pos = yAxis ? pos[last - k] : pos[k]; // y labels count from the bottom
        t.text = chartnum::Print("%.0f", 20.0 * axis.lowDecade + stepDB * k);
        out.ticks.push_back(std::move(t));
    }
    return out;
}

SDecadeTicks LogTicks(const SAxis& axis, int spanStart, int spanEnd, bool yAxis, int fontHeight) {
    SDecadeTicks out;
    const int n = DecadeCount(axis);
    const int L = spanEnd - spanStart;
    if (L <= 0) return out;
    const int fh = std::abs(fontHeight);
    out.density = 2;
    if (L / n < 2 * fh)
        out.density = 1;
    else if (L / n > 5 * fh && n < 6)
        out.density = 3;
    out.pixelStep = static_cast<float>(L + 1) / n;

    const double start = yAxis ? spanEnd : spanStart; // the end that holds 10^lo
    const double dir = yAxis ? -1 : 1;
    auto decadePos = [&](int k) {
        if (k == n) return yAxis ? spanStart : spanEnd;
        return TruncSat(start + dir * k * double(out.pixelStep));
    };
    for (int k = 0; k <= n; ++k) {
        const int p = decadePos(k);
        if (out.density != 1 || k == 0 || k == n)
            out.ticks.push_back(DecadeLabel(p, axis.lowDecade + k));
        if (out.density == 3 && k < n) {
            for (int j = 1; j <= 4; ++j) {
                STick m;
                m.pos = TruncSat(p + dir * std::log10(2.0 * j) * out.pixelStep);
                m.labelled = false;
                m.minor = true;
                out.ticks.push_back(m);
            }
        }
    }
    return out;
}
