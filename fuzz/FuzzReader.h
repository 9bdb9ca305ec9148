// Reads values off the fuzzer's bytes in order; past their end every value reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

struct FuzzReader {
    const uint8_t* data;
    size_t size, pos = 0;
    template <typename T>
    T get() {
        T v{};
        bytes(&v, sizeof(T));
        return v;
    }
    void bytes(void* out, size_t n) {
        std::memset(out, 0, n);
        const size_t have = pos < size ? (size - pos < n ? size - pos : n) : 0;
        if (have) std::memcpy(out, data + pos, have);
        pos += n;
    }
    bool done() const { return pos >= size; }
};
