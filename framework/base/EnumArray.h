// A std::array indexed by a scoped enumeration whose values run from 0 to N - 1, so that the
// entries of a table are named by the enumeration and plain integers still work for loops.
#pragma once

#include <array>
#include <cstddef>

namespace framework {

template <class Enum, class T, std::size_t N>
struct EnumArray : std::array<T, N> {
    using std::array<T, N>::operator[];
    constexpr T& operator[](Enum entry) { return std::array<T, N>::operator[](static_cast<std::size_t>(entry)); }
    constexpr const T& operator[](Enum entry) const {
        return std::array<T, N>::operator[](static_cast<std::size_t>(entry));
    }
};

} // namespace framework
