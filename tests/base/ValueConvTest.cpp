#include "base/ValueConv.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(ValueConv, BytePacking) {
    EXPECT_EQ(bytesToLong(255, 255, 255, 255), -1);
    EXPECT_EQ(bytesToLong(1, 2, 3, 4), 0x04030201);
    EXPECT_EQ(bytesToInt(0, 128), -32768);
    EXPECT_EQ(bytesToInt(0x40, 0x9C), 40000 - 65536);
}

TEST(ValueConv, NarrowStoresAndViews) {
    EXPECT_EQ(wrapToByte(300), 44);
    EXPECT_EQ(wrapToByte(-1), 255);
    EXPECT_EQ(wrapToInt16(70000), 4464);
    EXPECT_EQ(byteToSigned(200), -56);
    EXPECT_EQ(int16ToUnsigned(-1), 65535);
    EXPECT_EQ(signedByteToString(200), "-56");
    EXPECT_EQ(signedByteToString(127), "127");
    EXPECT_EQ(unsignedInt16ToString(-1), "65535");
    EXPECT_EQ(unsignedInt16ToString(-25536), "40000");
}

TEST(ValueConv, TypedTextToNarrowFields) {
    struct Case {
        std::string text;
        int16_t int16;
        uint8_t byte;
        int32_t int32;
    } cases[] = {
        {"40000", -25536, 0, 40000},
        {"-1", -1, 255, -1},
        {"1000000", 0, 0, 1000000},  // seven characters: too long for 16 bits
        {"2.5", 2, 2, 2},            // ties to even
        {"3.5", 4, 4, 4},
        {"-2.5", -2, 254, -2},
        {"255", 255, 255, 255},
        {"256", 256, 0, 256},
        {"00255", 255, 0, 255},  // five characters: too long for a byte
        {" 12 ", 12, 12, 12},
        {"abc", 0, 0, 0},
        {"", 0, 0, 0},
        {"-", 0, 0, 0},
        {".5", 0, 0, 0},
        {"1e3", 1000, 232, 1000},
        {"9e99", 0, 0, 0},  // huge values: their low bits, all zero here
        {"1e308", 0, 0, 0},
        {"1e400", 0, 0, 0},  // beyond a double: not a number
        {"inf", 0, 0, 0},
        {"nan", 0, 0, 0},
        {"0x10", 0, 0, 0},
        {"1,5", 0, 0, 0},
        {"+7", 7, 7, 7},
        {"1e", 0, 0, 0},
        {"2147483647", 0, 0, 2147483647},
        {"2147483648", 0, 0, 0},
        {"-2147483648", 0, 0, INT32_MIN},
        {"-2147483649", 0, 0, 0},
        {"123456789012", 0, 0, 0},  // more than 11 characters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseInt16(c.text), c.int16) << '"' << c.text << '"';
        EXPECT_EQ(parseByte(c.text), c.byte) << '"' << c.text << '"';
        EXPECT_EQ(parseInt32(c.text), c.int32) << '"' << c.text << '"';
    }
}

TEST(ValueConv, PromptByte) {
    struct Case {
        std::string text;
        bool negative;
        uint8_t want;
    } cases[] = {{"5", true, 251}, {"5", false, 5},  {"0", true, 0},
                 {"x", true, 0},   {"255", true, 1}, {"-5", true, 5}};
    for (const auto& c : cases) EXPECT_EQ(parsePromptByte(c.text, c.negative), c.want) << c.text;
}

TEST(ValueConv, StepsOfEight) {
    struct Case {
        uint8_t b, next, prev, nextWrap, prevWrap;
    } cases[] = {
        {0, 8, 0, 8, 248},       {5, 8, 0, 8, 0},         {7, 8, 0, 8, 0},
        {8, 16, 0, 16, 0},       {9, 16, 8, 16, 8},       {247, 248, 240, 248, 240},
        {248, 255, 240, 0, 240}, {250, 255, 248, 0, 248}, {255, 255, 248, 0, 248},
    };
    for (const auto& c : cases) {
        uint8_t v = c.b;
        nextMultipleOf8(v);
        EXPECT_EQ(v, c.next) << int(c.b);
        v = c.b;
        prevMultipleOf8(v);
        EXPECT_EQ(v, c.prev) << int(c.b);
        v = c.b;
        nextMultipleOf8Wrap(v);
        EXPECT_EQ(v, c.nextWrap) << int(c.b);
        v = c.b;
        prevMultipleOf8Wrap(v);
        EXPECT_EQ(v, c.prevWrap) << int(c.b);
    }
}

TEST(ValueConv, RampColour) {
    const uint8_t want[] = {8, 8, 140, 56, 116, 32, 32, 0};
    for (int n = 0; n < 8; ++n) EXPECT_EQ(rampColour(int16_t(n)), want[n]) << n;
    EXPECT_EQ(rampColour(-1), 0);
}

}  // namespace
}  // namespace korvel
