// TSet<E>: a small set of enumeration values (ordinals 0..63), the type of set
// properties such as BorderIcons or a skin's SkinControls. Published set properties are
// read and written by name as their bit mask.
#pragma once
#include <cstdint>
#include <initializer_list>

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            FBits |= Bit(v);
    }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }
    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E v) { FBits |= Bit(v); return *this; }
    constexpr TSet& Exclude(E v) { FBits &= ~Bit(v); return *this; }
    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t Bit(E v) { return std::uint64_t{1} << static_cast<unsigned>(v); }
    std::uint64_t FBits = 0;
};
