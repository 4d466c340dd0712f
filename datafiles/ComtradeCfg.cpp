#include "ComtradeCfg.h"

#include "Ascii.h"
#include "ComtradeText.h"
#include "FileAccess.h"

#include <climits>
#include <string_view>

namespace comtrade {

namespace {

const char* const kOpenCfg = "Unable to open CFG file (does it exist?)";
const char* const kNotComtrade = "Input file(s) are not an IEEE COMTRADE set";

// One CFG line at a time, split by the record's tokenizer; rows count from 1.
class CfgCursor {
public:
    CfgCursor(const InputFile& f, CStrTok& tok) : lines_(f, 0, 64 * 1024), tok_(tok) {}

    bool line() {
        ++row_;
        std::string_view text;
        if (lines_.next(text) != LineReader::Status::line) return false;
        tok_.SetText(std::string(text));
        return true;
    }
    bool field(std::string_view& out) {
        const char* t = tok_.NextToken();
        if (!t) return false;
        out = t;
        return true;
    }
    bool fields(std::initializer_list<std::string_view*> out) {
        for (std::string_view* f : out)
            if (!field(*f)) return false;
        return true;
    }
    std::string error() const { return rowError("CFG", row_); }

private:
    LineReader lines_;
    CStrTok& tok_;
    std::int64_t row_ = 0;
};

std::string revisionWarning(std::string_view value) {
    // A field that ended the line used to carry its line feed.
    const std::string shown = value.empty() ? std::string("\\n") : std::string(value);
    return "A problem has been found in the first row of the input file:\nthe revision of "
           "COMTRADE standard appears to be 1999, but \"" +
           shown +
           "\"\nhas been found in the rev_year field instead of \"1999\".\nThe file has been "
           "assumed to be 1999 compliant.\n";
}

// "2A": a count followed by its channel letter.
bool parseTypedCount(std::string_view field, std::int64_t& n) {
    std::string_view s = trimBlanks(field);
    if (!s.empty() && isAsciiAlpha(s.back())) s.remove_suffix(1);
    return parseWhole(s, n);
}

std::int64_t countLines(const InputFile& f, bool& ok) {
    LineReader lines(f, 0, 64 * 1024);
    std::string_view text;
    std::int64_t n = 0;
    LineReader::Status st;
    while ((st = lines.next(text)) == LineReader::Status::line)
        ++n;
    ok = st == LineReader::Status::end;
    return n;
}

} // namespace

std::string rowError(const char* file, std::int64_t row) {
    return std::string("Error in ") + file + " file, row n. " + std::to_string(row);
}

std::string readConfig(const std::string& path, CStrTok& tok, Config& cfg, const Warn& warn) {
    const InputFile f(path);
    if (!f.isOpen()) return kOpenCfg;
    bool countOk = false;
    const std::int64_t nLines = countLines(f, countOk);
    if (!countOk) return rowError("CFG", nLines + 1);

    CfgCursor c(f, tok);
    std::string_view station, device, rev;
    if (!c.line() || !c.fields({&station, &device})) return c.error();
    cfg.revision = "1991";
    if (c.field(rev)) {
        const std::string_view year = trimBlanks(rev).substr(0, 4);
        if (year == "1999" || year == "1997" || year == "1991") {
            cfg.revision = std::string(year);
        } else {
            if (warn) warn("Warning", revisionWarning(year));
            cfg.revision = "1999";
        }
    }

    std::string_view total, analog;
    std::int64_t tt = 0, na = 0;
    if (!c.line() || !c.fields({&total, &analog}) || !parseWhole(total, tt) ||
        !parseTypedCount(analog, na))
        return c.error();
    if (tt < 0 || na < 0 || na > tt || tt >= INT_MAX)
        return "Channel counts on row 2 of the CFG file are not valid: " + std::to_string(tt) +
               " in total, " + std::to_string(na) + " analog";
    if (tt == 0) return "The CFG file declares no channels";
    if (tt > nLines - 2)
        return "The CFG file declares " + std::to_string(tt) + " channels but has only " +
               std::to_string(nLines) + " rows";

    cfg.analog.reserve(static_cast<std::size_t>(na));
    for (std::int64_t i = 0; i < na; ++i) {
        std::string_view n, id, ph, ccbm, uu, a, b, skew, min, max;
        AnalogChannel ch;
        if (!c.line() || !c.fields({&n, &id, &ph, &ccbm, &uu, &a, &b, &skew, &min, &max}) ||
            !parseReal(a, ch.a) || !parseReal(b, ch.b))
            return c.error();
        double maxValue = 0;
        if (!parseReal(max, maxValue)) return c.error();
        ch.id = id;
        ch.unit = uu;
        ch.ccbm = ccbm;
        cfg.analog.push_back(std::move(ch));
    }
    cfg.digital.reserve(static_cast<std::size_t>(tt - na));
    for (std::int64_t i = na; i < tt; ++i) {
        std::string_view n, id, more;
        if (!c.line() || !c.fields({&n, &id, &more})) return c.error();
        cfg.digital.emplace_back(id);
    }

    std::string_view rates;
    std::int64_t nRates = 0;
    if (!c.line()) return c.error(); // line frequency, not used
    if (!c.line() || !c.field(rates) || !parseWhole(rates, nRates) || nRates < 0) return c.error();
    // Each rate line ends at the last sample of its rate; "0" rates still has one line.
    for (std::int64_t i = 0; i < (nRates > 0 ? nRates : 1); ++i) {
        std::string_view samp, endsamp;
        if (!c.line() || !c.fields({&samp, &endsamp}) || !parseWhole(endsamp, cfg.nPoints))
            return c.error();
    }
    if (!c.line() || !c.line()) return c.error(); // start and trigger time, not used

    std::string_view type;
    if (!c.line() || !c.field(type)) return c.error();
    type = trimBlanks(type);
    if (type == "ASCII")
        cfg.binary = false;
    else if (type == "BINARY")
        cfg.binary = true;
    else
        return kNotComtrade; // also BINARY32 and FLOAT32, whose samples are not 16-bit

    if (cfg.revision == "1999") {
        std::string_view mult;
        if (!c.line() || !c.field(mult) || !parseReal(mult, cfg.timemult) || cfg.timemult <= 0)
            return c.error();
    }

    if (cfg.nPoints <= 0)
        return "The CFG file declares no samples (endsamp " + std::to_string(cfg.nPoints) + ")";
    if (cfg.nPoints > INT_MAX)
        return "The CFG file declares " + std::to_string(cfg.nPoints) +
               " samples, more than can be loaded";
    return {};
}

} // namespace comtrade
