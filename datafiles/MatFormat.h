#pragma once
// Byte layout of Matlab version 4 matrices: the 20-byte header, the type
// code 1000 M + 100 O + 10 P + T (M byte order, O zero, P number type,
// T numeric/text/sparse), and the conversion of stored values to float.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct MatHeader;

namespace mat4 {

inline constexpr std::size_t kHeaderSize = 20;

enum class Number : std::uint8_t { f64, f32, i32, i16, u16, u8 };

struct Type {
    bool bigEndian = false;
    Number number = Number::f64;
    int form = 0; // T digit: 0 full numeric, 1 text, 2 sparse
};

std::size_t elementSize(Number n);

// The type code from the first 4 header bytes, which also tell the byte
// order. Empty reason on success, else why the matrix at `offset` cannot be read.
std::string decodeType(const unsigned char* header, std::int64_t offset, Type& type);

// The five header fields in the given byte order.
MatHeader unpackHeader(const unsigned char* header, bool bigEndian);
// The header as written by this system: little-endian.
std::array<unsigned char, kHeaderSize> packHeader(const MatHeader& h);

// n stored values at src as floats at dst; doubles beyond the float range
// become +-inf.
void convert(const unsigned char* src, std::size_t n, const Type& type, float* dst);

} // namespace mat4
