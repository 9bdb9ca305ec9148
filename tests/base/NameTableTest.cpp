#include "base/NameTable.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(NameTable, NamesReplacesAndTakesAway) {
    NameTable t(10);
    EXPECT_EQ(t.size(), 10u);
    EXPECT_EQ(t[3], "");
    t.set(3, "DOOR");
    t.set(9, "LAST");
    t.set(10, "PAST");  // outside the table: ignored
    EXPECT_EQ(t[3], "DOOR");
    EXPECT_EQ(t[9], "LAST");
    EXPECT_EQ(t[10], "");
    EXPECT_EQ(t.namedCount(), 2u);
    const std::string& held = t[9];
    t.set(3, "GATE");  // another number's reference stays valid
    EXPECT_EQ(t[3], "GATE");
    EXPECT_EQ(held, "LAST");
    t.set(3, "");  // an empty name is no name
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t.namedCount(), 1u);
    t.clear();
    EXPECT_EQ(t.namedCount(), 0u);
    EXPECT_EQ(t.size(), 10u);
}

}  // namespace
}  // namespace korvel
