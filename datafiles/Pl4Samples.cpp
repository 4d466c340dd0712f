#include "Pl4Samples.h"

#include "FileAccess.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace {

// Scalar transpose of points [q0, q1) for rows [v0, v1).
void transposeScalar(const float* src, std::int64_t q0, std::int64_t q1, int v0, int v1, int nVars,
                     std::int64_t p0, float* const* rows) {
    for (int v = v0; v < v1; ++v) {
        float* row = rows[v] + p0;
        const float* s = src + v;
        for (std::int64_t q = q0; q < q1; ++q)
            row[q] = s[q * nVars];
    }
}

#if defined(__SSE2__)
// Four rows from v on: 4x4 blocks are loaded as four points and stored as
// four row pieces, a quarter of the stores of the scalar loop.
void transposeFour(const float* src, std::int64_t q0, std::int64_t q1, int v, int nVars,
                   std::int64_t p0, float* const* rows) {
    float* r0 = rows[v] + p0;
    float* r1 = rows[v + 1] + p0;
    float* r2 = rows[v + 2] + p0;
    float* r3 = rows[v + 3] + p0;
    std::int64_t q = q0;
    for (; q + 4 <= q1; q += 4) {
        const float* s = src + q * nVars + v;
        __m128 a = _mm_loadu_ps(s);
        __m128 b = _mm_loadu_ps(s + nVars);
        __m128 c = _mm_loadu_ps(s + 2 * nVars);
        __m128 d = _mm_loadu_ps(s + 3 * nVars);
        _MM_TRANSPOSE4_PS(a, b, c, d);
        _mm_storeu_ps(r0 + q, a);
        _mm_storeu_ps(r1 + q, b);
        _mm_storeu_ps(r2 + q, c);
        _mm_storeu_ps(r3 + q, d);
    }
    transposeScalar(src, q, q1, v, v + 4, nVars, p0, rows);
}
#endif

// Point-major floats of whole points into rows, in tiles that stay in the
// first-level cache: a few rows are written sequentially while their values
// are gathered from consecutive points. Tile and chunk sizes were measured
// (1 MiB chunks and 32 KiB tiles beat 4 MiB and 256 KiB by a third); reading
// through a file mapping instead of pread was twice as slow.
void transposePoints(const float* src, std::int64_t points, int nVars, std::int64_t p0,
                     float* const* rows) {
    constexpr int kRowsPerPass = 8;
    const std::int64_t tilePoints =
        std::max<std::int64_t>(4, ((std::int64_t{32} << 10) / (std::int64_t{4} * nVars)) & ~3);
    for (std::int64_t t0 = 0; t0 < points; t0 += tilePoints) {
        const std::int64_t t1 = std::min(points, t0 + tilePoints);
#if defined(__SSE2__)
        if (nVars >= 4) {
            // The last group overlaps the one before when nVars is no multiple
            // of four; its rows just get the same values twice.
            for (int v = 0; v < nVars; v += 4)
                transposeFour(src, t0, t1, std::min(v, nVars - 4), nVars, p0, rows);
            continue;
        }
#endif
        for (int v0 = 0; v0 < nVars; v0 += kRowsPerPass)
            transposeScalar(src, t0, t1, v0, std::min(nVars, v0 + kRowsPerPass), nVars, p0, rows);
    }
}

// n floats that start at flat index k0 of the point-major stream.
void scatter(const float* buf, std::int64_t n, std::int64_t k0, int nVars, float* const* rows) {
    std::int64_t p = k0 / nVars;
    int v = static_cast<int>(k0 % nVars);
    std::int64_t i = 0;
    while (v != 0 && i < n) { // the rest of a point begun in the last chunk
        rows[v][p] = buf[i++];
        if (++v == nVars) v = 0, ++p;
    }
    const std::int64_t whole = (n - i) / nVars;
    transposePoints(buf + i, whole, nVars, p, rows);
    i += whole * nVars;
    p += whole;
    for (v = 0; i < n; ++v)
        rows[v][p] = buf[i++]; // a point that goes on in the next chunk
}

void toNativeOrder(float* buf, std::size_t n) {
    if constexpr (std::endian::native == std::endian::big) {
        for (std::size_t i = 0; i < n; ++i) {
            std::uint32_t u;
            std::memcpy(&u, buf + i, 4);
            u = (u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24);
            std::memcpy(buf + i, &u, 4);
        }
    } else {
        (void)buf, (void)n;
    }
}

} // namespace

std::int64_t pl4ReadPoints(const InputFile& in, std::int64_t start, int nVars, std::int64_t nPoints,
                           float* const* rows, std::size_t chunkBytes) {
    if (!in.isOpen() || nVars <= 0 || nPoints <= 0 || start < 0) return 0;
    const std::int64_t total = nPoints * nVars;
    const std::int64_t chunk =
        std::min<std::int64_t>(total, std::max<std::size_t>(chunkBytes / 4, 1));
    std::unique_ptr<float[]> buf(new float[static_cast<std::size_t>(chunk)]);
    std::int64_t k = 0;
    while (k < total) {
        const std::int64_t want = std::min(chunk, total - k);
        const std::size_t bytes =
            in.readAt(start + 4 * k, buf.get(), static_cast<std::size_t>(want) * 4);
        const auto got = static_cast<std::int64_t>(bytes / 4);
        toNativeOrder(buf.get(), static_cast<std::size_t>(got));
        scatter(buf.get(), got, k, nVars, rows);
        k += got;
        if (got < want) break;
    }
    return k / nVars;
}
