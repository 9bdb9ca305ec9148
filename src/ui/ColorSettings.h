// The 40 colour settings the views and the interface draw with, addressed by setting number as
// the colour-scheme editor and the configuration do.
#pragma once

#include <array>
#include <cstdint>

namespace korvel {

enum class ColorSetting : int32_t {
    SectorHighlight = 0,
    Grid = 1,
    GridUnit = 2,
    ServiceLines = 3,
    StartPosition = 4,
    Filtered = 5,
    Hidden = 6,
    WallOneSided = 7,
    WallOpen = 8,
    WallBlocking = 9,
    WallHalfBlocking = 10,
    Vertex = 11,
    Sprite = 12,
    SpriteBlocking = 13,
    GuideLabel = 14,
    WallLabel1 = 15,
    WallLabel2 = 16,
    ToolOverlay = 17,
    SavedView = 18,
    Measure = 19,
    UiBackground = 20,
    UiHighlight = 21,
    UiShadow = 22,
    UiText = 23,
    UiAmb = 24,
    UiAmt = 25,
    UiInactive = 26,
    UiTintBase = 27,
    UiLine1 = 28,
    UiLine2 = 29,
    UiLine3 = 30,
    UiMt1 = 31,
    UiMt2 = 32,
    UiPreviewLine = 33,
    UiButton = 34,
    UiButtonText = 35,
    UiTextBoxBack = 36,
    UiPanelFill = 37,
    UiTextBoxText = 38,
    UiAls = 39
};
constexpr int32_t kColorSettingCount = 40;

// Configuration key of each setting, by setting number.
constexpr std::array<const char*, kColorSettingCount> kColorSettingKeys = {
    "sctsecth", "sctgrid1", "sctgrid2", "sct_serv", "sctstart", "sct_ign1", "sct_ign2", "sctwall1",
    "sctwall2", "sctwallb", "sctwalls", "sct_vert", "sct_spri", "sctsprib", "sctgslab", "sctwlab1",
    "sctwlab2", "sct_temp", "sct_view", "sct_meas", "sctuibkg", "sct_uihl", "sctuishd", "sctuitxt",
    "sctuiamb", "sctuiamt", "sctuiina", "sct_uibb", "sctuiln1", "sctuiln2", "sctuiln3", "sctuimt1",
    "sctuimt2", "sct_uibt", "sctuibut", "sctuibtc", "sctuitbb", "sctuitbe", "sctuitbt", "sctuials"};

// Display-palette indices, one per setting; guiColor is the offset (a multiple of 12) added to
// the skin and interface colours.
struct ColorSettings {
    uint8_t colorSectorHighlight = 0;
    uint8_t colorGrid = 0;
    uint8_t colorGridUnit = 0;
    uint8_t colorServiceLines = 0;
    uint8_t colorStartPosition = 0;
    uint8_t colorFiltered = 0;
    uint8_t colorHidden = 0;
    uint8_t colorWallOneSided = 0;
    uint8_t colorWallOpen = 0;
    uint8_t colorWallBlocking = 0;
    uint8_t colorWallHalfBlocking = 0;
    uint8_t colorVertex = 0;
    uint8_t colorSprite = 0;
    uint8_t colorSpriteBlocking = 0;
    uint8_t colorGuideLabel = 0;
    uint8_t colorWallLabel1 = 0;
    uint8_t colorWallLabel2 = 0;
    uint8_t colorToolOverlay = 0;
    uint8_t colorSavedView = 0;
    uint8_t colorMeasure = 0;
    uint8_t colorUiBackground = 0;
    uint8_t colorUiHighlight = 0;
    uint8_t colorUiShadow = 0;
    uint8_t colorUiText = 0;
    uint8_t colorUiAmb = 0;
    uint8_t colorUiAmt = 0;
    uint8_t colorUiInactive = 0;
    uint8_t colorUiTintBase = 0;
    uint8_t colorUiLine1 = 0;
    uint8_t colorUiLine2 = 0;
    uint8_t colorUiLine3 = 0;
    uint8_t colorUiMt1 = 0;
    uint8_t colorUiMt2 = 0;
    uint8_t colorUiPreviewLine = 0;
    uint8_t colorUiButton = 0;
    uint8_t colorUiButtonText = 0;
    uint8_t colorUiTextBoxBack = 0;
    uint8_t colorUiPanelFill = 0;
    uint8_t colorUiTextBoxText = 0;
    uint8_t colorUiAls = 0;
    uint8_t guiColor = 0;
};

// 0 for a number outside 0..39.
uint8_t getColorSetting(const ColorSettings& colors, int32_t number);
// A number outside 0..39 changes nothing.
void setColorSetting(ColorSettings& colors, int32_t number, uint8_t value);

}  // namespace korvel
