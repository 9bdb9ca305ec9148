#include "ui/ColorSettings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvel {
namespace {

TEST(ColorSettings, AllFortyAreReadAndWrittenByNumber) {
    ColorSettings colors;
    for (int32_t n = 0; n < kColorSettingCount; ++n) setColorSetting(colors, n, uint8_t(100 + n));
    for (int32_t n = 0; n < kColorSettingCount; ++n) EXPECT_EQ(getColorSetting(colors, n), 100 + n);
    EXPECT_EQ(colors.colorSectorHighlight, 100);
    EXPECT_EQ(colors.colorServiceLines, 103);
    EXPECT_EQ(colors.colorUiTextBoxBack, 136);
    EXPECT_EQ(colors.colorUiPanelFill, 137);
    EXPECT_EQ(colors.colorUiTextBoxText, 138);
    EXPECT_EQ(colors.colorUiAls, 139);
    for (const int32_t n : {40, -1, INT32_MIN}) {
        EXPECT_EQ(getColorSetting(colors, n), 0);
        setColorSetting(colors, n, 7);
    }
    for (int32_t n = 0; n < kColorSettingCount; ++n) EXPECT_EQ(getColorSetting(colors, n), 100 + n);
    EXPECT_EQ(colors.guiColor, 0);
    EXPECT_EQ(std::set<std::string>(kColorSettingKeys.begin(), kColorSettingKeys.end()).size(),
              40u);
    EXPECT_STREQ(kColorSettingKeys[int(ColorSetting::UiTextBoxBack)], "sctuitbb");
}

}  // namespace
}  // namespace korvel
