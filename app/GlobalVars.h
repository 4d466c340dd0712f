#pragma once
// The program-wide state of Curvix: one record shared by the windows (handed to them
// at creation), the 16-byte options block stored whole in the registry, and the
// language setting.

#include "Types.h"

#include <array>
#include <cstdint>
#include <string>

struct SGlobalVars {
    bool multiFileMode = false;
    bool wideNames = false;
    std::int32_t instanceOffset = 0; // (instance number - 1) x 100 pixels
    std::int32_t instanceNumber = 1; // 1 to 4
    std::int32_t scaleMul = 800;
    std::int32_t scaleDiv = 800;
    std::int32_t firstFileArg = 1;
    std::int32_t fileArgCount = 0;
    float scaleFactor = 1.0f;
    std::array<float, 8> fourierStart{};
    std::array<float, 8> timeMax{};
    std::array<std::int16_t, 13> winPos{};
    TRect workArea;
    std::string programName;
};

// Byte offsets of the options block.
enum EProgramOption : int {
    poMaxSpeed = 0,
    poCaptionText = 1,
    poAutoLabel = 2,
    poAutoRefresh = 3,
    poRememberWindows = 4,
    poSmallWindows = 5,
    poCommaSeparators = 6,
    poAssociateFO = 7,
    poBarFS = 8,
    poBarHFS = 9,
    poPointsOnly = 10,
    poUnused = 11,
    poFrequency = 12 // 4 bytes, little-endian single precision
};

struct SProgramOptions {
    std::array<std::uint8_t, 16> bytes{};
    bool Flag(int offset) const { return bytes[static_cast<std::size_t>(offset)] != 0; }
    void SetFlag(int offset, bool on) { bytes[static_cast<std::size_t>(offset)] = on ? 1 : 0; }
    float Frequency() const;
    void SetFrequency(float hz);
    // Byte 2 on, the other switches off, 50 Hz; bytes 1 and 11 keep their values.
    void SetDefaults();
};

inline const std::string LanguageName = "English";
