#include "ui/Skin.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/DrawFixtures.h"
#include "support/LanguageFixture.h"
#include "support/TempFolder.h"
#include "ui/ColorSettings.h"

namespace korvel {
namespace {

using test::DrawRig;

// Every skin byte tells where it came from; none is 0 or transparent, even shifted by 72.
std::unique_ptr<Skin> patternSkin() {
    auto s = std::make_unique<Skin>();
    for (int32_t sy = 0; sy < kSkinSize; ++sy)
        for (int32_t sx = 0; sx < kSkinSize; ++sx)
            s->skin[sy * kSkinSize + sx] = uint8_t(1 + (sx * 3 + sy * 7) % 150);
    return s;
}

uint8_t skinAt(const Skin& s, int32_t sx, int32_t sy) {
    return s.skin[sy * kSkinSize + sx];
}

// Whether the screen block at (x, y) equals the skin block at (sx, sy) plus shift.
bool blockIs(DrawRig& rig, const Skin& s, int32_t x, int32_t y, int32_t sx, int32_t sy, int32_t w,
             int32_t h, int32_t shift = 0) {
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i)
            if (rig.px(x + i, y + j) != uint8_t(skinAt(s, sx + i, sy + j) + shift)) return false;
    return true;
}

TEST(Skin, CheckBoxAndRadioButtonPickTheirPictures) {
    auto skin = patternSkin();
    struct Case {
        int32_t state;
        int32_t sx, sy;
    };
    const Case boxes[] = {
        {0, 110, 498}, {1, 124, 498}, {2, 66, 476}, {3, 124, 498}, {-1, 124, 498}};
    for (const Case& c : boxes) {
        SCOPED_TRACE(c.state);
        DrawRig rig;
        drawCheckBox(rig.canvas, *skin, 100, 100, c.state);
        EXPECT_TRUE(blockIs(rig, *skin, 100, 100, c.sx, c.sy, 14, 14));
        EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0).size(), 14u * 14u);
    }
    skin->skin[484 * kSkinSize + 124] = kSkinTransparent;
    DrawRig rig;
    drawRadioButton(rig.canvas, *skin, 10, 10, 5);
    EXPECT_EQ(rig.px(10, 10), 0);  // transparent skin pixel
    EXPECT_EQ(rig.px(11, 10), skinAt(*skin, 125, 484));
    drawRadioButton(rig.canvas, *skin, 30, 10, 0);
    EXPECT_TRUE(blockIs(rig, *skin, 30, 10, 110, 484, 14, 14));
}

TEST(Skin, BlittersCutAtTheScreenEdgesAndMoveTheSource) {
    auto skin = patternSkin();
    DrawRig rig;
    blitSkinTransparent(rig.canvas, *skin, -5, 100, 200, 300, 14, 3);
    EXPECT_TRUE(blockIs(rig, *skin, 0, 100, 205, 300, 9, 3));
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0).size(), 27u);
    rig.clear(0);
    blitSkinOpaque(rig.canvas, *skin, 795, 597, 10, 10, 20, 20);
    EXPECT_TRUE(blockIs(rig, *skin, 795, 597, 10, 10, 5, 3));
    EXPECT_TRUE(rig.guardsIntact());
    // A source reaching past the skin is cut as well.
    rig.clear(0);
    blitSkinOpaque(rig.canvas, *skin, 100, 100, 505, 508, 20, 20);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0).size(), 7u * 4u);
}

TEST(Skin, TranslucentShiftedAndShadeBlitters) {
    auto skin = patternSkin();
    skin->skin[300 * kSkinSize + 200] = kSkinTransparent;
    const uint8_t v = 40, base = 12;
    for (const int32_t type : {0, 4, -1}) {
        DrawRig rig;
        rig.clear(v);
        blitSkinTranslucent(rig.canvas, *skin, 50, 50, 200, 300, 6, 6, base, type);
        EXPECT_TRUE(test::changedPixels(screenView(*rig.fb), v).empty()) << type;
    }
    DrawRig shifted, three;
    blitSkinTransparentShifted(shifted.canvas, *skin, 50, 50, 200, 300, 6, 6, base);
    blitSkinTranslucent(three.canvas, *skin, 50, 50, 200, 300, 6, 6, base, 3);
    EXPECT_EQ(shifted.fb->screen, three.fb->screen);
    EXPECT_EQ(shifted.px(50, 50), 0);  // transparent
    EXPECT_EQ(shifted.px(51, 50), uint8_t(skinAt(*skin, 201, 300) + base));

    DrawRig rig;
    const auto& blend = rig.colors->blendTable;
    const uint8_t s = uint8_t(skinAt(*skin, 201, 300) + base);
    rig.clear(v);
    blitSkinTranslucent(rig.canvas, *skin, 50, 50, 200, 300, 6, 6, base, 1);
    EXPECT_EQ(rig.px(51, 50), blend[s * 256 + v]);
    rig.clear(v);
    blitSkinTranslucent(rig.canvas, *skin, 50, 50, 200, 300, 6, 6, base, 2);
    EXPECT_EQ(rig.px(51, 50), blend[v * 256 + s]);
    rig.clear(v);
    blitSkinShade(rig.canvas, *skin, 50, 50, 200, 300, 6, 6);
    EXPECT_EQ(rig.px(50, 50), v);
    EXPECT_EQ(rig.px(51, 50), blend[v]);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), v).size(), 35u);
}

TEST(Skin, RgbBlitWritesBlueGreenRedInsideItsImage) {
    auto skin = patternSkin();
    skin->skin[300 * kSkinSize + 201] = kSkinTransparent;
    ColorTables colors;
    for (int c = 0; c < 256; ++c) {
        colors.paletteRed[c] = uint8_t(c);
        colors.paletteGreen[c] = uint8_t(c + 1);
        colors.paletteBlue[c] = uint8_t(c + 2);
    }
    // Ten pixels per row and one spare byte that must stay untouched.
    std::vector<uint8_t> bytes(31 * 4, 0xEE);
    const RgbImageView image{bytes.data(), 31, 4};
    blitSkinToRGB(*skin, colors, image, 7, 2, 200, 300, 5, 5);
    const uint8_t src = skinAt(*skin, 200, 300);
    EXPECT_EQ(bytes[2 * 31 + 21], uint8_t(src + 2));
    EXPECT_EQ(bytes[2 * 31 + 22], uint8_t(src + 1));
    EXPECT_EQ(bytes[2 * 31 + 23], src);
    EXPECT_EQ(bytes[2 * 31 + 24], 0xEE);  // transparent source pixel
    EXPECT_EQ(bytes[3 * 31 + 27], uint8_t(skinAt(*skin, 202, 301) + 2));
    for (int row = 0; row < 4; ++row) EXPECT_EQ(bytes[row * 31 + 30], 0xEE);
    for (int i = 0; i < 31 * 2; ++i) EXPECT_EQ(bytes[i], 0xEE);
}

TEST(Skin, FramesTakeCornersFromTheTileAndRepeatItsMiddle) {
    auto skin = patternSkin();
    const int32_t shift = 72, fill = 200;
    DrawRig rig;
    drawFrame(rig.canvas, *skin, 0, 0, 3, 3, fill, shift);
    const auto small = test::changedPixels(screenView(*rig.fb), 0);
    EXPECT_EQ(small.size(), 16u);
    for (int32_t y = 0; y <= 3; ++y)
        for (int32_t x = 0; x <= 3; ++x) EXPECT_NE(rig.px(x, y), fill);

    rig.clear(0);
    drawFrame(rig.canvas, *skin, 100, 200, 139, 230, fill, shift);
    const int32_t R = kFrameStyle1;
    for (int32_t x = 107; x <= 132; ++x) {
        EXPECT_EQ(rig.px(x, 200), uint8_t(skinAt(*skin, 145, R) + shift)) << x;
        EXPECT_EQ(rig.px(x, 230), uint8_t(skinAt(*skin, 145, R + 14) + shift)) << x;
    }
    EXPECT_EQ(rig.px(100, 200), uint8_t(skinAt(*skin, 138, R) + shift));
    EXPECT_EQ(rig.px(106, 201), uint8_t(skinAt(*skin, 144, R + 1) + shift));
    EXPECT_EQ(rig.px(139, 230), uint8_t(skinAt(*skin, 152, R + 14) + shift));
    EXPECT_EQ(rig.px(100, 215), uint8_t(skinAt(*skin, 138, R + 7) + shift));
    EXPECT_EQ(rig.px(102, 202), fill);
    EXPECT_EQ(rig.px(137, 228), fill);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0).size(), 40u * 31u);

    DrawRig style2;
    drawFrameStyle2(style2.canvas, *skin, 100, 200, 139, 230, fill, shift);
    EXPECT_EQ(style2.px(100, 200), uint8_t(skinAt(*skin, 138, kFrameStyle2) + shift));
}

TEST(Skin, FilledPanelFillsItsInsideOnlyWhenThereIsRoom) {
    auto skin = patternSkin();
    ColorSettings colors;
    colors.colorUiPanelFill = 201;
    DrawRig rig;
    drawFilledPanelBg(rig.canvas, *skin, colors, 0, 0, 5, 20, 250);
    EXPECT_EQ(rig.bg(2, 10), 201);
    EXPECT_EQ(rig.bg(3, 10), 201);
    EXPECT_EQ(rig.bg(0, 0), uint8_t(skinAt(*skin, 138, kFrameStyle2) + 72));
    for (const auto& [x, y] : test::changedPixels(backgroundView(*rig.fb), 0))
        EXPECT_NE(rig.bg(x, y), 250);
    drawFilledPanelBg(rig.canvas, *skin, colors, 100, 100, 120, 130, 250);
    EXPECT_EQ(rig.bg(103, 103), 250);
    EXPECT_EQ(rig.bg(117, 127), 250);
    EXPECT_EQ(rig.bg(102, 102), 201);
    EXPECT_TRUE(test::changedPixels(screenView(*rig.fb), 0).empty());
}

TEST(Skin, SliderCapsAndShadedTrack) {
    auto skin = patternSkin();
    struct Case {
        int32_t length, orientation;
        bool filled;
    };
    for (const Case c :
         {Case{30, 1, false}, Case{31, 1, true}, Case{30, 0, false}, Case{60, 0, true}}) {
        SCOPED_TRACE(testing::Message() << c.length << " " << c.orientation);
        DrawRig rig;
        drawSkinSlider(rig.canvas, *skin, 100, 100, c.length, c.orientation);
        const bool v = c.orientation == 1;
        // Caps: the first row or column of each, from skin column 138.
        EXPECT_EQ(rig.bg(100, 100), skinAt(*skin, 138, v ? 467 : 332));
        const int32_t far = 100 + c.length - 15;
        EXPECT_EQ(v ? rig.bg(100, far) : rig.bg(far, 100), skinAt(*skin, 138, v ? 482 : 317));
        // The track between the caps: 78 at its edges, 81 in its middle.
        if (c.filled) {
            EXPECT_EQ(v ? rig.bg(100, 115) : rig.bg(115, 100), 78);
            EXPECT_EQ(v ? rig.bg(106, 115) : rig.bg(115, 106), 81);
            EXPECT_EQ(v ? rig.bg(107, 115) : rig.bg(115, 107), 81);
            EXPECT_EQ(v ? rig.bg(114, 115) : rig.bg(115, 114), 78);
        }
        size_t want = 2 * 15 * 15;
        if (c.filled) want += 15 * size_t(c.length - 30);
        if (!c.filled) want = 15 * size_t(c.length);  // the caps meet or overlap
        EXPECT_EQ(test::changedPixels(backgroundView(*rig.fb), 0).size(), want);
    }
}

TEST(Skin, ShortOrMissingSkinFilesAreRefusedWithALogLine) {
    std::vector<uint8_t> pixels(kSkinSize * kSkinSize);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i % 251);
    const std::string file = test::skinFile(pixels);
    ASSERT_EQ(file.size(), 263222u);

    Skin skin;
    EXPECT_EQ(parseSkin(file.substr(0, file.size() - 1), skin), LoadStatus::Truncated);
    EXPECT_EQ(parseSkin(file.substr(0, 1078), skin), LoadStatus::Truncated);
    EXPECT_EQ(parseSkin("", skin), LoadStatus::Missing);
    EXPECT_EQ(skin.skin, std::vector<uint8_t>(kSkinSize * kSkinSize, 0));
    EXPECT_EQ(parseSkin(file + "tail", skin), LoadStatus::Loaded);
    EXPECT_EQ(skin.skin, pixels);

    const Languages langs = test::languageWith({{323, "missing &1"}, {1334, "short &1"}});
    NativeFileSystem fs;
    struct Case {
        const char* name;
        std::string bytes;  // "" for no file
        std::vector<test::LogLine> lines;
    };
    const Case cases[] = {
        {"missing", "", {{"missing uinterfc.bmp", 68}}},
        {"truncated", file.substr(0, 100000), {{"short uinterfc.bmp", 68}}},
        {"whole", file, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        if (!c.bytes.empty()) dir.write("UInterfc.BMP", c.bytes);
        Skin loaded;
        test::RecordingLog log;
        loadSkinFile(loaded, fs, dir.path(), langs, log.sink());
        EXPECT_EQ(log.lines, c.lines);
        EXPECT_EQ(loaded.skin[1], c.lines.empty() ? 1 : 0);
    }
}

int32_t randomCoordinate(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0:
            return int32_t(rng());
        case 1:
            return (rng() & 1) ? INT32_MAX - int32_t(rng() % 40) : INT32_MIN + int32_t(rng() % 40);
        default:
            return std::uniform_int_distribution<int32_t>(-60, 860)(rng);
    }
}

TEST(Skin, RandomArgumentsNeverLeaveTheTargetOrTheSkin) {
    auto skin = patternSkin();
    for (size_t i = 0; i < skin->skin.size(); i += 7) skin->skin[i] = kSkinTransparent;
    const Skin& s = *skin;
    ColorSettings settings;
    using Args = std::array<int32_t, 8>;
    std::mt19937 rng(5);
    auto randomArgs = [&] {
        Args a;
        for (int32_t& v : a) v = randomCoordinate(rng);
        return a;
    };
    const std::function<void(const Canvas&, const Args&)> onScreen[] = {
        [&](auto& cv, auto& a) { blitSkinOpaque(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
        [&](auto& cv, auto& a) { blitSkinTransparent(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
        [&](auto& cv, auto& a) {
            blitSkinTransparentShifted(cv, s, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
        },
        [&](auto& cv, auto& a) {
            blitSkinTranslucent(cv, s, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7] & 3);
        },
        [&](auto& cv, auto& a) { blitSkinShade(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
        [&](auto& cv, auto& a) { drawCheckBox(cv, s, a[0], a[1], a[2]); },
        [&](auto& cv, auto& a) { drawRadioButton(cv, s, a[0], a[1], a[2]); },
        [&](auto& cv, auto& a) { drawFrame(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
        [&](auto& cv, auto& a) { drawFrameStyle2(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
    };
    for (const auto& draw : onScreen) {
        DrawRig rig;
        for (int i = 0; i < 300; ++i) draw(rig.canvas, randomArgs());
        EXPECT_TRUE(rig.guardsIntact());
        EXPECT_TRUE(test::unchangedOutside(backgroundView(*rig.fb), 0, {}));
    }

    // Background and menu frames write what the screen frame writes, cut to their surface.
    struct Twin {
        std::function<void(const Canvas&, const Args&)> other, screen;
        bool menu;
    };
    const Twin twins[] = {
        {[&](auto& cv, auto& a) { drawFrameBg(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
         [&](auto& cv, auto& a) { drawFrame(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); }, false},
        {[&](auto& cv, auto& a) { drawFrameBgStyle2(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
         [&](auto& cv, auto& a) { drawFrameStyle2(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
         false},
        {[&](auto& cv, auto& a) { drawMenuFrame(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); },
         [&](auto& cv, auto& a) { drawFrame(cv, s, a[0], a[1], a[2], a[3], a[4], a[5]); }, true},
    };
    for (const Twin& t : twins) {
        DrawRig rig;
        for (int i = 0; i < 150; ++i) {
            const Args a = randomArgs();
            rig.clear(0);
            t.other(rig.canvas, a);
            t.screen(rig.canvas, a);
            ASSERT_TRUE(
                test::sameAsScreen(*rig.fb, t.menu ? menuView(*rig.fb) : backgroundView(*rig.fb)));
        }
    }
    // Background-only routines: the screen stays untouched, the sanitizers watch the buffer.
    DrawRig rig;
    for (int i = 0; i < 300; ++i) {
        const Args a = randomArgs();
        drawSkinSlider(rig.canvas, s, a[0], a[1], a[2], a[3] & 1);
        drawFilledPanelBg(rig.canvas, s, settings, a[0], a[1], a[2], a[3], a[4]);
    }
    EXPECT_TRUE(test::unchangedOutside(screenView(*rig.fb), 0, {}));
    std::vector<uint8_t> bytes(31 * 5, 0xEE);
    for (int i = 0; i < 300; ++i) {
        const Args a = randomArgs();
        blitSkinToRGB(s, *rig.colors, {bytes.data(), 31, 5}, a[0] % 20, a[1] % 20, a[2], a[3], a[4],
                      a[5]);
    }
    for (int row = 0; row < 5; ++row) EXPECT_EQ(bytes[row * 31 + 30], 0xEE);
}

}  // namespace
}  // namespace korvel
