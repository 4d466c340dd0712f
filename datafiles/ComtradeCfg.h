#pragma once
// The configuration (CFG) file of a COMTRADE set: channels, sample count,
// data-file type and time base.

#include "CStrTok.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace comtrade {

struct AnalogChannel {
    std::string id, unit, ccbm;
    double a = 1.0, b = 0.0; // value = a * sample + b, in the channel's unit
};

struct Config {
    std::string revision; // "1991", "1997" or "1999"
    std::vector<AnalogChannel> analog;
    std::vector<std::string> digital;
    std::int64_t nPoints = 0; // endsamp of the last sampling-rate line
    bool binary = false;
    double timemult = 1.0; // read for revision 1999 only

    // Time stamps count microseconds, times timemult from 1999 on.
    double secondsPerTick() const { return (revision == "1999" ? timemult : 1.0) * 1e-6; }
};

using Warn = std::function<void(const std::string& title, const std::string& text)>;

// Empty text on success, else the reason for the user.
std::string readConfig(const std::string& path, CStrTok& tok, Config& cfg, const Warn& warn);

std::string rowError(const char* file, std::int64_t row);

} // namespace comtrade
