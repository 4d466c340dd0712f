#include "Matrix.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

// Rejects sizes whose element count or byte count would not fit.
bool sizeOk(long rows, long cols, std::size_t elem) {
    if (rows <= 0 || cols <= 0) return false;
    const auto r = static_cast<std::uint64_t>(rows), c = static_cast<std::uint64_t>(cols);
    if (c > SIZE_MAX / r) return false;
    return r * c <= SIZE_MAX / elem;
}

// Large sample blocks are filled once, right after allocation; huge pages make
// that first touch many times cheaper. Only a hint: failure changes nothing.
void adviseHugePages(void* block, std::size_t bytes) {
    constexpr std::size_t kHuge = 2u << 20;
    if (bytes < 4 * kHuge) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

template <class T> T** createBlock(long rows, long cols) {
    if (!sizeOk(rows, cols, sizeof(T))) return nullptr;
    auto** m = static_cast<T**>(std::malloc(static_cast<std::size_t>(rows) * sizeof(T*)));
    if (!m) return nullptr;
    auto* block = static_cast<T*>(
        std::malloc(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols) * sizeof(T)));
    if (!block) {
        std::free(m);
        return nullptr;
    }
    adviseHugePages(block,
                    static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols) * sizeof(T));
    for (long i = 0; i < rows; ++i)
        m[i] = block + static_cast<std::size_t>(i) * cols;
    return m;
}

template <class T> void deleteBlock(T** m) {
    if (!m) return;
    std::free(m[0]);
    std::free(m);
}

// The separately allocated layout keeps its row capacity in a hidden slot
// before the pointer array, as the global heap kept the array's size.
float*** arrayBase(float** m) {
    return reinterpret_cast<float***>(m) - 1;
}
long capacityOf(float** m) {
    return static_cast<long>(reinterpret_cast<std::intptr_t>(*arrayBase(m)));
}

float** allocPointerArray(long rows) {
    auto** base =
        static_cast<float**>(std::calloc(static_cast<std::size_t>(rows) + 1, sizeof(float*)));
    if (!base) return nullptr;
    base[0] = reinterpret_cast<float*>(static_cast<std::intptr_t>(rows));
    return base + 1;
}

} // namespace

float** CreateFMatrix(long rows, long cols) {
    return createBlock<float>(rows, cols);
}

int DeleteFMatrix(float** m) {
    if (!m) return 1;
    deleteBlock(m);
    return 0;
}

int** CreateIMatrix(long rows, long cols) {
    return createBlock<int>(rows, cols);
}
void DeleteIMatrix(int** m) {
    deleteBlock(m);
}
char** CreateCMatrix(long rows, long cols) {
    return createBlock<char>(rows, cols);
}
void DeleteCMatrix(char** m) {
    deleteBlock(m);
}

// Rows of the separate layout carry their length in front, so a resize can
// zero-fill exactly what it adds.
constexpr std::size_t kRowHeader = 16;

static float* allocRow(long cols) {
    auto* raw = static_cast<char*>(
        std::malloc(kRowHeader + static_cast<std::size_t>(cols) * sizeof(float)));
    if (!raw) return nullptr;
    *reinterpret_cast<long*>(raw) = cols;
    return reinterpret_cast<float*>(raw + kRowHeader);
}

static void freeRow(float* row) {
    if (row) std::free(reinterpret_cast<char*>(row) - kRowHeader);
}

static float* resizeRow(float* row, long cols) {
    if (!row) return allocRow(cols);
    char* raw = reinterpret_cast<char*>(row) - kRowHeader;
    const long old = *reinterpret_cast<long*>(raw);
    auto* grown = static_cast<char*>(
        std::realloc(raw, kRowHeader + static_cast<std::size_t>(cols) * sizeof(float)));
    if (!grown) return nullptr;
    *reinterpret_cast<long*>(grown) = cols;
    auto* data = reinterpret_cast<float*>(grown + kRowHeader);
    for (long j = old; j < cols; ++j)
        data[j] = 0.0f;
    return data;
}

float** CreateFMatrix2(long rows, long cols) {
    if (!sizeOk(rows, cols, sizeof(float))) return nullptr;
    float** m = allocPointerArray(rows);
    if (!m) return nullptr;
    for (long i = 0; i < rows; ++i)
        m[i] = allocRow(cols);
    return m;
}

int DeleteFMatrix2(float** m) {
    if (!m) return 1;
    const long cap = capacityOf(m);
    for (long i = 0; i < cap; ++i)
        freeRow(m[i]);
    std::free(arrayBase(m));
    return 0;
}

float** ReallocFMatrix(float** m, long rows, long cols, long oldRows) {
    if (!m || !sizeOk(rows, cols, sizeof(float)) || oldRows < 0) return nullptr;
    const long cap = capacityOf(m);
    if (oldRows > cap) return nullptr;
    if (rows > cap) {
        auto** grown = static_cast<float**>(
            std::realloc(arrayBase(m), (static_cast<std::size_t>(rows) + 1) * sizeof(float*)));
        if (!grown) return nullptr;
        std::memset(grown + 1 + cap, 0, static_cast<std::size_t>(rows - cap) * sizeof(float*));
        grown[0] = reinterpret_cast<float*>(static_cast<std::intptr_t>(rows));
        m = grown + 1;
    }
    const long kept = rows < oldRows ? rows : oldRows;
    for (long i = 0; i < kept; ++i) {
        float* row = resizeRow(m[i], cols);
        if (!row) return nullptr;
        m[i] = row;
    }
    for (long i = oldRows; i < rows; ++i) {
        freeRow(m[i]);
        m[i] = allocRow(cols);
        if (!m[i]) return nullptr;
    }
    return m;
}
