// A heap array of fixed length, allocated once and zeroed: the storage of every map-sized table.
// Copies are deep; swapping exchanges the storage in constant time (the clipboard swap uses it).
// Elements that start as all-zero bytes come from the system already zeroed, so a table costs
// no memory until its pages are first written (see ZeroedBlock.h).
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "base/ZeroedBlock.h"

namespace korvel {

template <typename T, int32_t N>
class FixedArray {
    // Copies are block copies, as the snapshot of the map is.
    static_assert(std::is_trivially_copyable_v<T>);

public:
    FixedArray() : data_(allocate(true)) {}
    FixedArray(const FixedArray& other) : data_(allocate(false)) { *this = other; }
    FixedArray& operator=(const FixedArray& other) {
        if (this != &other) std::memcpy(data(), other.data(), sizeof(T) * N);
        return *this;
    }
    // No moves: a moved-from array would have no storage, and every table must always have it.

    friend void swap(FixedArray& a, FixedArray& b) noexcept { a.data_.swap(b.data_); }

    static constexpr int32_t size() { return N; }

    T& operator[](int32_t i) {
        assert(i >= 0 && i < N);
        return (*data_)[static_cast<size_t>(i)];
    }
    const T& operator[](int32_t i) const {
        assert(i >= 0 && i < N);
        return (*data_)[static_cast<size_t>(i)];
    }

    T* data() { return data_->data(); }
    const T* data() const { return data_->data(); }
    T* begin() { return data(); }
    T* end() { return data() + N; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + N; }

    // Filling with zero bytes writes only the pages that hold something, so that clearing a
    // table that was never written does not make it take memory.
    void fill(const T& value) {
        if constexpr (std::has_unique_object_representations_v<T>) {
            static constexpr unsigned char zero[sizeof(T)] = {};
            if (std::memcmp(&value, zero, sizeof(T)) == 0) {
                clearBlock(data(), sizeof(T) * size_t(N));
                return;
            }
        }
        data_->fill(value);
    }

private:
    using Block = std::array<T, N>;

    struct Free {
        void operator()(Block* block) const { freeBlock(block, sizeof(Block)); }
    };

    // Zeroed on request; otherwise the caller writes every byte.
    static Block* allocate(bool zeroed) {
        static_assert(std::is_trivially_destructible_v<Block>);
        if constexpr (std::is_trivially_default_constructible_v<T>)
            return static_cast<Block*>(zeroed ? allocateZeroedBlock(sizeof(Block))
                                              : allocateBlock(sizeof(Block)));
        else  // elements with initial values of their own
            return new (allocateBlock(sizeof(Block))) Block();
    }

    std::unique_ptr<Block, Free> data_;
};

}  // namespace korvel
