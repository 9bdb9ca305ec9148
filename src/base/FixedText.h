// A short text kept inside its owner, for the rows of tables allocated at capacity: all-zero
// bytes are the empty text, so such a table costs nothing until a row is written. Text past the
// capacity is cut off.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace korvel {

template <size_t N>
class FixedText {
    static_assert(N > 0 && N < 256);

public:
    FixedText() = default;
    FixedText(std::string_view text) { *this = text; }

    FixedText& operator=(std::string_view text) {
        length_ = 0;
        return *this += text;
    }
    FixedText& operator+=(std::string_view text) {
        const size_t n = std::min(text.size(), N - length_);
        if (n > 0) std::memcpy(bytes_ + length_, text.data(), n);
        length_ = uint8_t(length_ + n);
        return *this;
    }
    FixedText& operator+=(char c) { return *this += std::string_view(&c, 1); }

    void clear() { length_ = 0; }
    bool empty() const { return length_ == 0; }
    size_t size() const { return length_; }
    static constexpr size_t capacity() { return N; }
    std::string_view view() const { return {bytes_, length_}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }

    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

private:
    uint8_t length_;
    char bytes_[N];
};

}  // namespace korvel
