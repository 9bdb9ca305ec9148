// The script compiler: one pass over the text, an instruction emitted as soon as its keyword is
// read, operands written into it as their tokens arrive and block exits patched when a block is
// continued or closed. Errors are silent: a token that does not fit ends its line's statement.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <string>
#include <vector>

#include "base/ZeroedTable.h"

namespace korvel {

// One compiled instruction. Operand n of the statement is operands[n - 1]; its kind byte is
// non-zero when the operand names a register, 0 for an immediate (numbers and field codes).
// Control instructions: jump (opcode 0: operands[0] the target, -1 the program's end; kinds[0]
// the break marker), for-each header (1: operands[0] the exit, operands[2] the loop register,
// kinds[0] the filter bits, kinds[1] the object kind), if/while header (2: operands[0] the exit,
// operands[1] the left register, operands[2] the right value, kinds[0] the comparison).
struct ScriptInstruction {
    int32_t opcode = 0;
    std::array<int32_t, 4> operands{};
    std::array<uint8_t, 4> kinds{};
    bool operator==(const ScriptInstruction&) const = default;
};

template <>
inline constexpr bool kNewIsZeroBytes<ScriptInstruction> = true;

constexpr int32_t kScriptCodeCapacity = 16384;
constexpr int32_t kScriptBlockCapacity = 256;
// Includes: how deep they nest, and how many one compile reads.
constexpr int32_t kScriptIncludeDepth = 16;
constexpr int32_t kScriptIncludesPerCompile = 1024;

enum class ScriptBlockKind : uint8_t { If = 0, While = 1, ForEach = 2 };

enum class ScriptParseState : int8_t {
    Comment = -1,
    Error = 0,
    Register = 1,
    StatementStart = 2,
    Value = 3,
    FieldName = 4,
    Comparison = 5,
    AfterFor = 6,
    ForEachSpec = 7,
    IncludeNumber = 8,
};

struct ScriptProgram {
    // Untouched, and so taking no memory, until a script is compiled.
    ZeroedTable<ScriptInstruction> scriptCode =
        ZeroedTable<ScriptInstruction>(size_t(kScriptCodeCapacity));
    int32_t scriptCodeLength = 0;
    std::array<int32_t, kScriptBlockCapacity> scriptBlockStack{};
    std::array<ScriptBlockKind, kScriptBlockCapacity> scriptBlockKinds{};
    int32_t scriptBlockDepth = 0;
    // The text needed more instructions or more open blocks than there is room for: the
    // program is incomplete and must not run.
    bool overflow = false;
};

// Gives the text of the script with that name; empty when there is none.
using ScriptIncludeReader = std::function<std::string(const std::string& name)>;

// Compiles text from an empty program. Includes are named after scriptName (the script loaded
// in the editor), an underscore and the number as written. Blocks still open at the end exit to
// the program's end. Returns false when the program overflowed.
bool compileScript(ScriptProgram& program, const std::string& text, const std::string& scriptName,
                   const ScriptIncludeReader& readInclude);

// Palette indices of the script editor's colours, by the class of the token.
constexpr int32_t kScriptColourControl = 212;
constexpr int32_t kScriptColourField = 92;
constexpr int32_t kScriptColourNumber = 83;
constexpr int32_t kScriptColourRegister = 176;
constexpr int32_t kScriptColourError = 78;
// Longer tokens are errors to the colouring.
constexpr int32_t kScriptColourTokenLimit = 256;

enum class ScriptColourClass : uint8_t;
int32_t scriptClassColour(ScriptColourClass c);

// The compiler's grammar without a program: it follows the states token by token and says how
// the editor colours each one. Unlike the compiler it takes "include" and "end" only at a
// statement's start.
class ScriptColouring {
public:
    ScriptColouring();
    ~ScriptColouring();
    ScriptColouring(const ScriptColouring&) = delete;
    ScriptColouring& operator=(const ScriptColouring&) = delete;

    // The token's colour, or -1 when the colour before it stays (an empty token).
    int32_t token(std::string_view t);
    // A carriage return: back at a statement's start, the colour unchanged.
    void lineEnd();
    bool inComment() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A register token: "r" and two ASCII digits; -1 otherwise.
int32_t scriptRegisterToken(std::string_view token);
// A decimal number token (sign, digits, fraction, exponent), rounded to the nearest integer with
// halves to even; false when it is no number or the result leaves the signed 32-bit range.
bool scriptNumberToken(std::string_view token, int32_t& value);

}  // namespace korvel
