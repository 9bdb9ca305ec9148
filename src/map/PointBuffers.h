// The two scratch point buffers scripts read and write. The texture walk keeps its visited marks
// in the x fields of the first, so a script can preset or read them.
#pragma once

#include <cstdint>
#include <span>

#include "base/ZeroedTable.h"

namespace korvel {

constexpr int32_t kPointBufferSize = 32769;

struct BufferPoint {
    int32_t x = 0, y = 0;
};
template <>
inline constexpr bool kNewIsZeroBytes<BufferPoint> = true;

using PointBufferView = std::span<BufferPoint>;

}  // namespace korvel
