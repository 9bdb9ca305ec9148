#include "script/ScriptRun.h"

#include <algorithm>

#include "app/DataFolder.h"
#include "app/Editor.h"
#include "app/MapFileCommands.h"
#include "app/Sound.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "commands/PageStack.h"
#include "editing/DrawingTool.h"
#include "editing/PrimaryAction.h"
#include "editing/SelectionInput.h"
#include "editing/ToolHelp.h"
#include "geometry/ClipboardPaste.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorDeletion.h"
#include "geometry/SectorRips.h"
#include "geometry/SectorSlope.h"
#include "geometry/SectorSplit.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/TransformTools.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "geometry/WallPrimitives.h"
#include "geometry/WallTexture.h"
#include "map/GeometryQueries.h"
#include "map/MapEdit.h"
#include "map/Selection.h"
#include "pages/MessageBox.h"
#include "platform/VirtualKeys.h"
#include "script/ScriptFiles.h"
#include "script/ScriptKeywords.h"
#include "script/ScriptLayout.h"
#include "script/ScriptPendingOps.h"
#include "views/ToolPreview.h"

namespace korvel {

namespace {

// The path the split built-ins cut along: the drawing tool's points.
SplitPath toolPath(const Editor& ed) {
    const DrawVertexList& v = ed.drawVertices;
    return {v.toolPointsX.data(), v.toolPointsY.data(),
            std::clamp(v.toolPointCount, 0, kDrawVertexCapacity)};
}

constexpr const char* kDemoScript = "~demotmp.kvs";
constexpr int32_t kHighestTool = 35;

// An operation inside the run's edit: its own edit, so that a refusal takes back only its own
// changes; with a snapshot, the map before it becomes what undo returns to.
template <class Op>
void inEdit(Editor& ed, EditUndo undo, Op op) {
    MapEdit edit(ed.map, ed.undo, ed.events, undo);
    if constexpr (std::is_same_v<decltype(op(edit.events())), bool>)
        edit.finish(op(edit.events()));
    else {
        op(edit.events());
        edit.commit();
    }
}

bool registerRun(int32_t first, int32_t length) {
    return first >= 0 && int64_t(first) + length <= kScriptRegisterCount;
}

ScriptPoint* bufferEntry(ScriptState& s, int32_t which, int32_t index) {
    if (index < 0 || index >= kScriptPointBufferSize) return nullptr;
    return &(which == 1 ? s.pointBuffer1 : s.pointBuffer2)[size_t(index)];
}

int32_t gettile(const TileStore& tiles, int32_t t, int32_t col, int32_t row) {
    if (t < 0 || t >= kTileCount) return 0;
    const int32_t w = tiles.tileWidths[size_t(t)];
    const int32_t h = tiles.tileHeights[size_t(t)];
    const int64_t base = tiles.tileOffsets[size_t(t)];
    if (w <= 0 || h <= 0 || base < 0) return 0;
    const int64_t x = (col & 0x7fffffff) % w;
    const int64_t y = (row & 0x7fffffff) % h;
    const int64_t at = base + 1 + x * h + y;
    if (at < 0 || at >= int64_t(tiles.artPixels.size())) return 0;
    return tiles.artPixels[size_t(at)];
}

}  // namespace

void runEditorBuiltin(Editor& ed, int32_t op, const ScriptOperands& o, ScriptRegisters& r) {
    MapStore& map = ed.map;
    ScriptState& s = ed.pages.scriptEditor;
    const int32_t a = o.value[0], b = o.value[1], c = o.value[2], d = o.value[3];
    auto set = [&](int32_t reg, int32_t v) { r[size_t(reg)] = v; };
    switch (op) {
        case 4:
            if (registerRun(a, 1) && registerRun(b, 1)) r[size_t(a)] = r[size_t(b)];
            return;
        case 66:
        case 67:
        case 68:
        case 69:
            if (ScriptPoint* p = bufferEntry(s, op <= 67 ? 1 : 2, a))
                ((op - 66) % 2 == 0 ? p->x : p->y) = b;
            return;
        case 70:
        case 71:
        case 72:
        case 73:
            if (ScriptPoint* p = bufferEntry(s, op <= 71 ? 1 : 2, a))
                set(o.reg[1], (op - 70) % 2 == 0 ? p->x : p->y);
            return;
        case 86:
            set(o.reg[0], ed.hover.hitPointX);
            set(o.reg[1], ed.hover.hitPointY);
            return;
        case 87:
            ed.hover.hitPointX = a;
            ed.hover.hitPointY = b;
            return;
        case 88:
            set(o.reg[0], int32_t(ed.tool.currentTool));
            return;
        case 89:
            if (a < 0 || a > kHighestTool) return;
            ed.tool.currentTool = Tool(a);
            ed.drawVertices.toolPointCount = 0;
            toolToolbarSlot(ed);
            return;
        case 90:
            set(o.reg[0], ed.tool.toolDetail);
            return;
        case 91:
            ed.tool.toolDetail = a;
            return;
        case 92:
            set(o.reg[0], ed.tool.toolSecDetail);
            return;
        case 93:
            ed.tool.toolSecDetail = a;
            return;
        case 94:
            set(o.reg[0], int32_t(ed.tool.booleanMode));
            return;
        case 95:
            if (a >= 0 && a <= 4) ed.tool.booleanMode = BooleanMode(a);
            return;
        case 96:
            set(o.reg[0], int32_t(ed.tool.selectionMode));
            return;
        case 97:
            if (a < 0 || a > 7) return;
            ed.tool.selectionMode = SelectionMode(a);
            if (ed.tool.selectionMode == SelectionMode::BooleanTarget)
                map.booleanTargetSector = getFirstSelectedSector(map);
            return;
        case 98:
            set(o.reg[0], ed.tool.selAreaMode);
            return;
        case 99:
            if (a == 0 || a == 1) ed.tool.selAreaMode = uint8_t(a);
            return;
        case 100:
            set(o.reg[0], ed.settings.regionSelectMode);
            return;
        case 101:
            if (a == 0 || a == 1) ed.settings.regionSelectMode = uint8_t(a);
            return;
        case 102:
            ed.dispatch.areaAnchorX = a;
            ed.dispatch.areaAnchorY = b;
            ed.hover.hitPointX = c;
            ed.hover.hitPointY = d;
            selectByArea(ed);
            return;
        case 103: {
            ReelSetupState& reel = ed.pages.reelSetup;
            reel.reelA = a, reel.reelB = b, reel.reelD = c, reel.reelC = d;
            return;
        }
        case 104: {
            ArchSetupState& arch = ed.pages.archSetup;
            arch.arch1A = a, arch.arch1B = b, arch.arch1C = c;
            return;
        }
        case 105: {
            ArchSetupState& arch = ed.pages.archSetup;
            arch.arch2A = a, arch.arch2B = b, arch.arch2C = c;
            return;
        }
        case 106: {
            SphereSetupState& sphere = ed.pages.sphereSetup;
            sphere.sphere1A = a, sphere.sphere1B = b, sphere.sphere1C = c;
            return;
        }
        case 107: {
            SphereSetupState& sphere = ed.pages.sphereSetup;
            sphere.sphere2A = a, sphere.sphere2B = b, sphere.sphere2C = c;
            return;
        }
        case 108:
            set(o.reg[0], ed.dispatch.altHeld);
            return;
        case 109:
            ed.dispatch.altHeld = uint8_t(a);
            return;
        case 110:
            set(o.reg[0], ed.dispatch.ctrlHeld);
            return;
        case 111:
            ed.dispatch.ctrlHeld = uint8_t(a);
            return;
        case 112:
            set(o.reg[0], ed.dispatch.shiftHeld);
            return;
        case 113:
            ed.dispatch.shiftHeld = uint8_t(a);
            return;
        case 114:
            if (a >= 0 && a < kTileCount) {
                set(o.reg[1], ed.tiles.tileWidths[size_t(a)]);
                set(o.reg[2], ed.tiles.tileHeights[size_t(a)]);
            }
            return;
        case 120:
            resetMap(ed);
            return;
        case 121:
            inEdit(ed, EditUndo::Snapshot, [&](MapEvents& ev) {
                DrawingToolFeed feed(ed);
                multiSectorRip(map, ev, feed);
            });
            return;
        case 122:
            updateStartPosSectnum(map);
            return;
        case 123:
            swapClipboard(map, ed.clipboard);
            return;
        case 124:
            flipSelSectors(ed, 0);
            return;
        case 125:
            flipSelSectors(ed, 1);
            return;
        case 126:
            flipSelSprites(ed, 0);
            return;
        case 127:
            flipSelSprites(ed, 1);
            return;
        case 128:
            flipSelVertices(ed, 0);
            return;
        case 129:
            flipSelVertices(ed, 1);
            return;
        case 131:
            selectOppositeWalls(ed);
            return;
        case 132:
            resetSpriteOffsets(ed);
            return;
        case 133:
            clearClipboard(ed.clipboard);
            return;
        case 134:
            compensateSpriteOffsets(ed);
            return;
        case 135:
            equalizeCeilingHeights(ed);
            return;
        case 136:
            extractSelLoops(ed);
            return;
        case 137:
            extractSelLoopsWi(ed);
            return;
        case 138:
            if (ed.tool.currentTool >= Tool::PlaceStartPosition) buildToolPreview(ed);
            hitSpace(ed);
            if (ed.tool.currentTool >= Tool::PlaceStartPosition) buildToolPreview(ed);
            return;
        case 139:
            if (isWall(map, a)) squareWallTexture(map, a);
            return;
        case 140:
            if (isSector(map, a)) skySelect(ed, a);
            return;
        case 141:
            if (isSprite(map, a)) updateSpriteSectnum(map, a);
            return;
        case 142:
            if (isSprite(map, a)) updateNewSpriteSectnum(map, a);
            return;
        case 143:
            if (isSector(map, a)) updateSectorSlope(map, a);
            return;
        case 144:
            inEdit(ed, EditUndo::None, [&](MapEvents& ev) { zShiftSelSectors(map, ev, a); });
            return;
        case 145:
            if (isSector(map, a)) reverseSector(ed, a);
            return;
        case 146:
            if (isWall(map, a)) reverseLoop(ed, a);
            return;
        case 147:
            if (a >= 0 && a < ed.clipboard.clipWallCount) clipbCheckWallPointer(ed.clipboard, a);
            return;
        case 148:
        case kOpCloneLoopTwin:
            if (isWall(map, a)) cloneLoop(ed, a);
            return;
        case 149:
            if (isSprite(map, a)) copySpriteToClipboard(ed.clipboard, map, ed.events, a);
            return;
        case 150:
            if (isWall(map, a))
                inEdit(ed, EditUndo::Snapshot, [&](MapEvents& ev) { deleteLoop(map, ev, a); });
            return;
        case 151:
            if (isSector(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteSector(map, ev, a); });
            return;
        case 152:
            if (isSector(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteSectorWos(map, ev, a); });
            return;
        case 153:
            if (isSprite(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteSprite(map, ev, a); });
            return;
        case 154:
            if (isWall(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteVertex(map, ev, a); });
            return;
        case 155:
            if (isWall(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteWallSng(map, ev, a); });
            return;
        case 156:
            if (isWall(map, a)) extractLoop(ed, a);
            return;
        case 157:
            if (isWall(map, a))
                inEdit(ed, EditUndo::None,
                       [&](MapEvents& ev) { checkWallPointer(map, ev, a, false, false); });
            return;
        case 158:
            if (isWall(map, a))
                inEdit(ed, EditUndo::None, [&](MapEvents& ev) { checkZeroWall(map, ev, a); });
            return;
        case 159:
            if (isWall(map, a) && isWall(map, b))
                inEdit(ed, EditUndo::Snapshot, [&](MapEvents& ev) {
                    DrawingToolFeed feed(ed);
                    splitSector(map, ev, feed, toolPath(ed), a, b);
                });
            return;
        case 160:
        case 161:
        case 162:
        case 163:
        case 166:
            if (isSector(map, a) && isSector(map, b))
                inEdit(ed, EditUndo::Snapshot, [&](MapEvents& ev) {
                    DrawingToolFeed feed(ed);
                    if (op == 160) joinSectors(map, ev, feed, a, b);
                    if (op == 161) intersectSectors(map, ev, feed, a, b);
                    if (op == 162) subtractSectorsAB(map, ev, feed, a, b);
                    if (op == 163) subtractSectorsBA(map, ev, feed, a, b);
                    if (op == 166) ripSectors(map, ev, feed, a, b);
                });
            return;
        case 164:
            if (isSector(map, a) && isSector(map, b))
                inEdit(ed, EditUndo::None,
                       [&](MapEvents& ev) { return moveSectorSp(map, ev, a, b); });
            return;
        case 165:
            inEdit(ed, EditUndo::None, [&](MapEvents& ev) {
                return createSprite(map, ev, a, b, ed.settings.spriteNumbers != 0).has_value();
            });
            return;
        case 167:
            if (isSector(map, a))
                copySectorToClipboard(ed.clipboard, map, ed.events, a, uint8_t(b) != 0);
            return;
        case 168:
            if (isWall(map, a))
                inEdit(ed, EditUndo::Snapshot,
                       [&](MapEvents& ev) { return deleteWall(map, ev, a, uint8_t(b) != 0); });
            return;
        case 169: {
            if (!registerRun(o.reg[0], 3) || !registerRun(o.reg[1], 3)) return;
            const BoundingBox box = getSelectionBoundingBox(map, ed.tool.selectionMode);
            set(o.reg[0], box.minX), set(o.reg[0] + 1, box.minY), set(o.reg[0] + 2, box.minZ);
            set(o.reg[1], box.maxX), set(o.reg[1] + 1, box.maxY), set(o.reg[1] + 2, box.maxZ);
            return;
        }
        case 172: {
            if (!registerRun(a, 4) || !registerRun(b, 4)) return;
            set(o.reg[2], scanLine(ed, &r[size_t(a)], &r[size_t(b)]));
            return;
        }
        case 173:
            if (isWall(map, a) && isWall(map, b))
                set(o.reg[3], int32_t(allowSectorSplit(map, toolPath(ed), a, b, c != 0, false)));
            return;
        case 174:
        case 175:
            linearCutter(ed, a, b, c, d, op - 174);
            return;
        case 176: {
            const BoundingRect rect = getSelectionBoundingRect(map, ed.tool.selectionMode);
            set(o.reg[0], rect.minX), set(o.reg[1], rect.minY);
            set(o.reg[2], rect.maxX), set(o.reg[3], rect.maxY);
            return;
        }
        case 177:
            set(o.reg[0], randomLong(ed.random));
            return;
        case 178:
            set(o.reg[0], ed.tool.lineWidth);
            return;
        case 179:
            ed.tool.lineWidth = a;
            return;
        case 183:
            if (isSector(map, a)) cloneSector(ed, a);
            return;
        case 184:
            if (isSprite(map, a)) cloneSprite(ed, a);
            return;
        case 186:
            cloneSelectedSectors(ed);
            return;
        case 187:
            cloneSelectedSprites(ed);
            return;
        case 188:
            cloneSelectedLoops(ed);
            return;
        case 189:
            if (isWall(map, a))
                inEdit(ed, EditUndo::None, [&](MapEvents& ev) {
                    return insertVertex(map, ev, a, b, c, ed.settings.autoWallSquare != 0);
                });
            return;
        case 194:
            findMovingWallsByVertices(map);
            return;
        case 195:
            inEdit(ed, EditUndo::None, [&](MapEvents& ev) { makeSelectedWallsFirst(map, ev); });
            return;
        case 196:
            if (isSector(map, a) && isWall(map, b))
                inEdit(ed, EditUndo::None,
                       [&](MapEvents& ev) { return setSectorFirstWall(map, ev, a, b); });
            return;
        case 197:
            if (isSector(map, a)) shiftSectorTile(ed, a, b, c, d);
            return;
        case 198:
            if (isWall(map, a)) alignWallTexture(ed, a);
            return;
        case 199:
            if (isSprite(map, a)) alignSprite(ed, a);
            return;
        case 200:
            balanceClipboard(ed.clipboard);
            return;
        case 201:
            inEdit(ed, EditUndo::Snapshot, [&](MapEvents& ev) {
                return pasteClipboard(map, ed.clipboard, ev, ed.hover.hitPointX,
                                      ed.hover.hitPointY);
            });
            return;
        case 202:
        case 203:
            if (a >= 0 && a < kDrawVertexCapacity)
                set(o.reg[1],
                    op == 202 ? ed.drawVertices.toolPointsX[a] : ed.drawVertices.toolPointsY[a]);
            return;
        case 204:
        case 205:
            if (a >= 0 && a < kDrawVertexCapacity)
                (op == 204 ? ed.drawVertices.toolPointsX[a] : ed.drawVertices.toolPointsY[a]) = b;
            return;
        case 207:
            set(o.reg[0], ed.drawVertices.toolPointCount);
            return;
        case 208:
            ed.drawVertices.toolPointCount = std::clamp(a, 0, kDrawVertexCapacity - 1);
            return;
        case 209:
            joinSelectedSectors(ed);
            return;
        case 210:
            if (isSector(map, a)) splitIsolatedLoops(ed, a);
            return;
        case 211:
            set(o.reg[3], gettile(ed.tiles, a, b, c));
            return;
        case 212:
            mirrorSelByZ(ed);
            return;
        case 213:
            mirrorSelSectors(ed, a, b, c, d);
            return;
        case 214:
            set(o.reg[0], ed.pages.profileEditor.contourCount);
            return;
        case 215:
            ed.pages.profileEditor.contourCount = std::clamp(a, 0, kContourCapacity);
            return;
        case 216:
        case 218:
            if (a >= 0 && a < kContourCapacity) {
                const ContourSegment& seg = ed.pages.profileEditor.contour[size_t(a)];
                const bool left = op == 216;
                set(o.reg[1], left ? seg.leftX : seg.rightX);
                set(o.reg[2], left ? seg.leftZA : seg.rightZA);
                set(o.reg[3], left ? seg.leftZB : seg.rightZB);
            }
            return;
        case 217:
        case 219:
            if (a >= 0 && a < kContourCapacity) {
                ContourSegment& seg = ed.pages.profileEditor.contour[size_t(a)];
                if (op == 217)
                    seg.leftX = b, seg.leftZA = c, seg.leftZB = d;
                else
                    seg.rightX = b, seg.rightZA = c, seg.rightZB = d;
            }
            return;
        case 220:
            if (isWall(map, a)) findMovWalls(map, a);
            return;
        case 221:
            if (isWall(map, a)) moveVertex(ed, a, b, c);
            return;
        case 222:
            if (isWall(map, a)) bindVertex(ed, a, double(int64_t(b) * b));
            return;
        case 223:
            if (isWall(map, a) && isWall(map, b) && isSector(map, c))
                set(o.reg[3], isSelfIntersecting(ed, a, b, c));
            return;
        default:
            return;
    }
}

ScriptRunEnd interpretScript(Editor& ed, int64_t budget) {
    const ScriptProgram& p = ed.pages.scriptEditor.program;
    ScriptRegisters r{};
    bool breakFlag = false;
    int32_t pc = 0;
    int64_t steps = 0;
    const bool inDemo = ed.demo.demoFrameIndex >= 0;
    while (pc >= 0 && pc < p.scriptCodeLength) {
        if (steps >= budget) return ScriptRunEnd::StepBudget;
        ++steps;
        if (!inDemo && steps % kScriptEventInterval == 0) {
            Platform& platform = *ed.app.platform;
            platform.processEvents();
            if (platform.keyState(vk::Escape) < 0) return ScriptRunEnd::Aborted;
        }
        const ScriptInstruction& ins = p.scriptCode[size_t(pc)];
        int32_t next = pc + 1;
        // A jump target outside -1..length ends nothing and goes nowhere: the step is skipped.
        auto jumpTo = [&](int32_t target) {
            if (target == -1)
                next = p.scriptCodeLength;
            else if (target >= 0 && target <= p.scriptCodeLength)
                next = target;
        };
        switch (ins.opcode) {
            case kOpJump:
                if (ins.operands[0] < -1 || ins.operands[0] > p.scriptCodeLength) break;
                jumpTo(ins.operands[0]);
                if (ins.kinds[0] != 0) breakFlag = true;
                break;
            case kOpForEach: {
                const int32_t reg = ins.operands[2];
                const int32_t kind = ins.kinds[1];
                if (reg < 0 || reg >= kScriptRegisterCount || kind > 2) {
                    jumpTo(ins.operands[0]);
                    break;
                }
                if (breakFlag) {
                    breakFlag = false;
                    jumpTo(ins.operands[0]);
                    break;
                }
                const MapStore& map = ed.map;
                const int32_t count = kind == 0   ? map.spriteCount
                                      : kind == 1 ? map.sectorCount
                                                  : map.wallCount;
                const uint8_t* selected = kind == 0   ? map.spriteSelected.data()
                                          : kind == 1 ? map.sectorSelected.data()
                                                      : map.wallSelected.data();
                const uint8_t* ignored = kind == 0   ? map.spriteIgnored.data()
                                         : kind == 1 ? map.sectorIgnored.data()
                                                     : map.wallIgnored.data();
                const int32_t capacity = kind == 0   ? kMaxSprites
                                         : kind == 1 ? kMaxSectors
                                                     : kMaxWalls;
                const int32_t bound = std::clamp(count, 0, capacity);
                const uint8_t filters = ins.kinds[0];
                int32_t& v = r[size_t(reg)];
                v = wrap32(int64_t(v) + 1);
                while (v < bound) {
                    // An index below 0 has no flags: it passes only when nothing filters.
                    if (v < 0) {
                        if (filters == 0) break;
                        ++v;
                        continue;
                    }
                    const bool sel = selected[v] != 0;
                    const bool shown = ignored[v] == uint8_t(HiddenState::Shown);
                    const bool pass = !((filters & 1) && !sel) && !((filters & 2) && shown) &&
                                      !((filters & 4) && sel) && !((filters & 8) && !shown);
                    if (pass) break;
                    ++v;
                }
                if (v >= bound) jumpTo(ins.operands[0]);
                break;
            }
            case kOpIfWhile: {
                const int32_t lreg = ins.operands[1];
                if (lreg < 0 || lreg >= kScriptRegisterCount) {
                    jumpTo(ins.operands[0]);
                    break;
                }
                int32_t right = ins.operands[2];
                if (ins.kinds[2] != 0) {
                    if (right < 0 || right >= kScriptRegisterCount) {
                        jumpTo(ins.operands[0]);
                        break;
                    }
                    right = r[size_t(right)];
                }
                const int32_t left = r[size_t(lreg)];
                if (breakFlag) {
                    breakFlag = false;
                    jumpTo(ins.operands[0]);
                    break;
                }
                bool holds = true;
                switch (ins.kinds[0]) {
                    case 0:
                        holds = left != right;
                        break;
                    case 1:
                        holds = left == right;
                        break;
                    case 2:
                        holds = left > right;
                        break;
                    case 3:
                        holds = left >= right;
                        break;
                    case 4:
                        holds = left < right;
                        break;
                    case 5:
                        holds = left <= right;
                        break;
                    default:
                        break;
                }
                if (!holds) jumpTo(ins.operands[0]);
                break;
            }
            // The arithmetic of tight loops, decoded here rather than through the operand
            // reader; the same rules: a register outside 0..99 makes the instruction do nothing.
            case kOpMov:
            case kOpXor:
            case kOpAdd:
            case kOpSub: {
                const uint32_t d = uint32_t(ins.operands[0]);
                int32_t a = ins.operands[1];
                if (d >= uint32_t(kScriptRegisterCount)) break;
                if (ins.kinds[1] != 0) {
                    if (uint32_t(a) >= uint32_t(kScriptRegisterCount)) break;
                    a = r[a];
                }
                int32_t& t = r[d];
                t = ins.opcode == kOpMov   ? a
                    : ins.opcode == kOpXor ? t ^ a
                    : ins.opcode == kOpAdd ? wrap32(int64_t(t) + a)
                                           : wrap32(int64_t(t) - a);
                break;
            }
            case kOpInc:
            case kOpDec: {
                const uint32_t d = uint32_t(ins.operands[0]);
                if (d >= uint32_t(kScriptRegisterCount)) break;
                r[d] = wrap32(int64_t(r[d]) + (ins.opcode == kOpInc ? 1 : -1));
                break;
            }
            default: {
                if (ins.opcode < 3 || ins.opcode >= kScriptOpcodeCount) break;
                ScriptOperands o;
                if (!readScriptOperands(ins, r, o)) break;
                if (runArithmeticBuiltin(ins.opcode, o, r)) break;
                if (runMapBuiltin(ins.opcode, o, r, ed.map)) break;
                runEditorBuiltin(ed, ins.opcode, o, r);
                break;
            }
        }
        pc = next;
    }
    return ScriptRunEnd::Finished;
}

std::string readScriptForRun(Editor& ed, const std::string& name, bool topLevel) {
    FileSystem& fs = ed.app.platform->fileSystem();
    const std::string folder = dataFolder(*ed.app.platform);
    if (ed.demo.demoFrameIndex >= 0) {
        if (!topLevel) return {};
        const std::string path = findNoCase(fs, folder, kDemoScript);
        std::string text = withCrLfLineEnds(fsoReadFile(fs, path));
        fs.deleteFile(path);
        return text;
    }
    if (!isValidScriptName(name)) return {};
    return withCrLfLineEnds(fsoReadFile(fs, findNoCase(fs, folder, name + ".kvs")));
}

ScriptRunEnd runScript(Editor& ed, const std::string& name, bool topLevel) {
    ScriptState& s = ed.pages.scriptEditor;
    const std::string text = readScriptForRun(ed, name, topLevel);
    const bool fits = compileScript(s.program, text, s.scriptName, [&](const std::string& inc) {
        return readScriptForRun(ed, inc, false);
    });
    if (!topLevel) return ScriptRunEnd::Finished;
    if (!fits) return ScriptRunEnd::Overflow;
    // Emptying the map would lose unsaved changes: ask first, as for a new map.
    const bool confirmed = s.scriptResetConfirmed != 0;
    s.scriptResetConfirmed = 0;
    const auto first = s.program.scriptCode.begin();
    const bool resets =
        std::any_of(first, first + s.program.scriptCodeLength,
                    [](const ScriptInstruction& i) { return i.opcode == kOpResetMap; });
    if (resets && !confirmed && ed.map.mapModified != MapModifiedState::Unmodified) {
        openMessageBox(ed, MessageBoxKind::SaveBeforeScriptReset);
        return ScriptRunEnd::Asked;
    }

    popPage(ed);
    ed.app.currentPage = Page::PlanView;
    ed.dispatch.ctrlHeld = ed.dispatch.altHeld = ed.dispatch.shiftHeld = 0;
    ScriptRunEnd end;
    {
        MapEdit edit(ed.map, ed.undo, ed.events, EditUndo::Snapshot);
        MuteBracket mute(ed.sound, ed.settings);
        end = interpretScript(ed, s.scriptStepBudget);
        ed.map.movedWallCount = 0;
        edit.commit();
    }
    return end;
}

}  // namespace korvel
