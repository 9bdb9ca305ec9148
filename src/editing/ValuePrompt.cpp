#include "editing/ValuePrompt.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/EditorEvents.h"
#include "app/MapFileCommands.h"
#include "commands/FileCommands.h"
#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "base/PathNames.h"
#include "base/ValueConv.h"
#include "editing/ToolHelp.h"
#include "geometry/TransformTools.h"
#include "map/MapEdit.h"
#include "script/ExprSolver.h"
#include "ui/TypedText.h"
#include "view3d/Refresh3d.h"

namespace korvel {

namespace {

// The editor's reports, through the model's interface (which carries the default arguments).
MapEvents& status(Editor& ed) {
    return ed.events;
}

constexpr int kBackspace = 8, kEnter = 13, kEscape = 27, kUp = 38, kDown = 40;
constexpr int kMinus = 189, kKeypadMinus = 109, kF12 = 123;
constexpr int kKeypad0 = 96;
constexpr int32_t kFireworkParticles = 256;
// Typed digits beyond this are of no use to any field (they parse to 0); the text stops there.
constexpr size_t kLongestNumberText = 16;

using Kind = ValuePromptKind;

bool isTextKind(Kind k) {
    return k == Kind::MapFileName || k == Kind::Calculator || k == Kind::DemoFileName;
}

bool isSignedKind(Kind k) {
    return (k >= Kind::SectorFloorShade && k <= Kind::SpriteShade) || k == Kind::ZShift;
}

// The key's press of this frame, consumed.
bool takePress(InputState& in, int key) {
    if (in.keyPressed[size_t(key)] == 0) return false;
    in.keyPressed[size_t(key)] = 0;
    return true;
}

// The signed value the prompt holds: the magnitude typed and the minus flag.
int64_t signedValue(const ValuePromptState& p) {
    const int64_t v = parseInt32(p.promptInput);
    return p.promptNegative ? -v : v;
}

void setSignedValue(ValuePromptState& p, int64_t v) {
    v = std::clamp<int64_t>(v, -int64_t(INT32_MAX), INT32_MAX);
    p.promptNegative = v < 0 ? 1 : 0;
    p.promptInput = std::to_string(v < 0 ? -v : v);
}

// Digits, Backspace, the minus key and the arrows on a numeric value. True when the value
// changed.
bool typeNumber(Editor& ed, Kind kind) {
    ValuePromptState& p = ed.prompt;
    InputState& in = ed.input;
    std::string& text = p.promptInput;
    bool changed = false;
    if (text == "0") text.clear();
    if (takePress(in, kBackspace)) {
        if (!text.empty()) text.pop_back();
        changed = true;
    }
    for (int d = 0; d <= 9; ++d) {
        const bool main = takePress(in, '0' + d);
        const bool pad = takePress(in, kKeypad0 + d);
        if (!main && !pad) continue;
        changed = true;
        if (text.size() >= kLongestNumberText) continue;
        if (d != 0 || (!text.empty() && text[0] != '0')) text += char('0' + d);
    }
    if (isSignedKind(kind)) {
        const bool minus = takePress(in, kMinus);
        const bool padMinus = takePress(in, kKeypadMinus);
        if (minus || padMinus) {
            p.promptNegative = p.promptNegative ? 0 : 1;
            changed = true;
        }
        if (takePress(in, kUp)) {
            setSignedValue(p, signedValue(p) - 1);
            changed = true;
        }
        if (takePress(in, kDown)) {
            setSignedValue(p, signedValue(p) + 1);
            changed = true;
        }
    } else {
        if (takePress(in, kUp)) {
            text = std::to_string(std::max(parseInt32(text) - int64_t(1), int64_t(0)));
            changed = true;
        }
        if (takePress(in, kDown)) {
            text = std::to_string(std::min(int64_t(parseInt32(text)) + 1, int64_t(INT32_MAX)));
            changed = true;
        }
    }
    if (text.empty()) text.push_back('0');
    return changed;
}

bool onLive3dView(const Editor& ed) {
    return ed.app.currentPage == Page::View3D && ed.pages.view3d.view3dState == 0;
}

// Calls write(i) for the target object, or for every selected object of its kind when the
// target is the whole selection. An index that names no object (the object was deleted while
// the prompt was open) is left alone. Returns how many objects were written.
template <typename Selected, typename Write>
int32_t forTargets(int32_t target, int32_t count, const Selected& selected, Write write) {
    int32_t written = 0;
    if (target == kWholeSelection) {
        for (int32_t i = 0; i < count; ++i)
            if (selected[size_t(i)] != 0) {
                write(i);
                ++written;
            }
    } else if (target >= 0 && target < count) {
        write(target);
        ++written;
    }
    return written;
}

// Writes the value into the prompt's targets; the map is written through an edit that takes no
// snapshot, and an edit that found nothing to write leaves the map untouched.
void applyValue(Editor& ed, Kind kind, bool enter) {
    ValuePromptState& p = ed.prompt;
    MapStore& map = ed.map;
    const std::string& text = p.promptInput;
    if (kind == Kind::GridSize) {
        const int32_t v = parseInt32(text);
        ed.settings.gridSpacing = v == 0 ? 1 : v;
        return;
    }
    if (kind == Kind::ZShift) {
        p.promptNumber = parseInt32(text);
        if (!enter) return;
        MapEdit edit(map, ed.undo, ed.events, EditUndo::None);
        const int64_t dz = p.promptNegative ? -int64_t(p.promptNumber) : p.promptNumber;
        zShiftSelSectors(map, edit.events(), int32_t(dz));
        edit.commit();
        return;
    }
    const bool live = onLive3dView(ed);
    const auto sectors = [&](auto write, bool planes, bool whole) {
        return forTargets(p.targetSector, map.sectorCount, map.sectorSelected, [&](int32_t s) {
            write(map.sectors[s]);
            if (live && planes) refresh3dSectorPlanes(ed, s);
            if (live && whole) refresh3dSector(ed, s, false);
        });
    };
    const auto walls = [&](auto write, bool refresh) {
        return forTargets(p.targetWall, map.wallCount, map.wallSelected, [&](int32_t w) {
            write(map.walls[w]);
            if (live && refresh) refresh3dWall(ed, w);
        });
    };
    const auto sprites = [&](auto write, bool refresh) {
        return forTargets(p.targetSprite, map.spriteCount, map.spriteSelected, [&](int32_t k) {
            write(map.sprites[k]);
            if (live && refresh) refresh3dSprite(ed, k);
        });
    };
    const int16_t tag = parseInt16(text);
    const uint8_t byte = parseByte(text);
    const auto shade = int8_t(parsePromptByte(text, p.promptNegative != 0));
    const uint8_t visibility = parsePromptByte(text, p.promptNegative != 0);

    MapEdit edit(map, ed.undo, ed.events, EditUndo::None);
    int32_t written = 0;
    switch (kind) {
        case Kind::SectorLotag:
            written = sectors([&](SectorRecord& r) { r.lotag = tag; }, false, false);
            break;
        case Kind::SectorHitag:
            written = sectors([&](SectorRecord& r) { r.hitag = tag; }, false, false);
            break;
        case Kind::SpriteLotag:
            written = sprites([&](SpriteRecord& r) { r.lotag = tag; }, false);
            break;
        case Kind::SpriteHitag:
            written = sprites([&](SpriteRecord& r) { r.hitag = tag; }, false);
            break;
        case Kind::WallLotag:
            written = walls([&](WallRecord& r) { r.lotag = tag; }, false);
            break;
        case Kind::WallHitag:
            written = walls([&](WallRecord& r) { r.hitag = tag; }, false);
            break;
        case Kind::SectorFloorPal:
            written = sectors([&](SectorRecord& r) { r.floorpal = byte; }, true, false);
            break;
        case Kind::SectorCeilingPal:
            written = sectors([&](SectorRecord& r) { r.ceilingpal = byte; }, true, false);
            break;
        case Kind::WallPal:
            written = walls([&](WallRecord& r) { r.pal = byte; }, true);
            break;
        case Kind::SpritePal:
            written = sprites([&](SpriteRecord& r) { r.pal = byte; }, true);
            break;
        case Kind::SectorFloorShade:
            written = sectors([&](SectorRecord& r) { r.floorshade = shade; }, true, false);
            break;
        case Kind::SectorCeilingShade:
            written = sectors([&](SectorRecord& r) { r.ceilingshade = shade; }, true, false);
            break;
        case Kind::WallShade:
            written = walls([&](WallRecord& r) { r.shade = shade; }, true);
            break;
        case Kind::SpriteShade:
            written = sprites([&](SpriteRecord& r) { r.shade = shade; }, true);
            break;
        case Kind::SpriteStatnum:
            written = sprites([&](SpriteRecord& r) { r.statnum = tag; }, false);
            break;
        case Kind::SectorVisibility:
            written = sectors([&](SectorRecord& r) { r.visibility = visibility; }, false, true);
            break;
        default:
            break;
    }
    edit.finish(written > 0);
}

void fireworks(Editor& ed) {
    for (int32_t i = 0; i < kFireworkParticles; ++i)
        addParticle(ed.particles, ed.random, ed.settings.showSparks != 0,
                    safeFloor(double(randomSingle(ed.random)) * 800), 0, 4);
}

// Enter on a file name: the name gets its extension, an existing file is asked about first,
// otherwise the map or the demo is written there.
void saveUnderTypedName(Editor& ed, Kind kind) {
    ValuePromptState& p = ed.prompt;
    const bool isMap = kind == Kind::MapFileName;
    const std::string extension = isMap ? ".map" : ".kvd";
    std::string name = p.promptInput;
    const bool hasExtension =
        name.size() > 3 && equalIgnoringCase(name.substr(name.size() - 4), extension);
    if (!hasExtension) name += extension;
    // A name that is only the extension names no file anyone could find again.
    const bool named = getPathFileName("/" + name).size() > extension.size();
    Platform* platform = ed.app.platform;
    if (!named || platform == nullptr) {
        playSound(ed, "beep2");
        if (isMap) status(ed).statusMessage(kMsgMapNotSaved);
        return;
    }
    // A demo's name stays inside the program folder.
    if (!isMap && name.find("..") != std::string::npos) {
        playSound(ed, "beep2");
        status(ed).statusMessage(kMsgDemoNameRefused, {p.promptInput}, 0);
        return;
    }
    const std::string path = nativePath(joinPath(platform->programFolder(), name));
    if (platform->fileSystem().fileExists(path)) {
        p.promptCheckedPath = path;
        openMessageBox(
            ed, isMap ? MessageBoxKind::ConfirmOverwriteMap : MessageBoxKind::ConfirmOverwriteDemo);
        return;
    }
    if (isMap) {
        if (!saveMap(ed, path, false)) {
            playSound(ed, "beep2");
            reportSaveFailure(ed);
            return;
        }
        status(ed).statusMessage(kMsgMapSaved);
        fireworks(ed);
        playSound(ed, "pyro");
        setMapCaption(ed);
        return;
    }
    if (!saveDemoAndReport(ed, path)) return;
    fireworks(ed);
    playSound(ed, "pyro");
    status(ed).statusMessage(kMsgDemoSaved);
}

void calculate(Editor& ed, const ValuePromptServices& services) {
    ValuePromptState& p = ed.prompt;
    const double v =
        services.evaluate ? services.evaluate(p.promptInput)
                          : evaluateExpression(p.promptInput, ed.pages.scriptEditor.exprXText,
                                               ed.random);
    p.valueClipboard = safeFloor(v);
    const std::string text = std::to_string(p.valueClipboard);
    if (ed.app.platform) ed.app.platform->setClipboardText(text);
    status(ed).statusMessage(kMsgCalculatorResult, {text});
}

void closePrompt(Editor& ed, Kind kind, const char* cue) {
    ValuePromptState& p = ed.prompt;
    toolToolbarSlot(ed);
    // The calculator opens over another edit, whose targets stay.
    if (kind != Kind::Calculator) p.targetSector = p.targetSprite = p.targetWall = -1;
    p.promptKind = 0;
    playSound(ed, cue);
}

}  // namespace

void openCalculatorPrompt(Editor& ed) {
    ValuePromptState& p = ed.prompt;
    p.promptInput.assign(1, 'x');
    p.promptText.clear();
    p.promptNegative = 0;
    p.promptKind = int32_t(ValuePromptKind::Calculator);
}

void calculatorMenuCommand(Editor& ed) {
    openCalculatorPrompt(ed);
    playSound(ed, "command");
}

void valuePromptKeys(Editor& ed, const ValuePromptServices& services) {
    ValuePromptState& p = ed.prompt;
    InputState& in = ed.input;
    const auto kind = Kind(p.promptKind);
    if (takePress(in, kF12)) takeScreenshot(ed);

    bool changed = false;
    if (isTextKind(kind))
        readTypedText(in, p.promptInput);
    else
        changed = typeNumber(ed, kind);

    if (takePress(in, kEnter)) {
        ed.app.statusText.clear();
        if (!isTextKind(kind)) applyValue(ed, kind, true);
        if (kind == Kind::MapFileName || kind == Kind::DemoFileName) saveUnderTypedName(ed, kind);
        if (kind == Kind::Calculator) calculate(ed, services);
        closePrompt(ed, kind, "command");
        return;
    }
    if (takePress(in, kEscape)) {
        const bool selection = p.targetSector == kWholeSelection ||
                               p.targetSprite == kWholeSelection || p.targetWall == kWholeSelection;
        if (!isTextKind(kind) && kind < Kind::ZShift && !selection) {
            p.promptInput = p.promptOriginal;
            p.promptNegative = p.promptOriginalNegative;
            applyValue(ed, kind, false);
        }
        ed.app.statusText.clear();
        closePrompt(ed, kind, "cancel");
        return;
    }
    if (changed) applyValue(ed, kind, false);
}

}  // namespace korvel
