#include "ui/TypedDigits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/InputState.h"

namespace korvel {
namespace {

constexpr int kMinus = 189, kPadMinus = 109, kBackspace = 8, kC = 67, kV = 86;
constexpr int digit(int d) {
    return 48 + d;
}

// The keys of frames, one call per frame, with the clipboard.
struct Typing {
    InputState in;
    bool ctrl = false;
    int32_t clipboard = 0;

    DigitTyping frame(std::initializer_list<int> keys) {
        in.keyPressed.fill(0);
        for (int k : keys) in.keyPressed[size_t(k)] = 1;
        return {in, ctrl, clipboard};
    }
    bool left(int key) const { return in.keyPressed[size_t(key)] != 0; }
};

TEST(TypedDigits, NumbersFollowTheKeysOfEachFrame) {
    using Frames = std::vector<std::vector<int>>;
    struct Case {
        const char* what;
        char member;  // i int, s short, b byte, u unsigned, o optional
        int32_t start;
        Frames frames;
        int32_t clipboard;
        bool ctrl;
        int32_t want;
        int32_t wantClipboard;
    } const cases[] = {
        {"12 then Backspace", 'i', 12, {{kBackspace}}, 0, false, 1, 0},
        {"-12 then Backspace", 'i', -12, {{kBackspace}}, 0, false, -1, 0},
        {"7 then Backspace", 'i', 7, {{kBackspace}}, 0, false, 0, 0},
        {"0 then minus", 'i', 0, {{kMinus}}, 0, false, 0, 0},
        {"5, minus, 3", 'i', 0, {{digit(5)}, {kMinus}, {digit(3)}}, 0, false, -53, 0},
        {"two digits in one frame go in ascending order",
         'i',
         0,
         {{digit(3), digit(1)}},
         0,
         false,
         13,
         0},
        {"the pad's digits are no digits, its minus negates",
         'i',
         4,
         {{97, kPadMinus}},
         0,
         false,
         -4,
         0},
        {"a digit on the largest number wraps",
         'i',
         2147483647,
         {{digit(9)}},
         0,
         false,
         int32_t(uint32_t(2147483647u) * 10u + 9u),
         0},
        {"the smallest number negated stays", 'i', INT32_MIN, {{kMinus}}, 0, false, INT32_MIN, 0},
        {"a digit on the smallest number wraps",
         'i',
         INT32_MIN,
         {{digit(1)}},
         0,
         false,
         int32_t(uint32_t(INT32_MIN) * 10u - 1u),
         0},
        {"Ctrl+C, Ctrl+V", 'i', 42, {{kC}}, 7, true, 42, 42},
        {"Ctrl+V", 'i', 42, {{kV}}, 7, true, 7, 7},
        {"C and V without Ctrl", 'i', 42, {{kC, kV}}, 7, false, 42, 7},
        {"short: Ctrl+V of 70000", 's', 0, {{kV}}, 70000, true, 4464, 70000},
        {"short: a digit wraps at 16 bits", 's', 32767, {{digit(0)}}, 0, false, -10, 0},
        {"short: Ctrl+C sign-extends", 's', -5, {{kC}}, 0, true, -5, -5},
        {"byte: 25 then 6", 'b', 25, {{digit(6)}}, 0, false, 0, 0},
        {"byte: 5 then minus", 'b', 5, {{kMinus}}, 0, false, 251, 0},
        {"byte: 251 Ctrl+C", 'b', 251, {{kC}}, 0, true, 251, 251},
        {"byte: Ctrl+V keeps the low bits", 'b', 0, {{kV}}, -1, true, 255, -1},
        {"byte: Backspace", 'b', 251, {{kBackspace}}, 0, false, 25, 0},
        {"unsigned: minus is no key of it", 'u', 5, {{kMinus}}, 0, false, 5, 0},
        {"unsigned: digits", 'u', 12, {{digit(4)}}, 0, false, 124, 0},
        {"optional: empty, then 4", 'o', -1, {{digit(4)}}, 0, false, 4, 0},
        {"optional: the highest digit of the first frame wins",
         'o',
         -1,
         {{digit(2), digit(8)}},
         0,
         false,
         8,
         0},
        {"optional: 4 then Backspace", 'o', 4, {{kBackspace}}, 0, false, -1, 0},
        {"optional: 45 then Backspace", 'o', 45, {{kBackspace}}, 0, false, 4, 0},
        {"optional: Ctrl+C of empty", 'o', -1, {{kC}}, 3, true, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Typing t;
        t.ctrl = c.ctrl;
        t.clipboard = c.clipboard;
        int32_t v = c.start;
        auto v16 = int16_t(c.start);
        auto v8 = uint8_t(c.start);
        for (const auto& keys : c.frames) {
            DigitTyping d = t.frame({});
            for (int k : keys) t.in.keyPressed[size_t(k)] = 1;
            switch (c.member) {
                case 'i':
                    typeDigitInt(d, v);
                    break;
                case 's':
                    typeDigitShort(d, v16);
                    break;
                case 'b':
                    typeDigitUByte(d, v8);
                    break;
                case 'u':
                    typeDigitUInt(d, v);
                    break;
                default:
                    typeOptionalNumber(d, v);
                    break;
            }
        }
        const int32_t got = c.member == 's' ? v16 : c.member == 'b' ? v8 : v;
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(t.clipboard, c.wantClipboard);
    }
}

TEST(TypedDigits, KeysActedOnAreConsumedAndTheOthersLeft) {
    Typing t;
    int32_t v = -1;
    // Empty: the digit is taken, Backspace is not looked at.
    typeOptionalNumber(t.frame({digit(4), kBackspace}), v);
    EXPECT_EQ(v, 4);
    EXPECT_FALSE(t.left(digit(4)));
    EXPECT_TRUE(t.left(kBackspace));
    v = -1;
    typeOptionalNumber(t.frame({kBackspace}), v);
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(t.left(kBackspace)) << "Backspace in an empty number is left for others";

    int32_t u = 5;
    EXPECT_FALSE(typeDigitUInt(t.frame({kMinus, kPadMinus, 97, 65}), u));
    EXPECT_EQ(u, 5);
    for (int k : {kMinus, kPadMinus, 97, 65}) EXPECT_TRUE(t.left(k)) << k;
    int32_t i = 5;
    typeDigitInt(t.frame({kC, kV}), i);
    EXPECT_TRUE(t.left(kC) && t.left(kV)) << "C and V act only with Ctrl";
}

// Whether a member handled a key is what tells a caller typing into the map to mark it.
TEST(TypedDigits, MembersReportWhetherTheyHandledAKeyThatMayChangeTheValue) {
    struct Case {
        const char* what;
        std::function<bool(const DigitTyping&)> call;
        std::initializer_list<int> keys;
        bool ctrl;
        bool handled;
    };
    int32_t i = 0;
    int16_t s = 0;
    uint8_t b = 0;
    const auto typeInt = [&](const DigitTyping& d) { return typeDigitInt(d, i); };
    const Case cases[] = {
        {"Int: a digit 0 typed into 0", typeInt, {digit(0)}, false, true},
        {"Int: Backspace", typeInt, {kBackspace}, false, true},
        {"Int: minus", typeInt, {kMinus}, false, true},
        {"Int: Ctrl+C", typeInt, {kC}, true, false},
        {"Int: Ctrl+V", typeInt, {kV}, true, true},
        {"Short", [&](const DigitTyping& d) { return typeDigitShort(d, s); }, {digit(1)}, false,
         true},
        {"UByte", [&](const DigitTyping& d) { return typeDigitUByte(d, b); }, {kMinus}, false,
         true},
        {"UInt", [&](const DigitTyping& d) { return typeDigitUInt(d, i); }, {digit(2)}, false,
         true},
        {"a frame without keys", typeInt, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Typing t;
        t.ctrl = c.ctrl;
        EXPECT_EQ(c.call(t.frame(c.keys)), c.handled);
    }
}

TEST(TypedDigits, BlankRowsTakeADigitAndBackspaceBlanksThemAgain) {
    Typing t;
    PropertyColumns cols;
    cols.propertyStatBits.fill(7);
    const auto sector = RecordEditorSubject::Sector;

    // A blank row: minus and Backspace are not looked at; a digit fills it.
    typeDigitIntoRecordEditor(t.frame({kMinus, kBackspace}), cols, sector, 11);
    EXPECT_EQ(cols.propertyState[11], 1);
    EXPECT_TRUE(t.left(kMinus) && t.left(kBackspace));
    typeDigitIntoRecordEditor(t.frame({digit(7)}), cols, sector, 11);
    EXPECT_EQ(cols.propertyValues[11], 7);
    EXPECT_EQ(cols.propertyState[11], 0);
    // Filling the floorstat row clears its check-box block, the second one.
    EXPECT_EQ(cols.propertyStatBits[16], 0);
    EXPECT_EQ(cols.propertyStatBits[31], 0);
    EXPECT_EQ(cols.propertyStatBits[0], 7);
    // 7 then Backspace: blank again, value 0, and the block shows its bits as set.
    typeDigitIntoRecordEditor(t.frame({kBackspace}), cols, sector, 11);
    EXPECT_EQ(cols.propertyValues[11], 0);
    EXPECT_EQ(cols.propertyState[11], 1);
    EXPECT_EQ(cols.propertyStatBits[16], 1);
    EXPECT_EQ(cols.propertyStatBits[31], 1);
    EXPECT_EQ(cols.propertyStatBits[15], 7);

    // Ctrl+C on a blank row copies nothing and leaves the key; Ctrl+V fills and un-blanks it.
    t.ctrl = true;
    t.clipboard = 99;
    typeDigitIntoSearchTemplate(t.frame({kC}), cols, 4);
    EXPECT_EQ(t.clipboard, 99);
    EXPECT_TRUE(t.left(kC));
    typeDigitIntoSearchApplyValue(t.frame({kV}), cols, 4);
    EXPECT_EQ(cols.propertyDeltas[4], 99);
    EXPECT_EQ(cols.propertyKeep[4], 0);
    EXPECT_EQ(cols.propertyState[4], 1) << "the apply column has blank flags of its own";
    // Two digits, a minus: -12 takes Backspace to -1; rows outside 0..22 do nothing.
    t.ctrl = false;
    typeDigitIntoSearchApplyValue(t.frame({digit(2)}), cols, 4);
    typeDigitIntoSearchApplyValue(t.frame({kPadMinus}), cols, 4);
    EXPECT_EQ(cols.propertyDeltas[4], -992);
    typeDigitIntoSearchApplyValue(t.frame({kBackspace}), cols, 4);
    EXPECT_EQ(cols.propertyDeltas[4], -99);
    EXPECT_FALSE(typeDigitIntoRecordEditor(t.frame({digit(1)}), cols, sector, 23));
    EXPECT_TRUE(t.left(digit(1)));
}

TEST(TypedDigits, StatBitBlocksFollowTheSubjectsStatRows) {
    struct Case {
        RecordEditorSubject subject;
        int32_t row;
        int32_t block;  // -1 none
    } const cases[] = {
        {RecordEditorSubject::Sprite, 3, 0},           {RecordEditorSubject::SelectedSprites, 3, 0},
        {RecordEditorSubject::Sprite, 5, -1},          {RecordEditorSubject::Sector, 3, 0},
        {RecordEditorSubject::SelectedSectors, 11, 1}, {RecordEditorSubject::Wall, 5, 0},
        {RecordEditorSubject::SelectedWalls, 3, -1},   {RecordEditorSubject::Nothing, 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.subject) * 100 + c.row);
        PropertyColumns cols;
        cols.propertyStatBits.fill(5);
        clearStatBitFlags(cols, c.subject, c.row);
        for (int32_t i = 0; i < kPropertyStatBits; ++i)
            EXPECT_EQ(cols.propertyStatBits[size_t(i)], i / 16 == c.block ? 0 : 5) << i;
    }
}

// Typing 7 into a field holding all ones: a byte gives 253, a short 0xFFEF, an int 0xFFFFFFEF.
TEST(TypedDigits, RecordFieldsAreEditedByTheirWidthAndNothingBesides) {
    auto map = std::make_unique<MapStore>();
    map->sectorCount = 2, map->wallCount = 2, map->spriteCount = 2;
    const int32_t fieldCounts[] = {23, 17, 23};
    const size_t recordSizes[] = {sizeof(SectorRecord), sizeof(WallRecord), sizeof(SpriteRecord)};
    int32_t checked = 0;
    for (int32_t kind = 0; kind < 3; ++kind) {
        uint8_t* record = kind == 0   ? reinterpret_cast<uint8_t*>(&map->sectors[1])
                          : kind == 1 ? reinterpret_cast<uint8_t*>(&map->walls[1])
                                      : reinterpret_cast<uint8_t*>(&map->sprites[1]);
        int32_t offset = 0;
        for (int32_t field = 0; field < fieldCounts[kind]; ++field, ++checked) {
            SCOPED_TRACE(kind * 100 + field);
            const RecordFieldSpan span = recordFieldSpan(kind, field);
            ASSERT_EQ(span.offset, offset);
            ASSERT_TRUE(span.width == 1 || span.width == 2 || span.width == 4);
            offset += span.width;
            std::memset(record, 0xFF, recordSizes[kind]);
            Typing t;
            EXPECT_TRUE(editRecordField(t.frame({digit(7)}), *map, kind, 1, field));
            std::vector<uint8_t> want(recordSizes[kind], 0xFF);
            if (span.width == 1) want[size_t(span.offset)] = 253;
            if (span.width >= 2) want[size_t(span.offset)] = 0xEF;
            EXPECT_EQ(std::vector<uint8_t>(record, record + recordSizes[kind]), want);
        }
        EXPECT_EQ(size_t(offset), recordSizes[kind]);
    }
    EXPECT_EQ(checked, 63);
}

TEST(TypedDigits, RecordFieldsThatDoNotExistAreLeftAlone) {
    auto map = std::make_unique<MapStore>();
    map->sectorCount = 1, map->wallCount = 1, map->spriteCount = 1;
    map->sectors[1].ceilingz = 5;
    struct Case {
        int32_t kind, number, field;
    } const cases[] = {
        {0, 1, 2}, {0, -1, 2}, {1, 1, 0}, {2, 7, 0}, {3, 0, 0}, {-1, 0, 0}, {1, 0, 17}, {0, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind * 10000 + c.number * 100 + c.field);
        Typing t;
        EXPECT_FALSE(editRecordField(t.frame({digit(3)}), *map, c.kind, c.number, c.field));
        EXPECT_TRUE(t.left(digit(3)));
    }
    EXPECT_EQ(map->sectors[1].ceilingz, 5);
}

}  // namespace
}  // namespace korvel
