#include "MatFormat.h"

#include "ByteOrder.h"
#include "SimOut.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace mat4 {

namespace {

std::uint32_t word(const unsigned char* p, bool bigEndian) {
    return bigEndian ? loadBeU32(p) : loadLeU32(p);
}

std::string at(std::int64_t offset) {
    return " at byte " + std::to_string(offset);
}

template <class T, bool Swap> T load(const unsigned char* p) {
    unsigned char b[sizeof(T)];
    if constexpr (Swap)
        std::reverse_copy(p, p + sizeof(T), b);
    else
        std::memcpy(b, p, sizeof(T));
    T v;
    std::memcpy(&v, b, sizeof(T));
    return v;
}

// Doubles at or beyond the midpoint above FLT_MAX round to infinity; the
// explicit test keeps the conversion defined.
float toFloat(double d) {
    constexpr double kOverflow = 0x1.ffffffp127;
    constexpr float kInf = std::numeric_limits<float>::infinity();
    if (std::fabs(d) >= kOverflow) return d > 0 ? kInf : -kInf;
    return static_cast<float>(d);
}

template <class T, bool Swap> void convertAs(const unsigned char* src, std::size_t n, float* dst) {
    for (std::size_t i = 0; i < n; ++i) {
        const T v = load<T, Swap>(src + i * sizeof(T));
        if constexpr (std::is_same_v<T, double>)
            dst[i] = toFloat(v);
        else
            dst[i] = static_cast<float>(v);
    }
}

template <bool Swap>
void convertOrder(const unsigned char* src, std::size_t n, Number number, float* dst) {
    switch (number) {
    case Number::f64:
        return convertAs<double, Swap>(src, n, dst);
    case Number::f32:
        return convertAs<float, Swap>(src, n, dst);
    case Number::i32:
        return convertAs<std::int32_t, Swap>(src, n, dst);
    case Number::i16:
        return convertAs<std::int16_t, Swap>(src, n, dst);
    case Number::u16:
        return convertAs<std::uint16_t, Swap>(src, n, dst);
    case Number::u8:
        return convertAs<std::uint8_t, Swap>(src, n, dst);
    }
}

} // namespace

std::size_t elementSize(Number n) {
    static constexpr std::size_t sizes[] = {8, 4, 4, 2, 2, 1};
    return sizes[static_cast<int>(n)];
}

std::string decodeType(const unsigned char* header, std::int64_t offset, Type& type) {
    // The type word is small in its own byte order: M = 0 little-endian, M = 1
    // big-endian IEEE; 2 and 3 are VAX formats, 4 Cray.
    std::uint32_t code = word(header, false);
    type.bigEndian = false;
    if (code >= 10000 || code / 1000 == 1) {
        code = word(header, true);
        type.bigEndian = true;
    }
    const std::uint32_t m = code / 1000, o = code / 100 % 10, p = code / 10 % 10, t = code % 10;
    if (code >= 10000 || (type.bigEndian && m != 1 && m != 4))
        return "Unsupported matrix type code" + at(offset);
    if (m == 2 || m == 3)
        return "The matrix" + at(offset) +
               " is stored in a VAX number format, which cannot be read";
    if (m == 4)
        return "The matrix" + at(offset) +
               " is stored in the Cray number format, which cannot be read";
    // O is reserved and 0; 1 comes from files that earlier versions of this
    // system wrote (type 110), which other readers refuse but ours still reads.
    if (o > 1 || p > 5 || t > 2)
        return "Unsupported matrix type code " + std::to_string(code) + at(offset);
    type.number = static_cast<Number>(p);
    type.form = static_cast<int>(t);
    return {};
}

MatHeader unpackHeader(const unsigned char* header, bool bigEndian) {
    MatHeader h;
    std::int32_t* fields[] = {&h.type, &h.mrows, &h.ncols, &h.imagf, &h.namlen};
    for (int i = 0; i < 5; ++i)
        *fields[i] = static_cast<std::int32_t>(word(header + 4 * i, bigEndian));
    return h;
}

std::array<unsigned char, kHeaderSize> packHeader(const MatHeader& h) {
    std::array<unsigned char, kHeaderSize> out{};
    const std::int32_t fields[] = {h.type, h.mrows, h.ncols, h.imagf, h.namlen};
    for (int i = 0; i < 5; ++i)
        storeLeU32(out.data() + 4 * i, static_cast<std::uint32_t>(fields[i]));
    return out;
}

void convert(const unsigned char* src, std::size_t n, const Type& type, float* dst) {
    if (type.bigEndian)
        convertOrder<true>(src, n, type.number, dst);
    else
        convertOrder<false>(src, n, type.number, dst);
}

} // namespace mat4
