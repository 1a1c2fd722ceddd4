#pragma once

// Whole numbers of 128 bits for exact decimal arithmetic: an amount scaled up by a power of ten,
// or a product of two amounts, passes 64 bits long before it loses a digit.

#include <array>

namespace Inteiro128 {

using Int128 = __int128;
using UInt128 = unsigned __int128;

// 10^0 .. 10^38, every power of ten an unsigned 128-bit value holds.
inline constexpr std::array<UInt128, 39> potencias = [] {
    std::array<UInt128, 39> p{};
    UInt128 v = 1;
    for (auto& x : p) {
        x = v;
        v *= 10;
    }
    return p;
}();

// mag / divisor, rounded half away from zero (mag is a magnitude, so "up").
inline UInt128 divideArredondando(UInt128 mag, UInt128 divisor)
{
    UInt128 q = mag / divisor;
    const UInt128 r = mag % divisor;
    if (r >= divisor - r)
        ++q;
    return q;
}

} // namespace Inteiro128
