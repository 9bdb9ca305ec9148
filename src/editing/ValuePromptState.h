// The value prompt's state: which value is being asked for, the text typed so far, its minus
// flag, the caption and the objects the value goes to. Commands open the prompt by filling it;
// the prompt takes over from there.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

enum class ValuePromptKind : int32_t {
    None = 0,
    SectorLotag = 1,
    SectorHitag = 2,
    SpriteLotag = 3,
    SpriteHitag = 4,
    WallLotag = 5,
    WallHitag = 6,
    SectorFloorPal = 7,
    SectorCeilingPal = 8,
    WallPal = 9,
    SpritePal = 10,
    SectorFloorShade = 11,
    SectorCeilingShade = 12,
    WallShade = 13,
    SpriteShade = 14,
    MapFileName = 16,
    SpriteStatnum = 17,
    SectorVisibility = 18,
    GridSize = 19,
    ZShift = 20,
    Calculator = 21,
    DemoFileName = 22,
};

// A target naming the whole selection of its kind rather than one object.
constexpr int32_t kWholeSelection = 16777215;

struct ValuePromptState {
    int32_t promptKind = 0;  // ValuePromptKind; 0: no prompt open
    // Numeric kinds keep the magnitude here and the sign in promptNegative.
    std::string promptInput;
    uint8_t promptNegative = 0;
    std::string promptText;
    // The text and sign when the prompt opened, which Esc puts back.
    std::string promptOriginal;
    uint8_t promptOriginalNegative = 0;
    // The objects a value goes to: an index, -1 none, or kWholeSelection.
    int32_t targetSector = -1;
    int32_t targetSprite = -1;
    int32_t targetWall = -1;
    int32_t promptNumber = 0;    // the height shift's value
    int32_t valueClipboard = 0;  // the calculator's last result
    // The file an overwrite question asks about; its answer writes there.
    std::string promptCheckedPath;
};

}  // namespace korvel
