// Bit sets over the engine's enumerations: bit number = ordinal of the member, stored in the
// narrowest unsigned type that holds every member, so that the raw value is the one other
// programs and the stream formats see.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace richtext {

template <typename E, typename Bits> class TRVSet {
  static_assert(std::is_enum_v<E> && std::is_unsigned_v<Bits>);

public:
  constexpr TRVSet() = default;
  constexpr TRVSet(std::initializer_list<E> members) {
    for (E m : members)
      FBits |= Bit(m);
  }
  static constexpr TRVSet FromValue(Bits value) {
    TRVSet s;
    s.FBits = value;
    return s;
  }

  constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
  constexpr void Include(E m) { FBits |= Bit(m); }
  constexpr void Exclude(E m) { FBits &= static_cast<Bits>(~Bit(m)); }
  constexpr void Set(E m, bool on) { on ? Include(m) : Exclude(m); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr Bits Value() const { return FBits; }

  constexpr TRVSet operator|(TRVSet o) const { return FromValue(FBits | o.FBits); }
  constexpr TRVSet operator&(TRVSet o) const { return FromValue(FBits & o.FBits); }
  // Set difference.
  constexpr TRVSet operator-(TRVSet o) const { return FromValue(FBits & ~o.FBits); }
  constexpr TRVSet& operator|=(TRVSet o) { return *this = *this | o; }
  constexpr TRVSet& operator-=(TRVSet o) { return *this = *this - o; }
  constexpr bool operator==(const TRVSet&) const = default;

private:
  static constexpr Bits Bit(E m) { return static_cast<Bits>(Bits{1} << static_cast<unsigned>(m)); }
  Bits FBits = 0;
};

} // namespace richtext
