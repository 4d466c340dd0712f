#include "GlobalVars.h"

#include <cstring>

float SProgramOptions::Frequency() const {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | bytes[static_cast<std::size_t>(poFrequency + i)];
    float hz;
    std::memcpy(&hz, &bits, sizeof hz);
    return hz;
}

void SProgramOptions::SetFrequency(float hz) {
    std::uint32_t bits;
    std::memcpy(&bits, &hz, sizeof bits);
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(poFrequency + i)] =
            static_cast<std::uint8_t>(bits >> (8 * i));
}

void SProgramOptions::SetDefaults() {
    for (int i : {0, 3, 4, 5, 6, 7, 8, 9, 10})
        SetFlag(i, false);
    SetFlag(poAutoLabel, true);
    SetFrequency(50.0f);
}
