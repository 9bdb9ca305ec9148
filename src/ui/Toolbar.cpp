#include "ui/Toolbar.h"

#include <initializer_list>

#include "app/Editor.h"
#include "base/MessageNumbers.h"

namespace korvel {

namespace {

constexpr int32_t kButtonSize = 22;
// The rows of the bottom panel's button lines.
constexpr int16_t kTopRow = 102, kSettingsRow = 42, kOptionsRow = 18, kToolRow = 4;

// Writes the rows in table order.
class RowWriter {
public:
    RowWriter(ToolbarState& t, uint8_t guiColor) : t_(t), panelOffset_(int16_t(guiColor - 72)) {}

    void put(int16_t x, int16_t y, int16_t code, int32_t context, bool enabled, bool lit) {
        ToolbarButton& b = t_.toolbarButtons[size_t(next_++)];
        b.x = x;
        b.y = y;
        b.code = code;
        b.context = context;
        // The buttons placed on the pages keep their own colours.
        b.colorOffset = context >= 8 && context <= 13 ? int16_t(0) : panelOffset_;
        b.enabled = enabled ? 1 : 0;
        b.lit = lit ? 1 : 0;
    }
    // Buttons side by side from x, each with its own enabled and lit state.
    struct Entry {
        int16_t code;
        bool enabled;
        bool lit;
    };
    void strip(int16_t x, int16_t y, int32_t context, std::initializer_list<Entry> entries,
               int16_t step = kButtonSize) {
        for (const Entry& e : entries) {
            put(x, y, e.code, context, e.enabled, e.lit);
            x = int16_t(x + step);
        }
    }
    int32_t written() const { return next_; }

private:
    ToolbarState& t_;
    int16_t panelOffset_;
    int32_t next_ = 0;
};

}  // namespace

bool toolbarContextHolds(const Editor& ed, int32_t context) {
    const Page page = ed.app.currentPage;
    if (context >= 0 && context <= 7)
        return page == Page::PlanView && int32_t(ed.tool.selectionMode) == context;
    switch (context) {
        case 8:
            return page == Page::RecordEditor && ed.pages.recordEditor.recordEditorSubject < 6;
        case 9:
            return page == Page::ArrayTool && ed.pages.arrayTool.arrayPattern == 1;
        case 10:
            return page == Page::FileBrowser;
        case 11:
            return page == Page::WallLighting && ed.pages.wallLighting.lightDirectional == 0;
        case 12:
            return page == Page::HelpViewer;
        case 13:
            return page == Page::ProfileEditor;
        case 14:
            return page == Page::SideView &&
                   ed.view.sideViewSubjectKind == SideViewSubjectKind::Wall;
        case 15:
            return page == Page::View3D && ed.pages.view3d.view3dState == 0;
        case kContextAlways:
            return true;
        default:
            return false;
    }
}

int32_t toolbarTooltip(int32_t code) {
    if (code >= 0 && code <= 5) return kMsgFirstToolbarTip + code;
    if (code == 16) return 446;
    if (code >= 18 && code <= 21) return 447 + (code - 18);
    if (code >= 32 && code <= 135) return 451 + (code - 32);
    if (code >= 144 && code <= 170) return 555 + (code - 144);
    return -1;
}

void rebuildToolbar(Editor& ed) {
    ToolbarState& t = ed.toolbar;
    t.toolbarButtons.fill(ToolbarButton{});
    RowWriter w(t, ed.colorSettings.guiColor);

    const MapStore& m = ed.map;
    const Settings& s = ed.settings;
    const ToolState& tool = ed.tool;
    const auto page = int32_t(ed.app.currentPage);
    const auto layer = int32_t(tool.selectionMode);
    const auto drag = int32_t(tool.dragKind);
    const bool sprites = m.selectedSpriteCount != 0, vertices = m.selectedVertexCount != 0;
    const bool walls = m.selectedWallCount != 0, sectors = m.selectedSectorCount != 0;
    const bool loops = m.selectedLoopCount != 0;
    const auto toolIs = [&tool](Tool x) { return tool.currentTool == x; };
    const bool undo = ed.app.currentPage == Page::ScriptEditor
                          ? ed.pages.scriptEditor.scriptUndoAvailable != 0
                          : m.undoState != UndoState::Nothing;
    const bool clip = ed.clipboard.clipSectorCount != 0 || ed.clipboard.clipSpriteCount != 0;
    const View3DState& v3 = ed.pages.view3d;
    constexpr int32_t always = kContextAlways;

    // Rows 0..51: the top line and the settings of the bottom panel, always there.
    w.strip(4, kTopRow, always,
            {{18, true, page == 0},
             {16, true, page == 1},
             {19, true, page == 2},
             {20, true, page == 3},
             {21, true, page == 4}});
    for (int16_t code = 0; code <= 5; ++code)
        w.put(int16_t(122 + kButtonSize * code), kTopRow, code, always, true, layer == code);
    w.put(254, kTopRow, 88, always, true, layer == 6);
    w.put(276, kTopRow, 89, always, true, layer == 7);
    w.strip(306, kTopRow, always,
            {{64, true, false},
             {65, true, false},
             {66, m.mapModified != MapModifiedState::Unmodified, false},
             {67, true, false},
             {69, true, false}});
    w.strip(424, kTopRow, always,
            {{68, undo, false},
             {70, sprites || sectors, false},
             {71, sprites || sectors, false},
             {72, clip, false},
             {73, true, false},
             {117, true, false}});
    const bool dragKinds = tool.selectionMode != SelectionMode::BooleanTarget;
    w.strip(564, kTopRow, always,
            {{58, dragKinds, drag == 0},
             {48, dragKinds, drag == 1},
             {49, dragKinds, drag == 2},
             {50, dragKinds, drag == 3}});
    w.put(660, kTopRow, 59, always, true, s.regionSelectMode == 0);
    w.put(682, kTopRow, 60, always, true, s.regionSelectMode == 1);
    w.put(712, kTopRow, 61, always, true, s.autoWallSquare != 0);
    w.put(760, kTopRow, 116, always, true, false);
    w.put(466, kOptionsRow, 38, always, true, false);
    w.put(488, kOptionsRow, 115, always, true, false);
    w.strip(466, kSettingsRow, always,
            {{41, true, s.showSprites != 0},
             {39, true, s.showVertices != 0},
             {40, true, s.showWalls != 0},
             {42, true, s.sectorHighlight != 0},
             {32, true, s.spriteOrientation != 0},
             {33, true, s.spriteTags != 0},
             {34, true, s.spritesFull != 0},
             {36, true, s.spriteOffsets != 0},
             {37, true, s.spriteNumbers != 0},
             {47, true, s.wallTags != 0},
             {43, true, s.wallVectors != 0},
             {35, true, s.sectorsFull != 0},
             {44, true, s.showGrid != 0},
             {46, true, s.twoColorBlend != 0},
             {45, true, s.ceilingView != 0}});
    w.strip(522, kToolRow, always,
            {{112, true, s.zRangeMode == 0},
             {113, true, s.zRangeMode == 1},
             {114, true, s.zRangeMode == 2}});

    // Rows 52..69: the boolean-target layer.
    const BooleanMode boolean = tool.booleanMode;
    w.strip(4, kToolRow, 6,
            {{151, true, boolean == BooleanMode::None},
             {148, true, boolean == BooleanMode::Intersect},
             {149, true, boolean == BooleanMode::Join},
             {150, true, boolean == BooleanMode::Subtract},
             {159, true, boolean == BooleanMode::Rip}});
    w.strip(122, kToolRow, 6,
            {{144, true, toolIs(Tool::RegularPolygon)},
             {145, true, toolIs(Tool::EllipsePolygon)},
             {146, true, toolIs(Tool::Circle)},
             {147, true, toolIs(Tool::Rectangle)},
             {158, true, toolIs(Tool::CurveShape)},
             {128, true, toolIs(Tool::Stroke)}});
    w.strip(262, kToolRow, 6, {{153, true, false}, {154, true, false}, {155, true, false}});
    w.strip(336, kToolRow, 6, {{156, true, false}, {157, true, false}, {78, true, false}});
    w.put(410, kToolRow, 152, 6, true, false);

    // Rows 70..72: the record editor's record steps, for one record.
    const bool oneRecord = ed.pages.recordEditor.recordEditorSubject <= 2;
    w.strip(352, 132, 8,
            {{160, oneRecord, false}, {162, oneRecord, false}, {161, oneRecord, false}}, 30);

    // Rows 73..83: the sprite layer.
    w.strip(4, kToolRow, 0,
            {{80, sprites, false},
             {82, sprites, false},
             {81, sprites, false},
             {91, sprites, false},
             {92, sprites, false},
             {93, sprites, toolIs(Tool::AimSprites)}});
    w.strip(144, kToolRow, 0, {{74, sprites, false}, {75, sprites, false}});
    const auto warps = [&](int16_t x, int32_t context, bool enabled) {
        w.strip(x, kToolRow, context,
                {{54, enabled, toolIs(Tool::TransformBySegments)},
                 {55, enabled, toolIs(Tool::QuadWarp1)},
                 {56, enabled, toolIs(Tool::QuadWarp2)}});
    };
    warps(196, 0, sprites);

    // Rows 84, 85: the array tool's and the file browser's page buttons.
    w.put(736, 392, 96, 9, true, false);
    w.put(16, 550, 97, 10, true, false);

    // Rows 86..91: the vertex layer.
    w.strip(4, kToolRow, 1,
            {{85, vertices, false},
             {94, vertices, toolIs(Tool::CurveThroughVertices)},
             {106, true, toolIs(Tool::MergeVertices)}});
    warps(78, 1, vertices);

    // Rows 92..99: the wall layer.
    w.strip(4, kToolRow, 2,
            {{83, walls, false},
             {99, walls, toolIs(Tool::DivideWall)},
             {100, m.selectedWallCount == 1, toolIs(Tool::CurveWall)},
             {101, walls, false},
             {119, walls, false},
             {127, walls, false},
             {63, walls, false},
             {77, walls, false}});

    // Rows 100..114: the sector layer.
    w.strip(4, kToolRow, 3,
            {{86, sectors, false},
             {98, sectors, false},
             {84, sectors, false},
             {90, m.selectedSectorCount > 1, false},
             {95, true, toolIs(Tool::LinearCut)},
             {104, sectors, toolIs(Tool::TriangleLoops)},
             {57, sectors, toolIs(Tool::MirrorAcrossLine)},
             {105, sectors, false},
             {76, m.selectedSectorCount == 1, false}});
    w.strip(210, kToolRow, 3,
            {{51, true, toolIs(Tool::IntersectSectors)},
             {52, true, toolIs(Tool::JoinSectors)},
             {53, true, toolIs(Tool::SubtractSectors)}});
    warps(284, 3, sectors);

    // Rows 115..119: the loop layer.
    w.strip(4, kToolRow, 4,
            {{87, loops, false},
             {102, loops, false},
             {103, loops, false},
             {125, loops, false},
             {126, loops, false}});

    // Rows 120..122: the wall lighting's and the help viewer's page buttons.
    w.put(452, 507, 96, 11, true, false);
    w.put(480, 554, 164, 12, ed.help.documentPage != 0, false);
    w.put(510, 554, 163, 12, true, false);

    // Rows 123..134: the area and lighting layer.
    w.strip(4, kToolRow, 7,
            {{107, true, false},
             {120, true, toolIs(Tool::AffineGrid)},
             {123, true, false},
             {124, true, toolIs(Tool::ViewBookmarks)},
             {79, true, false}});
    w.strip(122, kToolRow, 7,
            {{108, true, toolIs(Tool::PickLightSprites)},
             {109, true, false},
             {110, true, toolIs(Tool::ShadeFromLight)},
             {111, true, toolIs(Tool::CastShadows)},
             {118, true, false}});
    w.put(240, kToolRow, 121, 7, true, tool.selAreaMode == 0);
    w.put(262, kToolRow, 122, 7, true, tool.selAreaMode == 1);

    // Rows 135..148: the profile editor, the sectors' order, the texture line of the side view
    // on a wall and the live 3D view's switches.
    w.put(748, 525, 129, 13, true, false);
    w.put(770, 525, 130, 13, true, false);
    w.strip(358, kToolRow, 3,
            {{167, sectors, false},
             {165, sectors, false},
             {166, sectors, false},
             {168, sectors, false}});
    w.put(734, kTopRow, 62, always, true, s.autoTextureMove != 0);
    w.strip(4, kToolRow, 14, {{169, true, false}, {170, true, false}});
    w.strip(4, kToolRow, 15,
            {{131, true, v3.depthSortFirst3d != 0},
             {132, true, v3.depthSortRest3d != 0},
             {133, true, v3.dither3d != 0},
             {134, true, v3.clear3dEachFrame != 0},
             {135, true, v3.mouseLook3dOption != 0}});
}

void hitTestToolbarAndMenu(Editor& ed) {
    ToolbarState& t = ed.toolbar;
    t.hoveredElement = -1;
    if (!ed.menus.menuHasMouse) {
        const int32_t mx = ed.input.mouseX, my = ed.input.mouseY;
        for (int32_t i = 0; i < kToolbarSlots; ++i) {
            const ToolbarButton& b = t.toolbarButtons[size_t(i)];
            if (!toolbarContextHolds(ed, b.context)) continue;
            if (my < b.y || my >= b.y + kButtonSize || mx < b.x || mx >= b.x + kButtonSize)
                continue;
            t.hoveredElement = i;
            const int32_t tip = toolbarTooltip(b.code);
            if (tip >= 0) ed.app.tooltipText = getMessage(tip, ed.langs);
        }
    }
    hitTestMenu(ed);
}

}  // namespace korvel
