#include "script/ScriptCompiler.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "script/ScriptKeywords.h"

namespace korvel {

// Instruction dumps in failure messages.
void PrintTo(const ScriptInstruction& i, std::ostream* os) {
    *os << "{op " << i.opcode << " [" << i.operands[0] << " " << i.operands[1] << " "
        << i.operands[2] << " " << i.operands[3] << "] kinds [" << int(i.kinds[0])
        << int(i.kinds[1]) << int(i.kinds[2]) << int(i.kinds[3]) << "]}";
}

namespace {

using Ins = ScriptInstruction;

Ins ins(int32_t op, std::array<int32_t, 4> operands, std::array<uint8_t, 4> kinds = {}) {
    Ins i;
    i.opcode = op;
    i.operands = operands;
    i.kinds = kinds;
    return i;
}

// " / " stands for a line end.
std::string lines(std::string text) {
    for (size_t at; (at = text.find(" / ")) != std::string::npos;) text.replace(at, 3, "\r\n");
    return text;
}

std::vector<Ins> compile(const std::string& text, std::map<std::string, std::string> files = {},
                         bool* fits = nullptr) {
    ScriptProgram p;
    const bool ok = compileScript(p, text, "walls", [&](const std::string& name) {
        const auto it = files.find(name);
        return it == files.end() ? std::string() : it->second;
    });
    if (fits) *fits = ok;
    return {p.scriptCode.begin(), p.scriptCode.begin() + p.scriptCodeLength};
}

TEST(ScriptKeywordTable, EveryOpcodeFrom3To223But185HasOneWordAndAPattern) {
    std::set<int32_t> opcodes;
    std::set<std::string_view> words;
    for (const ScriptKeyword& k : scriptKeywords()) {
        opcodes.insert(k.opcode);
        words.insert(k.word);
        EXPECT_EQ(k.operands.find_first_not_of("RVF"), std::string_view::npos) << k.word;
        EXPECT_LE(k.operands.size(), 4u) << k.word;
    }
    EXPECT_EQ(words.size(), 220u);
    EXPECT_EQ(opcodes.size(), 220u);
    EXPECT_EQ(*opcodes.begin(), 3);
    EXPECT_EQ(*opcodes.rbegin(), 223);
    EXPECT_EQ(opcodes.count(185), 0u);
    EXPECT_EQ(scriptOperandPattern(185), scriptOperandPattern(148)) << "runs as cloneloop";
}

// Each keyword with operands for its pattern compiles to its opcode with registers, numbers and
// fields in place and nothing carried over from the instruction before.
TEST(ScriptCompiler, EveryKeywordCompilesItsOperandPattern) {
    for (const ScriptKeyword& k : scriptKeywords()) {
        std::string text = "mov r99 -77 / " + std::string(k.word);
        Ins expected;
        expected.opcode = k.opcode;
        expected.operands = {99, -77, 0, 0};
        expected.kinds = {1, 0, 0, 0};
        for (size_t n = 0; n < k.operands.size(); ++n) {
            const char letter = k.operands[n];
            if (letter == 'R') {
                text += " r0" + std::to_string(n + 1);
                expected.operands[n] = int32_t(n + 1), expected.kinds[n] = 1;
            } else if (letter == 'V') {
                text += " " + std::to_string(10 * (n + 1));
                expected.operands[n] = int32_t(10 * (n + 1)), expected.kinds[n] = 0;
            } else {
                text += " lotag";
                expected.operands[n] = 3, expected.kinds[n] = 0;
            }
        }
        const std::vector<Ins> code = compile(lines(text));
        ASSERT_EQ(code.size(), 2u) << k.word;
        EXPECT_EQ(code[1], expected) << k.word;
    }
}

TEST(ScriptCompiler, NumberAndRegisterTokens) {
    const std::vector<std::pair<std::string, std::optional<int32_t>>> numbers = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"1e3", 1000},
        {"+5", 5},
        {"0.5", 0},
        {"1.5", 2},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"2147483647.4", INT32_MAX},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"1e10", {}},
        {"0x10", {}},
        {"1,000", {}},
        {"abc", {}},
        {"1e", {}},
        {"-", {}},
        {".", {}},
        {"nan", {}},
        {"inf", {}},
        {"5x", {}},
    };
    for (const auto& [token, want] : numbers) {
        int32_t v = 12345;
        EXPECT_EQ(scriptNumberToken(token, v), want.has_value()) << token;
        if (want) EXPECT_EQ(v, *want) << token;
    }
    const std::vector<std::pair<std::string, int32_t>> registers = {
        {"r00", 0}, {"r07", 7},  {"r99", 99},  {"r-1", -1}, {"r+5", -1},
        {"r5", -1}, {"R01", -1}, {"r100", -1}, {"r0a", -1}, {"x01", -1},
    };
    for (const auto& [token, want] : registers)
        EXPECT_EQ(scriptRegisterToken(token), want) << token;

    // An error token leaves the operands as in the instruction before.
    for (const char* bad : {"2147483648", "r-1", "r+5", "r5", "R01", "r100"}) {
        const auto code = compile(lines("mov r05 7 / mov r01 " + std::string(bad)));
        ASSERT_EQ(code.size(), 2u) << bad;
        EXPECT_EQ(code[1], ins(3, {1, 7, 0, 0}, {1, 0, 0, 0})) << bad;
    }
}

TEST(ScriptCompiler, StatementsAndTheirEdgeCases) {
    const Ins mov15 = ins(3, {1, 5, 0, 0}, {1, 0, 0, 0});
    const Ins mov57 = ins(3, {5, 7, 0, 0}, {1, 0, 0, 0});
    const Ins end = ins(0, {-1, 0, 0, 0});
    const std::vector<std::pair<std::string, std::vector<Ins>>> cases = {
        {"", {}},
        {"mov r01 5\r\n", {mov15}},
        {"mov r01 5", {mov15}},  // the last line needs no line end
        {"mov r01 5 ", {mov15}},
        {"mov r05 7 / add r01", {mov57, ins(12, {1, 7, 0, 0}, {1, 0, 0, 0})}},
        {"mov r05 7 / mov  r01 5", {mov57, ins(3, {5, 7, 0, 0}, {1, 0, 0, 0})}},
        {"mov r05 7 / mov r01 / mov r02 1",
         {mov57, ins(3, {1, 7, 0, 0}, {1, 0, 0, 0}), ins(3, {2, 1, 0, 0}, {1, 0, 0, 0})}},
        {"MOV r01 5", {}},
        {"add", {ins(12, {0, 0, 0, 0})}},
        {"mov r01 5 end", {mov15, end}},
        {"mov r01 5 add r01 1", {mov15}},
        {"mov r01 5 // add r01 1", {mov15}},
        {"// mov r01 5 / mov r01 5", {mov15}},
        {"*** x / ~~~ y / !!! z / mov r01 5", {mov15}},
        {"mov r01 5\nmov r02 6\n", {mov15}},
        {"mov r01 5\nmov r02 6\nend", {mov15, end}},
        {"else / endif / continue", {}},
        {"break", {end}},
        {"end", {end}},
        {"for each selected nonignored wall r07", {ins(1, {1, 0, 7, 0}, {9, 2, 1, 0})}},
        {"for sprite r01", {ins(1, {1, 0, 0, 0}, {0, 0, 0, 0})}},
        {"for each each sprite r01", {ins(1, {1, 0, 0, 0}, {0, 0, 0, 0})}},
        {"if", {ins(2, {1, 0, 0, 0})}},
        {"if r03", {ins(2, {1, 3, 0, 0}, {0, 1, 0, 0})}},
        {"if r01 == r02", {ins(2, {1, 1, 2, 0}, {1, 1, 1, 0})}},
        {"if r01 e 5 // note", {ins(2, {1, 1, 5, 0}, {1, 1, 0, 0})}},
        {"getsprite r03 picnum r04", {ins(36, {3, 14, 4, 0}, {1, 0, 1, 0})}},
        {"getsprite r03 x r04 end", {ins(36, {3, 0, 4, 0}, {1, 0, 1, 0}), end}},
        {"setsector 1 = 2", {ins(40, {1, 48, 2, 0})}},
        {"mov r01 e", {ins(3, {1, 0, 0, 0}, {1, 0, 0, 0})}},
        {"mov r01 x", {ins(3, {1, 0, 0, 0}, {1, 0, 0, 0})}},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(compile(lines(text)), want) << text;
}

TEST(ScriptCompiler, CompiledBlockShapes) {
    const Ins inc1 = ins(30, {1, 1, 10, 0}, {1, 1, 0, 0});
    const std::vector<std::pair<std::string, std::vector<Ins>>> cases = {
        {"if r01 e 5 / mov r02 1 / else / mov r02 2 / endif",
         {ins(2, {3, 1, 5, 0}, {1, 1, 0, 0}), ins(3, {2, 1, 5, 0}, {1, 0, 0, 0}),
          ins(0, {4, 0, 0, 0}), ins(3, {2, 2, 0, 0}, {1, 0, 0, 0})}},
        {"while r01 l 10 / inc r01 / continue",
         {ins(2, {3, 1, 10, 0}, {4, 1, 0, 0}), inc1, ins(0, {0, 0, 0, 0})}},
        {"for each selected sector r02 / mov r02 2 / continue",
         {ins(1, {3, 0, 2, 0}, {1, 1, 1, 0}), ins(3, {2, 2, 2, 0}, {1, 0, 1, 0}),
          ins(0, {0, 0, 0, 0})}},
        {"while r01 l 10 / if r01 e 3 / break / endif / continue",
         {ins(2, {4, 1, 10, 0}, {4, 1, 0, 0}), ins(2, {3, 1, 3, 0}, {1, 1, 0, 0}),
          ins(0, {0, 0, 0, 0}, {1, 0, 0, 0}), ins(0, {0, 0, 0, 0})}},
        // "break" in an if outside every loop emits nothing.
        {"if r01 e 1 / break / endif / mov r02 2",
         {ins(2, {1, 1, 1, 0}, {1, 1, 0, 0}), ins(3, {2, 2, 1, 0}, {1, 0, 0, 0})}},
        // Blocks left open exit to the program's end, an "else" jump too.
        {"while r01 l 10 / inc r01", {ins(2, {2, 1, 10, 0}, {4, 1, 0, 0}), inc1}},
        {"if r01 e 1 / mov r02 1 / else / mov r02 2",
         {ins(2, {3, 1, 1, 0}, {1, 1, 0, 0}), ins(3, {2, 1, 1, 0}, {1, 0, 0, 0}),
          ins(0, {4, 0, 0, 0}), ins(3, {2, 2, 0, 0}, {1, 0, 0, 0})}},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(compile(lines(text)), want) << text;
}

TEST(ScriptCompiler, IncludesCompileNamedAfterTheEditorsScript) {
    const Ins add7 = ins(12, {1, 7, 0, 0}, {1, 0, 0, 0});
    const Ins mov15 = ins(3, {1, 5, 0, 0}, {1, 0, 0, 0});
    struct Case {
        std::string text;
        std::map<std::string, std::string> files;
        std::vector<Ins> want;
    };
    const std::vector<Case> cases = {
        {"mov r01 5 / include 2", {{"walls_2", "add r01 7"}}, {mov15, add7}},
        {"mov r01 5 / include 2", {}, {mov15}},
        {"MOV include 2", {{"walls_2", "add r01 7"}}, {add7}},  // after an error too
        {"include r01", {{"walls_r01", "add r01 7"}}, {}},
        // An included script that includes its own name compiles once.
        {"include 1 / mov r01 5", {{"walls_1", "include 1\r\nadd r01 7"}}, {add7, mov15}},
        // Includes are always named after the editor's script.
        {"include 1", {{"walls_1", "include 2"}, {"walls_2", "add r01 7"}}, {add7}},
        // A block opened in an include is closed by the includer.
        {"include 1 / continue",
         {{"walls_1", "while r01 l 2"}},
         {ins(2, {2, 1, 2, 0}, {4, 1, 0, 0}), ins(0, {0, 0, 0, 0})}},
    };
    for (const Case& c : cases) EXPECT_EQ(compile(lines(c.text), c.files), c.want) << c.text;

    // A chain deeper than the limit stops; every link deeper than it compiles nothing.
    std::map<std::string, std::string> chain;
    for (int i = 1; i <= 40; ++i)
        chain["walls_" + std::to_string(i)] = "inc r01\r\ninclude " + std::to_string(i + 1);
    EXPECT_EQ(compile("include 1", chain).size(), size_t(kScriptIncludeDepth));
    // Includes per compile are bounded even when each is shallow.
    std::map<std::string, std::string> wide{{"walls_1", "inc r01"}};
    std::string many;
    for (int i = 0; i < 3000; ++i) many += "include 1\r\n";
    EXPECT_EQ(compile(many, wide).size(), size_t(kScriptIncludesPerCompile));
}

TEST(ScriptCompiler, ProgramsPastTheCapacityDoNotFit) {
    std::string longText;
    for (int i = 0; i < kScriptCodeCapacity; ++i) longText += "inc r01\r\n";
    bool fits = false;
    EXPECT_EQ(compile(longText, {}, &fits).size(), size_t(kScriptCodeCapacity));
    EXPECT_TRUE(fits);
    compile(longText + "inc r01", {}, &fits);
    EXPECT_FALSE(fits);

    std::string deep;
    for (int i = 0; i < kScriptBlockCapacity; ++i) deep += "if r01 e 0\r\n";
    compile(deep, {}, &fits);
    EXPECT_TRUE(fits);
    compile(deep + "while r01 e 0", {}, &fits);
    EXPECT_FALSE(fits);
}

}  // namespace
}  // namespace korvel
