// Loading a COMTRADE set: the CFG file names and scales the channels, the DAT
// file beside it holds the samples.

#include "Ascii.h"
#include "ComtradeCfg.h"
#include "ComtradeDat.h"
#include "FileAccess.h"
#include "SimOut.h"

#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

const char* const kOpenDat = "Unable to open DAT file (does it exist?)";
const char* const kNoMemory = "Unable to allocate memory for variables";

struct UnitKind {
    std::string prefix;
    double factor = 1.0;
};

UnitKind kindOfUnit(const std::string& unit, const std::string& component) {
    // From the first to the last non-blank character; a blank unit is one blank.
    const auto first = unit.find_first_not_of(' ');
    const std::string_view word =
        first == std::string::npos
            ? std::string_view(unit).substr(0, 1)
            : std::string_view(unit).substr(first, unit.find_last_not_of(' ') - first + 1);
    UnitKind k;
    if (word == "DEG") {
        k.prefix = "a:";
        return k;
    }
    if (word.size() > 1 && (word[0] == 'k' || word[0] == 'm'))
        k.factor = word[0] == 'k' ? 1000.0 : 0.001;
    // The unit letter stands alone or after k or m: longer words ("kVA", "kWh",
    // "MW") are not the unit their first letters name.
    char letter = 0;
    if (word.size() == 1)
        letter = word[0];
    else if (word.size() == 2 && k.factor != 1.0)
        letter = word[1];
    static constexpr std::pair<char, const char*> kLetters[] = {
        {'V', "v:"}, {'A', "c:"}, {'W', "p:"}, {'J', "e:"}};
    for (const auto& [l, prefix] : kLetters)
        if (letter == l) {
            k.prefix = prefix;
            return k;
        }
    if (!component.empty() && isAsciiAlpha(component[0])) {
        k.prefix = std::string(1, component[0]) + ":";
    } else {
        k.factor = 1.0;
        k.prefix = "?:";
    }
    return k;
}

} // namespace

void SimOut::PrefixFromUnit(int index, std::string& name, const std::string& unit,
                            const std::string& component) {
    const UnitKind k = kindOfUnit(unit, component);
    if (index >= 0) {
        if (static_cast<std::size_t>(index) >= factor.size())
            factor.resize(static_cast<std::size_t>(index) + 1, 1.0f);
        factor[static_cast<std::size_t>(index)] = static_cast<float>(k.factor);
    }
    name = k.prefix + name;
}

std::string SimOut::readComtrade(const std::string& cfgFileName) try {
    pl4TimeRun = false;
    comtrade::Config cfg;
    const comtrade::Warn warnSink = [this](const std::string& t, const std::string& x) {
        warning(t, x);
    };
    if (std::string reason = comtrade::readConfig(cfgFileName, tok, cfg, warnSink); !reason.empty())
        return reason;

    comtrade::DatLayout layout;
    layout.nAnalog = static_cast<int>(cfg.analog.size());
    layout.nDigital = static_cast<int>(cfg.digital.size());
    layout.secondsPerTick = cfg.secondsPerTick();
    const int vars = 1 + layout.nAnalog + layout.nDigital;
    std::vector<std::string> channelNames{"t"};
    channelNames.reserve(static_cast<std::size_t>(vars));
    factor.assign(static_cast<std::size_t>(vars), 1.0f);
    for (const comtrade::AnalogChannel& ch : cfg.analog) {
        const int index = static_cast<int>(channelNames.size());
        std::string name = ch.id;
        const std::string unit = ch.unit.empty() ? "X" : ch.unit;
        PrefixFromUnit(index, name, unit, ch.ccbm);
        // The exact decimal factor, not its float copy in `factor`.
        const double unitFactor = kindOfUnit(unit, ch.ccbm).factor;
        layout.scale.push_back(ch.a * unitFactor);
        layout.offset.push_back(ch.b * unitFactor);
        channelNames.push_back(std::move(name));
    }
    for (const std::string& id : cfg.digital) {
        std::string name = id;
        PrefixFromUnit(static_cast<int>(channelNames.size()), name, " ", "d");
        channelNames.push_back(std::move(name));
    }

    const std::string datName = comtrade::findDatFile(cfgFileName);
    InputFile dat;
    if (datName.empty() || dat.open(datName) != InputFile::Status::ok) return kOpenDat;
    if (std::string reason = comtrade::datSizeProblem(dat, layout, cfg.binary, cfg.nPoints);
        !reason.empty())
        return reason;

    FMatrix samples(vars, static_cast<long>(cfg.nPoints));
    if (!samples) return kNoMemory;
    const std::string reason =
        cfg.binary ? comtrade::readBinaryDat(dat, layout, cfg.nPoints, samples.get())
                   : comtrade::readAsciiDat(dat, layout, cfg.nPoints, samples.get());
    if (!reason.empty()) return reason;

    names = std::move(channelNames);
    data = std::move(samples);
    nVars = vars;
    nPoints = static_cast<int>(cfg.nPoints);
    fileKind = fkComtrade;
    return {};
} catch (const std::bad_alloc&) {
    return kNoMemory;
} catch (const std::length_error&) {
    return kNoMemory;
}
