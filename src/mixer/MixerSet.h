#pragma once

#include <initializer_list>

// A set of enumeration members held as a bit mask: the member with ordinal n is bit n. The mask
// type fixes the set's width, as the system's records and stored settings expect.
template <typename Member, typename Mask>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<Member> members) {
    for (const Member member : members) {
      Include(member);
    }
  }

  static constexpr TSet FromMask(Mask mask) {
    TSet set;
    set.FMask = mask;
    return set;
  }

  constexpr Mask Bits() const { return FMask; }
  constexpr bool Contains(Member member) const { return (FMask & BitOf(member)) != 0; }
  constexpr TSet& Include(Member member) {
    FMask = static_cast<Mask>(FMask | BitOf(member));
    return *this;
  }
  constexpr TSet& Exclude(Member member) {
    FMask = static_cast<Mask>(FMask & ~BitOf(member));
    return *this;
  }

  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr Mask BitOf(Member member) {
    return static_cast<Mask>(Mask{1} << static_cast<unsigned>(member));
  }

  Mask FMask = 0;
};
