#include "editing/DrawVertexList.h"

#include <gtest/gtest.h>

#include <memory>

namespace korvel::test {
namespace {

TEST(DrawVertexListTest, AppendsKeepTheClosingSlotFree) {
    auto list = std::make_unique<DrawVertexList>();
    for (int32_t i = 0; i < kDrawVertexCapacity - 1; ++i)
        ASSERT_TRUE(appendToolPoint(*list, i, -i));
    EXPECT_EQ(list->toolPointCount, kDrawVertexCapacity - 1);
    EXPECT_EQ(list->toolPointsY[kDrawVertexCapacity - 2], -(kDrawVertexCapacity - 2));
    EXPECT_FALSE(appendToolPoint(*list, 1, 1));
    EXPECT_EQ(list->toolPointCount, kDrawVertexCapacity - 1);
    list->toolPointCount = -3;  // a damaged count refuses too
    EXPECT_FALSE(appendToolPoint(*list, 1, 1));
}

}  // namespace
}  // namespace korvel::test
