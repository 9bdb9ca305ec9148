// The editing commands of the map pages, the record editor and the search page as one list, and
// a way to fill every field of those two pages (and the targets they write to) with any value,
// shared by the seeded test of the commands and their fuzz target.
#pragma once

#include <cstdint>
#include <iterator>

#include "app/Editor.h"
#include "commands/AttributeCommands.h"
#include "commands/FileCommands.h"
#include "commands/PageCommands.h"
#include "commands/PageStack.h"
#include "commands/PromptCommands.h"
#include "commands/SelectionCommands.h"
#include "pages/RecordEditor.h"
#include "pages/Search.h"

namespace korvel::test {

using EditingCommand = void (*)(Editor&);

inline const EditingCommand kEditingCommands[] = {
    // Selection, deletion and insertion.
    convertSelection, selectAll, invertSelectionCommand, deselectAllCommand, hideSectors,
    unhideAllSectors, unhideAllSprites, deleteSelected, deleteSectorsCommand, insertVertexCommand,
    cloneSelectionCommand, insertSprite, selectConnectedSkyCommand, levelSkyCeilingsCommand,
    // Clipboard, undo and the files' message boxes.
    copyCommand, cutCommand, pasteCommand, swapClipboardCommand, undoCommand, quitCommand,
    newMapCommand, restoreAutosave, reloadMapCommand, openMapBrowser,
    // Pages and view keys.
    cancelAction, pushPage, popPage, openSearchPage, openTilePicker, openDriveList,
    openSpriteArrayDialog, toggleGrid, toggleAreaSelectShape, showPropertyBox, gotoOtherWallSide,
    navigateUp, navigateDown, navigatePrevious, navigateNext,
    // Value prompts.
    promptSectorLotag, promptSectorHitag, promptSectorPalette, promptSectorShade, promptVisibility,
    promptLotag, promptHitag, promptPalette, promptShade,
    // Attribute clipboard, Enter and Tab.
    confirmOrPasteAttributes, pasteTextureOnly, nextFieldOrCopyAttributes, copyTextureOnly,
    togglePasteSlope,
    // Record editor.
    [](Editor& ed) { openRecordEditor(ed, 0); }, [](Editor& ed) { openRecordEditor(ed, 1); },
    loadRecordEditor, applyRecordEditor, nextRecordEditorField, previousRecordInEditor,
    nextRecordInEditor, applyAndClearRecordEditor,
    [](Editor& ed) { recordEditorButton(ed, 2001); },
    [](Editor& ed) { recordEditorButton(ed, 2002); },
    [](Editor& ed) { recordEditorButton(ed, 2003); },
    [](Editor& ed) { recordEditorButton(ed, 2004); },
    [](Editor& ed) { recordEditorButton(ed, 2005); },
    [](Editor& ed) { recordEditorButton(ed, 2006); },
    // Search.
    selectByTemplate, growSelectionByTemplate, applyPropertiesToSelection,
    [](Editor& ed) { combineSelectionByTemplate(ed, TemplateSelectOp::Add); },
    [](Editor& ed) { combineSelectionByTemplate(ed, TemplateSelectOp::Keep); },
    [](Editor& ed) { combineSelectionByTemplate(ed, TemplateSelectOp::Remove); },
    [](Editor& ed) { searchPageButton(ed, 12001); },
    [](Editor& ed) { searchPageButton(ed, 12002); },
    [](Editor& ed) { searchPageButton(ed, 12003); },
    [](Editor& ed) { searchPageButton(ed, 12004); },
    [](Editor& ed) { searchPageButton(ed, 12005); },
    [](Editor& ed) { searchPageButton(ed, 12006); },
    [](Editor& ed) { searchPageButton(ed, 12007); },
    [](Editor& ed) { searchPageButton(ed, 12008); },
    [](Editor& ed) { searchPageButton(ed, 12009); },
};
inline constexpr size_t kEditingCommandCount = std::size(kEditingCommands);

// Every value column of the record editor and the search page, their subjects, ranges and
// chances, the targets and the typed record number: each from next(), a source of 32-bit
// values. A few values are bent towards the edges that matter (whole selection, -1, counts).
template <typename Next>
void scrambleEditingFields(Editor& ed, Next&& next) {
    const auto fill = [&](PropertyColumns& c) {
        for (auto& v : c.propertyValues) v = int32_t(next());
        for (auto& v : c.propertyState) v = uint8_t(next() % 4);
        for (auto& v : c.propertyDeltas) v = int32_t(next());
        for (auto& v : c.propertyKeep) v = uint8_t(next() % 3);
        for (auto& v : c.propertyStatBits) v = uint8_t(next() % 4);
    };
    const auto index = [&](int32_t count) -> int32_t {
        switch (next() % 4) {
            case 0: return 0xFFFFFF;
            case 1: return -1;
            case 2: return count > 0 ? int32_t(next() % uint32_t(count + 1)) : 0;
            default: return int32_t(next());
        }
    };
    RecordEditorState& re = ed.pages.recordEditor;
    fill(re);
    re.recordEditorSubject = uint8_t(next() % 9);
    re.recordNumberInput = index(ed.map.wallCount);
    re.statPanelShowsFloor = uint8_t(next() % 3);
    SearchState& s = ed.pages.search;
    fill(s);
    s.searchIndexRange = uint8_t(next() % 3);
    s.searchIndexMin = index(ed.map.wallCount);
    s.searchIndexMax = index(ed.map.wallCount);
    s.searchFraction = int32_t(next());
    s.searchFromProperties = uint8_t(next() % 3);
    s.searchObjectKind = uint8_t(next() % 5);
    ValuePromptState& p = ed.prompt;
    p.targetSector = index(ed.map.sectorCount);
    p.targetWall = index(ed.map.wallCount);
    p.targetSprite = index(ed.map.spriteCount);
    ed.app.focusedField = int32_t(next() % 180) - 1;
}

}  // namespace korvel::test
