#include "FourierOutput.h"

#include "FourierEngine.h"
#include "NumericText.h"

#include <algorithm>

namespace {
float At(const std::vector<float>* v, int order) {
    return (*v)[static_cast<std::size_t>(order)];
}

// Empty when every order asked for is listed.
std::string LeftOutLine(const SFourierTable& t) {
    if (t.askedLast <= t.last) return {};
    return "Orders above " + std::to_string(t.last) + " left out: " + ResolvedOrdersText(t.samples);
}
} // namespace

std::string FourierCopyText(const SFourierTable& t, float thd, const std::string& date) {
    std::string s = "QJ's Curvix - Fourier chart(s).  Copying date: " + date + "\r\n";
    s += "File " + t.shortFileName + "   Variable " + t.variableName + " [" + t.unitText + "]\r\n";
    s += "Initial Time: " + FormatNumber(t.startTime, 4) +
         "    Final Time: " + FormatNumber(t.endTime, 4) + "\r\n";
    s += "Harm.\tAmplitude\tPhase\r\n";
    for (int h = t.first; h <= t.last; ++h)
        s += std::to_string(h) + "\t" + FormatNumber(At(t.displayed, h), 5) + "\t" +
             FormatNumber(At(t.phase, h), 5) + "\r\n";
    if (const std::string line = LeftOutLine(t); !line.empty()) s += line + "\r\n";
    if (t.first < 3 && thd > -0.5f) s += "\r\n THD=" + FormatNumber(thd, 5) + "%\r\n";
    s += "\r\n";
    return s;
}

float AmplitudeShare(int sizeIndex) {
    switch (sizeIndex) {
    case 0:
        return 0.5f;
    case 2:
        return 1.0f;
    default:
        return 0.7f;
    }
}

SFourierChartLayout FourierChartLayout(int clientWidth, int clientHeight, int panelWidth,
                                       float share) {
    SFourierChartLayout l;
    const int w = clientWidth - panelWidth, h = clientHeight;
    l.amplitudeHeight = static_cast<int>(h * share);
    if (share >= 1) {
        l.amplitudeWidth = w;
        return l;
    }
    l.amplitudeWidth = w - 1;
    l.phaseVisible = true;
    l.phaseTop = static_cast<int>(h * share + 2);
    l.phaseWidth = w - 1;
    l.phaseHeight = static_cast<int>(h * (1 - share));
    return l;
}

SFourierMinSize FourierMinTrackSize(int panelWidth, int frameHeight, int copyBtnBottom,
                                    int viewGroupHeight) {
    return {static_cast<int>(3.0 * panelWidth),
            static_cast<int>(frameHeight + copyBtnBottom + 1.1 * viewGroupHeight)};
}

int FitSidePanelFont(int startSize, int panelWidth, const std::function<int(int)>& width) {
    int size = startSize;
    while (width(size) + 2 > panelWidth && size > 6)
        --size;
    return size;
}

int FitCopyTitleSize(int chartWidth, const std::function<int(int)>& titleWidth) {
    int size = 14;
    while (titleWidth(size) > chartWidth && size > 5)
        --size;
    return size;
}

int FourierCopyHeight(int h1, int h2, int hh, bool amplitude, int amplitudeHeight, bool phase,
                      int phaseHeight) {
    int height = h1 + 2 * h2;
    if (amplitude) height += amplitudeHeight + hh;
    if (phase) height += phaseHeight + hh;
    return height;
}

SIntRect FourierPrintArea(int pageWidth, int pageHeight, int h10, float ratio) {
    SIntRect r;
    r.top = static_cast<int>(0.05 * pageHeight + h10);
    r.left = static_cast<int>(0.05 * pageWidth);
    if (static_cast<double>(pageHeight) / pageWidth > ratio) {
        r.right = static_cast<int>(0.95 * pageWidth);
        r.bottom = static_cast<int>((r.right - r.left) * static_cast<double>(ratio) + r.top);
    } else {
        r.bottom = static_cast<int>(0.95 * pageHeight);
        r.right = static_cast<int>(r.left + (r.bottom - r.top) / static_cast<double>(ratio));
    }
    return r;
}

std::vector<SPrintedText>
FourierNumericPrintout(const SFourierTable& t, float thd, const std::string& date, int pageWidth,
                       int pageHeight, int h10, int h14,
                       const std::function<int(const std::string&)>& width10) {
    const int x0 = static_cast<int>(pageWidth * 0.05), y0 = static_cast<int>(pageHeight * 0.05);
    const int lineStep = h10 + h14;
    const int pageEnd = static_cast<int>(pageHeight * 0.95);

    std::vector<std::string> amplitudes, phases;
    int w2 = width10("Amplitude"), w3 = width10("Phase");
    for (int h = t.first; h <= t.last; ++h) {
        amplitudes.push_back(FormatNumber(At(t.displayed, h), 5));
        phases.push_back(FormatNumber(At(t.phase, h), 5));
        w2 = std::max(w2, width10(amplitudes.back()));
        w3 = std::max(w3, width10(phases.back()));
    }
    const int w1 = width10("Harm."), g = width10("W");
    const int xa = x0 + w1 + g, xp = xa + w2 + g;

    std::vector<SPrintedText> out;
    int page = 0, y = 0;
    auto heading = [&] {
        out.push_back(
            {page, x0, y0, 14, "QJ's Curvix - Fourier numerical data.  Printing date: " + date});
        y = y0 + lineStep;
        out.push_back({page, x0, y, 10, "Harm."});
        out.push_back({page, xa, y, 10, "Amplitude"});
        out.push_back({page, xp, y, 10, "Phase"});
        y += 2 * h10;
    };
    // A line that would end below the page's printable part starts the next page.
    auto room = [&](int below) {
        if (y + below > pageEnd && y > y0 + lineStep + 2 * h10) {
            ++page;
            heading();
        }
    };
    heading();
    for (int h = t.first; h <= t.last; ++h) {
        room(h10);
        const auto i = static_cast<std::size_t>(h - t.first);
        out.push_back({page, x0, y, 10, std::to_string(h)});
        out.push_back({page, xa, y, 10, amplitudes[i]});
        out.push_back({page, xp, y, 10, phases[i]});
        y += h10;
    }
    if (const std::string line = LeftOutLine(t); !line.empty()) {
        room(h10);
        out.push_back({page, x0, y, 10, line});
        y += h10;
    }
    if (t.first < 3) {
        y += h10;
        room(h10);
        out.push_back({page, x0, y, 10, "THD=" + FormatNumber(thd, 5) + "%"});
    }
    return out;
}
