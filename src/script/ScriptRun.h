// Running a script: the register machine that executes a compiled program against the editor,
// the built-ins that need the editor's state, and the run itself (compile, one undo snapshot,
// interpret within a step budget, end steps).
#pragma once

#include <cstdint>
#include <string>

#include "script/ScriptBuiltins.h"

namespace korvel {

struct Editor;

// Why a run stopped.
// Asked: the program empties the map, which holds unsaved changes; a question is open instead.
enum class ScriptRunEnd : uint8_t { Finished, StepBudget, Aborted, Overflow, Asked };

// Steps a run may take before it is stopped; tests lower it.
constexpr int64_t kScriptStepBudget = 2147483647;
// Instructions between two looks at the window system for Esc.
constexpr int64_t kScriptEventInterval = 65536;

// Executes the compiled program of ed.pages.scriptEditor from its first instruction with fresh
// registers, at most `budget` instructions. Esc (outside demos) aborts.
ScriptRunEnd interpretScript(Editor& ed, int64_t budget);

// One built-in that reads or changes editor state besides the map.
void runEditorBuiltin(Editor& ed, int32_t opcode, const ScriptOperands& o, ScriptRegisters& r);

// The text of the named script for a compile: its file in the data folder, or the temporary
// script during a demo (then deleted); includes in a demo read nothing.
std::string readScriptForRun(Editor& ed, const std::string& name, bool topLevel);

// Compiles the named script and, with topLevel, runs it: back to the plan view, one undo
// snapshot, cues muted, the program interpreted; the map ends marked modified. What happened
// is returned; the caller reports it.
ScriptRunEnd runScript(Editor& ed, const std::string& name, bool topLevel);

}  // namespace korvel
