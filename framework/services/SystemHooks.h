#pragma once

#include <cstdint>
#include <functional>

// The clock and the beep of the platform, each replaceable so that tests see a clock they
// control and count beeps instead of hearing them. Setting an empty function restores the
// built-in behaviour. The GUI layer installs its own beep at start.

// Milliseconds since an arbitrary start, wrapping at 2^32 like the system's tick count.
std::uint32_t GetTickCount();
std::function<std::uint32_t()> SetTickCountSource(std::function<std::uint32_t()> source);

// The built-in beep rings the terminal bell on standard error when that is a terminal.
void Beep(unsigned frequencyHz, unsigned durationMs);
std::function<void(unsigned, unsigned)>
SetBeepHandler(std::function<void(unsigned, unsigned)> handler);
