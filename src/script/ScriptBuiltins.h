// The built-ins of the script machine that need nothing but the registers and the map: register
// arithmetic, fixed point and angles, record fields, selection and ignore flags, object counts,
// stat bits and the map queries. Every index is checked: out of range, nothing changes.
#pragma once

#include <array>
#include <cstdint>

#include "script/ScriptCompiler.h"

namespace korvel {

struct MapStore;

constexpr int32_t kScriptRegisterCount = 100;
using ScriptRegisters = std::array<int32_t, kScriptRegisterCount>;

// An instruction's operands read for its pattern: the value of each 'V' operand, the register
// number of each 'R' operand (with its current content in value) and each 'F' code as written.
struct ScriptOperands {
    std::array<int32_t, 4> value{};
    std::array<int32_t, 4> reg{};
};

// Reads the operands of ins; false when a register number lies outside 0..99, and then the
// instruction must do nothing.
bool readScriptOperands(const ScriptInstruction& ins, const ScriptRegisters& r, ScriptOperands& o);

// Register arithmetic and fixed point (opcodes 3 to 35 but "ptr"); false for any other opcode.
bool runArithmeticBuiltin(int32_t opcode, const ScriptOperands& o, ScriptRegisters& r);

// Record fields, flags, counts, stat bits and map queries; false for any other opcode.
bool runMapBuiltin(int32_t opcode, const ScriptOperands& o, ScriptRegisters& r, MapStore& map);

// Field `code` of a record kind (0 sprite, 1 sector, 2 wall): false when the kind has no such
// field or the index lies outside the array.
bool getScriptField(const MapStore& map, int32_t kind, int32_t index, int32_t code, int32_t& value);
bool setScriptField(MapStore& map, int32_t kind, int32_t index, int32_t code, int32_t value);

}  // namespace korvel
