#pragma once
// Read access to one PL4 file: its 64-bit size, reads at an offset that never
// pass the end, and the block reader that turns samples stored point after
// point into one row per variable.

#include <cstddef>
#include <cstdint>
#include <string>

class Pl4Input {
public:
    // Opens a regular file for reading; reason() is empty on success.
    explicit Pl4Input(const std::string& fileName);
    ~Pl4Input();
    Pl4Input(const Pl4Input&) = delete;
    Pl4Input& operator=(const Pl4Input&) = delete;

    const std::string& reason() const { return reason_; }
    std::int64_t size() const { return size_; }

    // Copies exactly n bytes from offset; false when the file holds fewer.
    bool readAt(std::int64_t offset, std::size_t n, void* dst) const;

    // Fills rows[v][p] for v < nVars, p < nPoints from little-endian floats
    // stored point after point from byte `start`, reading chunkBytes at a
    // time. Returns the number of whole points read (fewer on a short file).
    std::int64_t readPoints(std::int64_t start, int nVars, std::int64_t nPoints, float* const* rows,
                            std::size_t chunkBytes = kChunkBytes) const;

    static constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

private:
    // Bytes actually read at offset, up to n.
    std::size_t readUpTo(std::int64_t offset, std::size_t n, void* dst) const;

    int fd_ = -1;
    std::int64_t size_ = 0;
    std::string reason_;
};

// Asks the kernel for huge pages on a large fresh block: filling it then
// costs far fewer page faults.
void adviseHugePages(void* block, std::size_t bytes);

// Little-endian 32-bit integer at p.
inline std::int32_t pl4Word(const unsigned char* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                     std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
}
