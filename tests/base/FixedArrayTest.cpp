#include "base/FixedArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace korvel {
namespace {

struct Record {
    int32_t a, b;
    int16_t c, d;
};

// 5000 records of 12 bytes: pages of 4096 bytes do not divide the block evenly.
using Table = FixedArray<Record, 5000>;

TEST(FixedArray, FillingWithZeroClearsWhateverWasWritten) {
    const struct {
        const char* where;
        int32_t index;
    } cases[] = {
        {"first record", 0},
        {"record across a page boundary", 341},
        {"record starting a page", 1024},
        {"middle of a page", 2500},
        {"last record, in the partial last page", 4999},
    };
    auto table = std::make_unique<Table>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        (*table)[c.index] = {1, -1, 7, 0};
        if (c.index > 0) (*table)[c.index - 1].d = 3;
        table->fill({});
        EXPECT_TRUE(std::all_of(table->begin(), table->end(), [](const Record& r) {
            return r.a == 0 && r.b == 0 && r.c == 0 && r.d == 0;
        }));
    }
}

TEST(FixedArray, FillingWithAValueWritesEveryRecord) {
    auto table = std::make_unique<Table>();
    table->fill({2, 3, 4, 5});
    EXPECT_TRUE(std::all_of(table->begin(), table->end(), [](const Record& r) {
        return r.a == 2 && r.b == 3 && r.c == 4 && r.d == 5;
    }));
    table->fill({});
    EXPECT_EQ((*table)[4999].d, 0);
    EXPECT_EQ((*table)[0].a, 0);
}

// A table big enough to be mapped and cleared by giving its pages back: copies and swaps keep
// their contents, and a cleared table is empty again.
TEST(FixedArray, MappedTablesCopySwapAndClear) {
    using Big = FixedArray<Record, 40000>;
    auto a = std::make_unique<Big>(), b = std::make_unique<Big>();
    (*a)[0] = {1, 2, 3, 4};
    (*a)[39999] = {5, 6, 7, 8};
    auto copy = std::make_unique<Big>(*a);
    EXPECT_EQ((*copy)[39999].d, 8);
    swap(*a, *b);
    EXPECT_EQ((*b)[0].a, 1);
    EXPECT_EQ((*a)[0].a, 0);
    b->fill({});
    EXPECT_TRUE(std::all_of(b->begin(), b->end(),
                            [](const Record& r) { return r.a == 0 && r.b == 0 && r.d == 0; }));
    EXPECT_EQ((*copy)[0].b, 2);  // the copy has storage of its own
}

}  // namespace
}  // namespace korvel
