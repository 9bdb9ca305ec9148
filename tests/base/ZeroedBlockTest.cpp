#include "base/ZeroedBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace korvel {
namespace {

bool allZero(const uint8_t* b, size_t n) {
    return std::all_of(b, b + n, [](uint8_t v) { return v == 0; });
}

// Each way a block can be held: from the heap, mapped and cleared page by page, and mapped and
// cleared by handing its pages back. Sizes that are no multiple of a page leave a partial last
// page, whose bytes past the block must not matter.
TEST(ZeroedBlock, BlocksStartZeroAndClearToZeroWhereverTheyWereWritten) {
    const size_t sizes[] = {60000, kMappedBlockBytes, 100001, 300001, size_t(1) << 20};
    for (size_t bytes : sizes) {
        SCOPED_TRACE(bytes);
        auto* b = static_cast<uint8_t*>(allocateZeroedBlock(bytes));
        ASSERT_TRUE(allZero(b, bytes));
        const size_t places[] = {0, 4095, 4096, bytes / 2, bytes - 1};
        for (int round = 0; round < 2; ++round) {
            for (size_t at : places) b[at] = uint8_t(at % 250 + 1);
            clearBlock(b, bytes);
            ASSERT_TRUE(allZero(b, bytes)) << "round " << round;
        }
        // A cleared block takes writes again and keeps them.
        b[bytes - 1] = 7;
        b[0] = 9;
        EXPECT_EQ(b[bytes - 1], 7);
        EXPECT_EQ(b[0], 9);
        freeBlock(b, bytes);
    }
}

TEST(ZeroedBlock, AnUninitialisedBlockHoldsWhatIsWrittenUntilFreed) {
    for (size_t bytes : {size_t(1000), size_t(200000)}) {
        SCOPED_TRACE(bytes);
        auto* b = static_cast<uint8_t*>(allocateBlock(bytes));
        std::memset(b, 0xA5, bytes);
        EXPECT_TRUE(std::all_of(b, b + bytes, [](uint8_t v) { return v == 0xA5; }));
        clearBlock(b, bytes);
        EXPECT_TRUE(allZero(b, bytes));
        freeBlock(b, bytes);
    }
}

}  // namespace
}  // namespace korvel
