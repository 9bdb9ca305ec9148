// Script files: the scripts are the ".kvs" files of the data folder. The list the script editor
// shows, the current script's name and text, and the operations on the files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map/PointBuffers.h"
#include "script/ScriptCompiler.h"

namespace korvel {

class FileSystem;
struct Editor;
struct Languages;

// The script editor's line layout: 75 cells per visual line, room for this many lines.
constexpr int32_t kScriptLayoutColumns = 75;
constexpr int32_t kScriptLayoutLines = 16384;

// Rows the script list of the script editor page shows at once.
constexpr int32_t kScriptListRows = 32;
// The listing's count is 16-bit.
constexpr int32_t kMaxScripts = 32767;

constexpr int32_t kScriptPointBufferSize = kPointBufferSize;
using ScriptPoint = BufferPoint;

// Where the layout entered a visual line: the text position of the line's first character, the
// pen's x there, and whether a carriage return ended the line before (the grammar starts a
// statement again there). colour: the colour the text is drawn in from there, once a drawing
// has gone past the line's start; -1 until then.
struct ScriptLineStart {
    int32_t position = 0;
    int32_t x = 0;
    int32_t colour = -1;
    bool afterReturn = false;
};

struct ScriptState {
    std::string scriptName;                // file stem of the current script
    std::string scriptText;                // its text as the editor holds it
    std::vector<std::string> scriptNames;  // stems of the script files, in name order
    int32_t scriptCount = 0;
    int32_t scriptIndex = 0;  // the current script's entry in scriptNames
    int32_t scriptListTop = 0;
    int32_t scriptCursor = 0;
    int32_t scriptAnchor = 0;
    int32_t scriptLineCount = 0;
    int32_t scriptTopLine = 0;
    int32_t scriptShownLine = 0;
    int32_t scriptUndoAvailable = 0;
    int32_t scriptTextChanged = 0;
    int32_t scriptCaretTime = 0;
    uint8_t scriptOverwrite = 0;
    // Set when a double click selected a word: the text takes no drag until the button is up.
    int32_t scriptDragFlag = 0;
    // frameTime of the last click or drag step in the text: a second click on the caret's own
    // place within 250 ms selects the word.
    int32_t lastClickTime = 0;

    // The undo copy of the text with its cursor and anchor, taken by the first edit after the
    // user placed the cursor with the mouse.
    std::string scriptUndoText;
    int32_t scriptUndoCursor = 0;
    int32_t scriptUndoAnchor = 0;
    // For visual line n and column c, cell n * 75 + c: the 1-based position of the character
    // shown there, which is also the cursor position just after it; -1 empty (see ScriptLayout).
    // Its 4.9 MB are taken when the first text is laid out; until then every cell reads -1.
    std::vector<int32_t> scriptLayout;
    // How many visual lines of scriptLayout the last layout wrote: every line from there on
    // holds -1.
    int32_t scriptLayoutExtent = kScriptLayoutLines;
    // The text the cells were laid out from, and each of its visual lines' start: while the text
    // stays the same and no cell was taken for writing (scriptLayoutCurrent), the text is drawn
    // again from the start nearest to the first shown line without being laid out.
    std::string scriptLaidOutText;
    std::vector<ScriptLineStart> scriptLineStarts;
    uint8_t scriptLayoutCurrent = 0;
    // The text of the value field being edited: the expression evaluator reads it as x.
    std::string exprXText;

    // The last program compiled for a run, and the scratch point buffers scripts use.
    ScriptProgram program;
    ZeroedTable<ScriptPoint> pointBuffer1 =
        ZeroedTable<ScriptPoint>(size_t(kScriptPointBufferSize));
    ZeroedTable<ScriptPoint> pointBuffer2 =
        ZeroedTable<ScriptPoint>(size_t(kScriptPointBufferSize));
    // The user agreed that the next run may empty a modified map.
    uint8_t scriptResetConfirmed = 0;
    // The text was changed since it was last loaded, saved or started empty.
    uint8_t scriptEdited = 0;
    // The script a load waits for while the user is asked about the current one's changes.
    std::string scriptPendingName;
    // How many instructions a run may execute before it is stopped.
    int64_t scriptStepBudget = 2147483647;
};

// Lists the script files of the data folder. Unless keepText is set (or a demo is about to
// start), the default script (message 1278) becomes current with the text of its file, empty when
// there is none, and its entry is found in the list without regard to case.
void refreshScriptList(ScriptState& scripts, FileSystem& fs, const std::string& dataFolder,
                       const Languages& langs, bool keepText, bool demoStartPending,
                       int32_t visibleRows);
// The same for the editor.
void refreshScriptList(Editor& ed, bool keepText);

// Whether a script name may become a file name: not empty, ".", "..", the demo's temporary
// script, nor holding a path separator or a control code.
bool isValidScriptName(const std::string& name);

// Writes the current script's text to its file (the temporary script during a demo) and lists
// the scripts again; unless keepIndex, the current entry is found again ignoring case. A refused
// name or a failed write is reported in the status line, the text kept; false then.
bool saveScript(Editor& ed, bool keepIndex);

// Makes entry scriptIndex the current script, saving the current one first when its file exists
// (a failed save stops the load). A script edited but never saved is not dropped silently: the
// user is asked first (false then; the answer finishes the load). Line ends read as CR LF.
bool loadScript(Editor& ed);

// Deletes the current script's file and moves to a neighbouring script: the one that took its
// place, else the new last one; with none left, an empty default script in memory. False when
// the name is refused or the file could not be deleted (reported).
bool deleteScript(Editor& ed);

// Starts an empty script, in memory only, named by the default name with its number raised to
// the lowest one no script file uses. The current script is saved first when its file exists; a
// failed save stops here; an edited script that was never saved is asked about first, as a load.
bool newScript(Editor& ed);

// The answer to the question loadScript or newScript asked: the first button saves the script
// and goes on, the second goes on dropping its text, the third changes nothing.
void answerSaveScriptFirst(Editor& ed, bool forNewScript, int32_t button);

}  // namespace korvel
