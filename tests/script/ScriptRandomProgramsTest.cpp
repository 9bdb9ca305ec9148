#include <gtest/gtest.h>

#include <random>

#include "app/Editor.h"
#include "map/ObjectTables.h"
#include "script/ScriptBuiltins.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptKeywords.h"
#include "script/ScriptRun.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

int32_t countFlags(const uint8_t* flags, int32_t n) {
    int32_t c = 0;
    for (int32_t i = 0; i < n; ++i) c += flags[i] != 0;
    return c;
}

// Random instructions, any opcode with any operands (registers past 99, indexes past the
// arrays, negative counts, targets anywhere), run within a step budget on small built maps:
// the counts stay within capacity and the selection counts match the flags.
TEST(ScriptRandomPrograms, AnyProgramKeepsTheCountsSound) {
    test::EditorRig rig("", false);
    Editor& ed = *rig.ed;
    std::mt19937 gen(20261211);
    const int32_t interesting[] = {0,     1,         2,         3,     -1,    99,    100,
                                   -2,    4095,      4096,      16383, 16384, 32767, 32768,
                                   32769, INT32_MAX, INT32_MIN, 65535, 1024,  512};
    auto value = [&]() {
        return gen() % 2 ? interesting[gen() % std::size(interesting)] : int32_t(gen() % 64) - 8;
    };
    for (int32_t program = 0; program < 500; ++program) {
        SCOPED_TRACE(program);
        clearMapRecords(ed.map);
        resetMapState(ed.map);
        test::MapBuilder b(ed.map);
        b.addRoom(0, 0, 1024, 1024);
        b.addRoom(1024, 0, 2048, 1024);
        b.addSprite(100, 100, 0, 0);
        b.addSprite(1500, 100, 0, 1);
        b.link();
        ScriptProgram& p = ed.pages.scriptEditor.program;
        p.scriptCodeLength = int32_t(gen() % 40) + 1;
        for (int32_t i = 0; i < p.scriptCodeLength; ++i) {
            ScriptInstruction& ins = p.scriptCode[size_t(i)];
            const uint32_t pick = gen() % 10;
            ins.opcode = pick == 0   ? int32_t(gen() % 3)
                         : pick == 1 ? value()
                                     : int32_t(gen() % 224);
            for (int32_t n = 0; n < 4; ++n) {
                ins.operands[size_t(n)] = gen() % 3 == 0 ? int32_t(gen() % 110) : value();
                ins.kinds[size_t(n)] = uint8_t(gen() % 3 == 0 ? gen() % 256 : 0);
            }
        }
        interpretScript(ed, 20000);
        const MapStore& m = ed.map;
        ASSERT_TRUE(m.sectorCount >= 0 && m.sectorCount <= kMaxSectors);
        ASSERT_TRUE(m.wallCount >= 0 && m.wallCount <= kMaxWalls);
        ASSERT_TRUE(m.spriteCount >= 0 && m.spriteCount <= kMaxSprites);
        ASSERT_EQ(m.selectedSpriteCount, countFlags(m.spriteSelected.data(), m.spriteCount));
        ASSERT_EQ(m.selectedSectorCount, countFlags(m.sectorSelected.data(), m.sectorCount));
        ASSERT_EQ(m.selectedWallCount, countFlags(m.wallSelected.data(), m.wallCount));
        ASSERT_EQ(m.selectedVertexCount, countFlags(m.vertexSelected.data(), m.wallCount));
    }
}

// The interpreter decodes the arithmetic of tight loops itself: every such instruction, with
// registers in and out of range and immediates at the limits, must leave the registers as the
// general operand reader and arithmetic do.
TEST(ScriptRandomPrograms, FastArithmeticMatchesTheGeneralPath) {
    test::EditorRig rig("", false);
    Editor& ed = *rig.ed;
    test::MapBuilder b(ed.map);
    b.addRoom(0, 0, 1024, 1024);
    b.addSprite(100, 100, 0, 0);
    b.addSprite(200, 100, 0, 0);
    b.link();
    struct Operand {
        int32_t value;
        uint8_t kind;
    };
    const Operand firsts[] = {{5, 0}, {5, 1}, {100, 0}, {-1, 0}};
    const Operand seconds[] = {{INT32_MAX, 0}, {-7, 0}, {6, 1}, {100, 1}, {-1, 1}, {5, 1}};
    for (const int32_t op : {kOpMov, kOpXor, kOpAdd, kOpSub, kOpInc, kOpDec}) {
        for (const Operand& d : firsts) {
            for (const Operand& a : seconds) {
                SCOPED_TRACE(testing::Message() << op << " " << d.value << " " << a.value << "/"
                                                << int(a.kind));
                ScriptProgram& p = ed.pages.scriptEditor.program;
                ASSERT_TRUE(compileScript(p,
                                          "getsprite 0 z r05\r\ngetsprite 1 z r06\r\nmov r01 0\r\n"
                                          "setsprite 0 z r05",
                                          "t", {}));
                ScriptInstruction& ins = p.scriptCode[2];
                ins = {};
                ins.opcode = op;
                ins.operands = {d.value, a.value, 0, 0};
                ins.kinds = {d.kind, a.kind, 0, 0};
                ScriptRegisters expected{};
                expected[5] = 2147483000;
                expected[6] = -123;
                ScriptOperands o;
                if (readScriptOperands(ins, expected, o)) runArithmeticBuiltin(op, o, expected);
                ed.map.sprites[0].z = 2147483000;
                ed.map.sprites[1].z = -123;
                interpretScript(ed, 100);
                EXPECT_EQ(ed.map.sprites[0].z, expected[5]);
            }
        }
    }
}

}  // namespace
}  // namespace korvel
