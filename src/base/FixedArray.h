// A heap array of fixed length, allocated once and zeroed: the storage of every map-sized table.
// Copies are deep; swapping exchanges the storage in constant time (the clipboard swap uses it).
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace korvel {

template <typename T, int32_t N>
class FixedArray {
    // Copies are block copies, as the snapshot of the map is.
    static_assert(std::is_trivially_copyable_v<T>);

public:
    FixedArray() : data_(new std::array<T, N>()) {}
    FixedArray(const FixedArray& other) : data_(new std::array<T, N>) { *this = other; }
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

    void fill(const T& value) { data_->fill(value); }

private:
    std::unique_ptr<std::array<T, N>> data_;
};

}  // namespace korvel
