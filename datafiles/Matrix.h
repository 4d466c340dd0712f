#pragma once
// Row-pointer matrices: m[row][col], rows contiguous in one block (m[0] walks
// all rows * cols elements). Sizes are not stored; the owner keeps them.

#include <cstddef>
#include <utility>

float** CreateFMatrix(long rows, long cols);
int DeleteFMatrix(float** m); // 1 when m is null, else 0
int** CreateIMatrix(long rows, long cols);
void DeleteIMatrix(int** m);
char** CreateCMatrix(long rows, long cols);
void DeleteCMatrix(char** m);

// Separately allocated rows; the pointer array remembers its own capacity.
float** CreateFMatrix2(long rows, long cols);
int DeleteFMatrix2(float** m); // 0 ok, 1 null argument
float** ReallocFMatrix(float** m, long rows, long cols, long oldRows);

// Owner of a CreateFMatrix block, for code that wants RAII.
class FMatrix {
public:
    FMatrix() = default;
    FMatrix(long rows, long cols) : m_(CreateFMatrix(rows, cols)) {}
    explicit FMatrix(float** adopted) : m_(adopted) {}
    ~FMatrix() { DeleteFMatrix(m_); }
    FMatrix(const FMatrix&) = delete;
    FMatrix& operator=(const FMatrix&) = delete;
    FMatrix(FMatrix&& o) noexcept : m_(std::exchange(o.m_, nullptr)) {}
    FMatrix& operator=(FMatrix&& o) noexcept {
        if (this != &o) {
            DeleteFMatrix(m_);
            m_ = std::exchange(o.m_, nullptr);
        }
        return *this;
    }
    float* operator[](std::size_t row) const { return m_[row]; }
    float** get() const { return m_; }
    float** release() { return std::exchange(m_, nullptr); }
    void reset(float** m = nullptr) {
        DeleteFMatrix(m_);
        m_ = m;
    }
    explicit operator bool() const { return m_ != nullptr; }

private:
    float** m_ = nullptr;
};
