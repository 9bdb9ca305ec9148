// The words of the script language: the built-in keywords with their opcodes, operand patterns
// and colour classes, the field names, the comparison, filter and object-kind words and the
// control words. The compiler, the interpreter and the editor's colouring all read these tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace korvel {

// How the script editor colours a built-in keyword.
enum class ScriptColourClass : uint8_t { Arithmetic = 0, Access = 1, Operation = 2 };

// One built-in: its word, its opcode and its operands in statement order, one letter each:
// 'R' a register, 'V' a register or a number, 'F' a field name.
struct ScriptKeyword {
    std::string_view word;
    int32_t opcode;
    std::string_view operands;
    ScriptColourClass colourClass;
};

constexpr int32_t kScriptBuiltinCount = 220;
constexpr int32_t kScriptOpcodeCount = 224;  // opcodes 0 to 223
constexpr int32_t kScriptFieldCount = 49;    // codes 0 to 48
constexpr int32_t kScriptFieldWholeRecord = 48;

// Control instructions.
constexpr int32_t kOpJump = 0;
constexpr int32_t kOpForEach = 1;
constexpr int32_t kOpIfWhile = 2;
// The opcodes the interpreter runs on its fast path.
constexpr int32_t kOpMov = 3;
constexpr int32_t kOpXor = 5;
constexpr int32_t kOpAdd = 12;
constexpr int32_t kOpSub = 13;
constexpr int32_t kOpInc = 30;
constexpr int32_t kOpDec = 31;
// Never compiled; runs as "cloneloop".
constexpr int32_t kOpCloneLoopTwin = 185;
constexpr int32_t kOpCloneLoop = 148;
constexpr int32_t kOpResetMap = 120;

const std::array<ScriptKeyword, kScriptBuiltinCount>& scriptKeywords();

// The built-in with this word, or nullptr.
const ScriptKeyword* findScriptKeyword(std::string_view word);
// The operand letters of an opcode ("" for none, for the control opcodes and unknown ones).
std::string_view scriptOperandPattern(int32_t opcode);

// -1 when the word is not of that group.
int32_t scriptFieldCode(std::string_view word);
std::string_view scriptFieldName(int32_t code);
int32_t scriptComparisonCode(std::string_view word);  // 0 to 5
int32_t scriptFilterBit(std::string_view word);       // 1, 2, 4, 8
int32_t scriptObjectKind(std::string_view word);      // 0 sprite, 1 sector, 2 wall
bool isScriptCommentMarker(std::string_view word);
// "if", "else", "endif", "while", "for", "each", "continue", "break", "end", "include".
bool isScriptControlWord(std::string_view word);

}  // namespace korvel
