// The user's settings kept in the configuration file: every general setting but the interface
// colour offset and the language (which live with the colours and the languages). The values the
// members start with are the built-in defaults, the same as the shipped default.cfg.
#pragma once

#include <cstdint>

namespace korvel {

// The height filter of the plan view ("zrangemd"): which height of a sector is tested against
// zRangeLow .. zRangeHigh.
enum class ZRangeMode : uint8_t { Off = 0, ByFloor = 1, ByCeiling = 2 };

// How the frame loop sleeps ("limitcpu").
enum class CpuLimitMode : uint8_t { Never = 0, Always = 1, WhenFast = 2 };

struct Settings {
    uint8_t twoColorBlend = 0;  // textured plan-view fills on every other row only
    int32_t affineGridMode = 0;
    // Affine grid matrix: rows (Xx, Xy, X1) and (Yx, Yy, Y1); the axis lock moves along the
    // columns A = (Xx, Yx) and B = (Xy, Yy); X1, Y1 are the centre of the grid drawn.
    int32_t affineGridXx = 1024;
    int32_t affineGridXy = 0;
    int32_t affineGridX1 = 0;
    int32_t affineGridYx = 0;
    int32_t affineGridYy = 1024;
    int32_t affineGridY1 = 0;
    uint8_t alternateFps = 0;      // frame rate smoothed per frame instead of counted per second
    uint8_t alternatePalette = 0;  // weighted colour matching for the gamma remap
    uint8_t autoGrid = 1;          // the grid step follows the zoom
    int32_t autosaveDelay = 300;   // seconds; 0 off
    uint8_t autoTextureMove = 0;
    uint8_t autoWallSquare = 1;
    uint8_t buttonHighlight = 1;
    uint8_t ceilingView = 0;
    uint8_t constantSpriteSize = 0;
    int32_t spriteZoomLimit = 64;  // map units per pixel below which sprites are drawn
    int32_t tagDrawLimit = 24;     // ... and below which tag labels are drawn
    uint8_t exitEffect = 1;
    uint8_t enableSounds = 1;
    int32_t frameDelay = 10;  // sleep per frame, milliseconds
    uint8_t fullScreen = 0;
    int32_t gridSpacing = 512;
    uint8_t layoutSwitchKeys = 0;
    uint8_t limitCpu = uint8_t(CpuLimitMode::WhenFast);
    uint8_t loadTilesOnInit = 1;
    int32_t maxAutosaves = 5;
    uint8_t pointerInterpolation = 1;
    uint8_t pointerShadow = 1;
    uint8_t recentNamesOnly = 0;
    uint8_t refreshRate = 60;
    int32_t repeatDelay = 50;   // ms between key auto-repeats
    int32_t repeatStart = 400;  // ms before the first auto-repeat
    uint8_t realtimeUpdate = 1;
    uint8_t regionSelectMode = 0;
    uint8_t sectorsFull = 0;
    uint8_t sectorHighlight = 1;
    uint8_t showFps = 0;
    uint8_t showGrid = 1;
    uint8_t showSprites = 1;
    uint8_t showTime = 0;
    uint8_t showTips = 1;
    uint8_t showVertices = 1;
    uint8_t showWalls = 1;
    uint8_t showSparks = 1;
    uint8_t smallImages = 0;
    uint8_t smoothLines = 1;
    uint8_t snapToGrid = 1;
    uint8_t sparkMode = 0;
    uint8_t spritesFull = 0;
    uint8_t spriteNumbers = 0;
    uint8_t spriteOffsets = 1;
    uint8_t spriteOrientation = 1;
    uint8_t spriteTags = 1;
    int32_t textureGamma = 1000;
    uint8_t transparentGrid = 0;
    int32_t vertexSnapDistance = 8;
    uint8_t wallVectors = 0;
    uint8_t wallTags = 1;
    int32_t zRangeLow = -65536;
    uint8_t zRangeMode = 0;  // ZRangeMode
    int32_t zRangeOffset = 0;
    int32_t zRangeHigh = 65536;

    // Not keys of their own: the auto-repeat times as the general options page edits them; they
    // take effect when the page is left.
    int32_t repeatStartEdit = 400;
    int32_t repeatDelayEdit = 50;
};

// Built-in defaults of the two general settings kept elsewhere.
constexpr uint8_t kDefaultGuiColor = 72;
constexpr int32_t kDefaultLanguageIndex = 0;

}  // namespace korvel
