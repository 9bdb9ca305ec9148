// Any bytes become a small map whose records hold anything, the objects under the mouse, the
// side view's subject and parts, a selection, a page, a tool with its target and a few held
// keys, then a run of the single-key edits of the plan and side views; then any values in every
// field of the record editor and the search page, and a run of the commands of the selection,
// clipboard, undo, page, prompt, attribute, record editor and search keys and buttons, the
// plan view painted after them. They must finish without a sanitizer finding or a hang, and the
// map must keep its counts within capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzMap.h"
#include "FuzzReader.h"
#include "MemoryFileSystem.h"
#include "app/Editor.h"
#include "commands/FlagCommands.h"
#include "commands/HeightCommands.h"
#include "commands/LinkedSprites.h"
#include "commands/SlopeAngleCommands.h"
#include "commands/TextureCommands.h"
#include "commands/ToolCommands.h"
#include "commands/ValueGridCommands.h"
#include "map/Selection.h"
#include "platform/HeadlessPlatform.h"
#include "support/EditingCommandMix.h"
#include "views/PlanView.h"

using namespace korvel;

namespace {

using Command = void (*)(Editor&);
constexpr Command kCommands[] = {
    pageUpOrRaise,
    pageDownOrLower,
    raiseByKeyRepeat,
    lowerByKeyRepeat,
    raiseBy8192,
    lowerBy8192,
    increaseXRepeat,
    decreaseXRepeat,
    keypad8Step,
    keypad2Step,
    increaseWallXPan,
    decreaseWallXPan,
    increaseWallYPan,
    decreaseWallYPan,
    slopeStep512Down,
    slopeStep512Up,
    decreaseSlope,
    increaseSlope,
    rotateSpriteLeft128,
    rotateSpriteRight128,
    rotateSpriteLeft,
    rotateSpriteRight,
    resetSpriteAngle,
    minusKeyCommand,
    plusKeyCommand,
    decreaseToolParam,
    increaseToolParam,
    gridFiner,
    gridCoarser,
    normaliseAffineGrid,
    squareAffineGrid,
    nudgeSelectionLeft,
    nudgeSelectionRight,
    nudgeSelectionUp,
    nudgeSelectionDown,
    toggleBlocking,
    toggleHitscan,
    toggleWallMasking,
    toggleWallSwapBottom,
    toggleOneSided,
    cycleSpriteOrientation,
    cycleTranslucency,
    cycleTextureFlip,
    toggleSectorRelativeAlign,
    toggleParallax,
    promptStatnumOrToggleExpand,
    resetProperties,
    squareWallOrToggleBookmarks,
    toggleWallSegmentTool,
    toggleAffineGridTool,
    hideSpritesOrIntersect,
    joinSectorsCommand,
    subtractSectorsTool,
    dropPointOrToggleCeilView,
    alignSpriteCommand,
    toggleSpriteCentreOrBendWall,
    fillLoopWithSector,
    setFirstWallCommand,
    pasteAttributesAroundLoop,
    alignWallTextureCommand,
    jumpToLinkedSprite,
};
constexpr size_t kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);

constexpr Page kPages[] = {Page::PlanView,    Page::SideView,      Page::SparksToy,
                           Page::FileBrowser, Page::HelpViewer,    Page::TilePicker,
                           Page::TileZoom,    Page::ProfileEditor, Page::View3D};
constexpr uint8_t kHeldKeys[] = {33, 34, 35, 36, 101, 188, 190, 219, 221, 189, 187, 109, 107};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto owner = [] {
        // Files the commands write or look for stay in memory.
        static HeadlessPlatform platform("/tmp");
        platform.setFileSystem(std::make_unique<fuzz::MemoryFileSystem>());
        auto ed = std::make_unique<Editor>();
        ed->app.platform = &platform;
        return ed;
    }();
    Editor& ed = *owner;
    MapStore& map = ed.map;
    FuzzReader in{data, size};

    map.sectorCount = in.get<uint8_t>() % 9;
    map.wallCount = in.get<uint8_t>() % 49;
    map.spriteCount = in.get<uint8_t>() % 9;
    map.booleanTargetSector = in.get<int16_t>();
    readFuzzedRecords(in, map, true, [](int32_t, uint8_t) {});
    recountSelection(map);
    map.selectedLoopCount = in.get<uint8_t>() & 1;
    map.undoState = UndoState::Nothing;
    ed.undo.editOpen = false;

    ed.app.currentPage = kPages[in.get<uint8_t>() % (sizeof(kPages) / sizeof(kPages[0]))];
    ed.hover.hoveredSprite = in.get<int16_t>();
    ed.hover.hoveredSector = in.get<int16_t>();
    ed.hover.hoveredWall = in.get<int16_t>();
    ed.hover.sideHoverPart = in.get<uint8_t>() % 6;
    ed.hover.sideViewWallPart = in.get<uint8_t>() % 6;
    ed.hover.hitPointX = in.get<int16_t>();
    ed.hover.hitPointY = in.get<int16_t>();
    ed.view.sideViewSubjectKind = SideViewSubjectKind(in.get<uint8_t>() % 4);
    ed.view.sideViewSubject = in.get<int16_t>();
    ed.tool.currentTool = Tool(in.get<uint8_t>() % 36);
    ed.tool.toolTargetSector = in.get<int16_t>();
    ed.tool.toolDetail = in.get<int32_t>();
    ed.tool.toolSecDetail = in.get<int32_t>();
    ed.tool.lineWidth = in.get<int32_t>();
    ed.tool.selectionMode = SelectionMode(in.get<uint8_t>() % 8);
    ed.settings.gridSpacing = in.get<int32_t>();
    ed.settings.autoGrid = in.get<uint8_t>() & 1;
    ed.settings.autoTextureMove = in.get<uint8_t>() & 1;
    ed.settings.ceilingView = in.get<uint8_t>() & 1;
    ed.dispatch.shiftHeld = in.get<uint8_t>() & 1;
    ed.drawVertices.toolPointCount = in.get<uint8_t>() % 4;
    ed.pages.tilePicker.tilePickerCursor = in.get<int32_t>();
    ed.help.documentPage = in.get<int32_t>() % 64;
    for (int32_t k = 0; k < kTileCount; k += 997)
        ed.tiles.tileHeights[size_t(k)] = in.get<int16_t>();
    for (const uint8_t k : kHeldKeys) {
        const uint8_t v = in.get<uint8_t>();
        ed.input.keyStates[k] = (v & 1) ? -32768 : 0;
        ed.input.keyRepeatCount[k] = v >> 1;
    }

    for (int i = 0; i < 12 && !in.done(); ++i) kCommands[in.get<uint8_t>() % kCommandCount](ed);

    ed.hover.panelSubject = PanelSubject(in.get<uint8_t>() % 7);
    ed.app.modeStackDepth = in.get<uint8_t>() % 4;
    test::scrambleEditingFields(ed, [&] { return in.get<uint32_t>(); });
    for (int i = 0; i < 12 && !in.done(); ++i) {
        test::kEditingCommands[in.get<uint8_t>() % test::kEditingCommandCount](ed);
        ed.prompt.promptKind = 0;
    }
    ed.app.currentPage = Page::PlanView;
    draw2DView(ed, 0);

    if (map.sectorCount > kMaxSectors || map.wallCount > kMaxWalls || map.spriteCount > kMaxSprites)
        std::abort();
    ed.undo.editOpen = false;
    return 0;
}
