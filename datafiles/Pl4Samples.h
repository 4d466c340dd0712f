#pragma once
// The sample block of a PL4 file: little-endian floats stored point after
// point, read in large chunks and turned into one row per variable.

#include <cstddef>
#include <cstdint>

class InputFile;

inline constexpr std::size_t kPl4ChunkBytes = std::size_t{1} << 20;

// Fills rows[v][p] for v < nVars, p < nPoints from byte `start` on, reading
// chunkBytes at a time. Returns the number of whole points read (fewer on a
// short file).
std::int64_t pl4ReadPoints(const InputFile& in, std::int64_t start, int nVars, std::int64_t nPoints,
                           float* const* rows, std::size_t chunkBytes = kPl4ChunkBytes);
