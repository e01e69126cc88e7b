#pragma once
// Eight UTF-16 units at a time (GCC's vector extension: SSE2 on x86-64, NEON on ARM), for the
// loops that look for one or two characters in a text: a block without them is passed (or
// copied) at once and only a block with one is looked at unit by unit. A bet line of 25
// characters costs a few blocks instead of 25 compares, and no call into a library search
// that pays off only on long texts.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace UnitBlocks {

typedef int16_t Block __attribute__((vector_size(16)));
static_assert(std::endian::native == std::endian::little, "Find counts the first unit in the low bits");
constexpr std::ptrdiff_t kUnits = 8;

inline Block Load(const char16_t *p)
{
    Block b;
    std::memcpy(&b, p, sizeof b);
    return b;
}

inline void Store(char16_t *p, Block b) { std::memcpy(p, &b, sizeof b); }

// Every unit `c`: compare a block with it.
inline Block Splat(char16_t c) { return Block{} + int16_t(c); }

// Whether any unit of a comparison's result is true.
inline bool Any(Block matches)
{
    uint64_t halves[2];
    std::memcpy(halves, &matches, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// The first unit from `from` to `end` (not included) that is `c`, or -1.
inline std::ptrdiff_t Find(const char16_t *p, std::ptrdiff_t from, std::ptrdiff_t end, char16_t c)
{
    const Block wanted = Splat(c);
    for (; from + kUnits <= end; from += kUnits) {
        const Block matches = Load(p + from) == wanted;
        uint64_t halves[2]; // four units each, a true one all bits set
        std::memcpy(halves, &matches, sizeof halves);
        if (halves[0])
            return from + __builtin_ctzll(halves[0]) / 16;
        if (halves[1])
            return from + 4 + __builtin_ctzll(halves[1]) / 16;
    }
    for (; from < end; ++from)
        if (p[from] == c)
            return from;
    return -1;
}

} // namespace UnitBlocks
