// Tables allocated once at their full size and never resized: their storage comes from the
// system already zeroed (see ZeroedBlock.h), so a table costs no memory until its pages are
// first written, and an element type whose new value is all zero bytes (kNewIsZeroBytes) is not
// written at construction.
// Do not resize such a table: elements regained within its capacity would not be zeroed again.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/ZeroedBlock.h"

namespace korvel {

// Element types that are not trivial only for default member initialisers of zero, so that a
// new element is all zero bytes, specialise this to true: their tables are not written either.
template <typename T>
inline constexpr bool kNewIsZeroBytes = std::is_trivially_default_constructible_v<T>;

template <typename T>
struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <typename U>
    ZeroedAllocator(const ZeroedAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(allocateZeroedBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) { freeBlock(p, n * sizeof(T)); }

    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        if constexpr (sizeof...(Args) == 0 && kNewIsZeroBytes<U>) {
            // Already zero: calloc's storage is, and value-initialisation would write zeros.
        } else {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    }

    template <typename U>
    bool operator==(const ZeroedAllocator<U>&) const {
        return true;
    }
};

template <typename T>
using ZeroedTable = std::vector<T, ZeroedAllocator<T>>;

}  // namespace korvel
