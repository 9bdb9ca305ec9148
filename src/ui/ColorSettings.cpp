#include "ui/ColorSettings.h"

namespace korvel {

namespace {

constexpr uint8_t ColorSettings::*kFields[kColorSettingCount] = {
    &ColorSettings::colorSectorHighlight,
    &ColorSettings::colorGrid,
    &ColorSettings::colorGridUnit,
    &ColorSettings::colorServiceLines,
    &ColorSettings::colorStartPosition,
    &ColorSettings::colorFiltered,
    &ColorSettings::colorHidden,
    &ColorSettings::colorWallOneSided,
    &ColorSettings::colorWallOpen,
    &ColorSettings::colorWallBlocking,
    &ColorSettings::colorWallHalfBlocking,
    &ColorSettings::colorVertex,
    &ColorSettings::colorSprite,
    &ColorSettings::colorSpriteBlocking,
    &ColorSettings::colorGuideLabel,
    &ColorSettings::colorWallLabel1,
    &ColorSettings::colorWallLabel2,
    &ColorSettings::colorToolOverlay,
    &ColorSettings::colorSavedView,
    &ColorSettings::colorMeasure,
    &ColorSettings::colorUiBackground,
    &ColorSettings::colorUiHighlight,
    &ColorSettings::colorUiShadow,
    &ColorSettings::colorUiText,
    &ColorSettings::colorUiAmb,
    &ColorSettings::colorUiAmt,
    &ColorSettings::colorUiInactive,
    &ColorSettings::colorUiTintBase,
    &ColorSettings::colorUiLine1,
    &ColorSettings::colorUiLine2,
    &ColorSettings::colorUiLine3,
    &ColorSettings::colorUiMt1,
    &ColorSettings::colorUiMt2,
    &ColorSettings::colorUiPreviewLine,
    &ColorSettings::colorUiButton,
    &ColorSettings::colorUiButtonText,
    &ColorSettings::colorUiTextBoxBack,
    &ColorSettings::colorUiPanelFill,
    &ColorSettings::colorUiTextBoxText,
    &ColorSettings::colorUiAls};

}  // namespace

uint8_t getColorSetting(const ColorSettings& colors, int32_t number) {
    if (number < 0 || number >= kColorSettingCount) return 0;
    return colors.*kFields[number];
}

void setColorSetting(ColorSettings& colors, int32_t number, uint8_t value) {
    if (number < 0 || number >= kColorSettingCount) return;
    colors.*kFields[number] = value;
}

}  // namespace korvel
