// Checks the generated pictures, palette, start screen, default configuration and sound cues of
// the data folder by reading each file the way the program reads it.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace korvel {
namespace {

std::string dataFile(const std::string& name) {
    std::ifstream in(std::string(KORVEL_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le32(const std::string& s, size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

unsigned le16(const std::string& s, size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(s[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(s[at + 1])) << 8;
}

// ---------------------------------------------------------------- fonts

struct FontCase {
    const char* sheet;
    int width, height;  // of the sheet
    size_t fileSize;
    const char* widths;  // width file of a proportional font, or nullptr
};

class FontSheet : public testing::TestWithParam<FontCase> {};

// Reads a sheet as the loader does: from byte 62, bottom row first, rows padded to 32 bits.
std::vector<std::uint8_t> loadSheet(const std::string& file, int width, int height) {
    std::vector<std::uint8_t> sheet(static_cast<size_t>(width * height), 0);
    size_t pos = 62;
    const int stride = 4 * ((width + 31) / 32);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            auto byte = static_cast<unsigned char>(file[pos + static_cast<size_t>(x / 8)]);
            sheet[static_cast<size_t>(row * width + x)] = (byte & (0x80 >> (x % 8))) ? 255 : 0;
        }
        pos += static_cast<size_t>(stride);
    }
    return sheet;
}

TEST_P(FontSheet, EveryPrintableCodeHasInkWithinItsWidth) {
    const FontCase& f = GetParam();
    const std::string file = dataFile(f.sheet);
    ASSERT_EQ(file.size(), f.fileSize);
    ASSERT_EQ(file.substr(0, 2), "BM");
    const std::vector<std::uint8_t> sheet = loadSheet(file, f.width, f.height);
    const int cellW = f.width / 16, cellH = f.height / 14;

    std::string widths;
    if (f.widths) {
        widths = dataFile(f.widths);
        ASSERT_GE(widths.size(), 224u);
        for (int k = 0; k < 224; ++k) {
            ASSERT_TRUE(widths[static_cast<size_t>(k)] >= '0' && widths[static_cast<size_t>(k)] - '0' <= cellW)
                << "width of code " << k + 32;
        }
        EXPECT_GT(widths[0] - '0', 0) << "the space must advance";
        EXPECT_EQ(widths[160 - 32], widths[0]) << "code 160 is a blank like the space";
    }
    for (int code = 32; code < 256; ++code) {
        int ink = 0, rightmost = -1;
        for (int r = 0; r < cellH; ++r) {
            for (int x = 0; x < cellW; ++x) {
                int sx = (code % 16) * cellW + x, sy = (15 - code / 16) * cellH + r;
                if (sheet[static_cast<size_t>(sy * f.width + sx)]) {
                    ++ink;
                    rightmost = std::max(rightmost, x);
                }
            }
        }
        if (code == 32 || code == 160) {
            EXPECT_EQ(ink, 0) << f.sheet << " code " << code;
        } else {
            EXPECT_GT(ink, 0) << f.sheet << " code " << code;
        }
        if (f.widths) {
            EXPECT_LT(rightmost, widths[static_cast<size_t>(code - 32)] - '0')
                << f.sheet << ": ink of code " << code << " lies beyond its width";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, FontSheet,
                         testing::Values(FontCase{"mfnt4x6.bmp", 64, 84, 734, nullptr},
                                         FontCase{"mfnt7x11.bmp", 112, 154, 2526, nullptr},
                                         FontCase{"vfnt5x7.bmp", 80, 98, 1238, "vfnt5x7.wid"},
                                         FontCase{"vfnt8x11.bmp", 128, 154, 2526, "vfnt8x11.wid"}),
                         [](const testing::TestParamInfo<FontCase>& info) {
                             return std::string(info.param.sheet).substr(0, std::string(info.param.sheet).find('.'));
                         });

// ---------------------------------------------------------------- palette and start screen

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// Reads Palette.pal as the program does: lines split at CR, a leading LF dropped, colour k on
// line k + 4, fields separated by single blanks.
std::vector<Rgb> readPalette() {
    const std::string text = dataFile("Palette.pal");
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t cr = text.find('\r', start);
        std::string line = text.substr(start, cr == std::string::npos ? std::string::npos : cr - start);
        if (!line.empty() && line[0] == '\n') line.erase(0, 1);
        lines.push_back(line);
        if (cr == std::string::npos) break;
        start = cr + 1;
    }
    std::vector<Rgb> pal;
    for (size_t k = 0; k < 256 && k + 3 < lines.size(); ++k) {
        const std::string& l = lines[k + 3];
        size_t b1 = l.find(' '), b2 = l.find(' ', b1 + 1);
        if (b1 == std::string::npos || b2 == std::string::npos) break;
        pal.push_back({std::stoi(l.substr(0, b1)), std::stoi(l.substr(b1 + 1, b2 - b1 - 1)),
                       std::stoi(l.substr(b2 + 1))});
    }
    return pal;
}

int luma(const Rgb& c) { return 30 * c.r + 59 * c.g + 11 * c.b; }

TEST(DisplayPalette, HasTwentyOneRampsFromDarkToLight) {
    const std::vector<Rgb> pal = readPalette();
    ASSERT_EQ(pal.size(), 256u);
    for (const Rgb& c : pal) {
        for (int v : {c.r, c.g, c.b}) ASSERT_TRUE(v >= 0 && v <= 255);
    }
    // Highlights add 2 and the interface adds shades to a ramp's base, so within every ramp
    // each shade must be lighter than the one before.
    for (int ramp = 0; ramp < 21; ++ramp) {
        for (int s = 1; s < 12; ++s) {
            EXPECT_GT(luma(pal[static_cast<size_t>(ramp * 12 + s)]), luma(pal[static_cast<size_t>(ramp * 12 + s - 1)]))
                << "ramp " << ramp << " shade " << s;
        }
    }
    EXPECT_EQ(pal[0], (Rgb{0, 0, 0})) << "colour 0 is the shadow of every text";
    // Light text colours of the start-up log and the lists must stand out on black.
    for (int light : {20, 44, 68, 83, 106, 238}) EXPECT_GT(luma(pal[static_cast<size_t>(light)]), 100 * 140) << light;
}

TEST(StartScreen, IsAnImageOfTheDisplayPalette) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName((std::string(KORVEL_DATA_DIR) + "/mainscr.gif").c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    EXPECT_EQ(gif->SWidth, 800);
    EXPECT_EQ(gif->SHeight, 600);
    ASSERT_GE(gif->ImageCount, 1);
    const ColorMapObject* map = gif->SColorMap ? gif->SColorMap : gif->SavedImages[0].ImageDesc.ColorMap;
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(map->ColorCount, 256);
    const std::vector<Rgb> pal = readPalette();
    ASSERT_EQ(pal.size(), 256u);
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ((Rgb{map->Colors[k].Red, map->Colors[k].Green, map->Colors[k].Blue}), pal[static_cast<size_t>(k)])
            << "colour " << k;
    }
    // The start-up log and the information page write at the left: keep it dark there.
    const SavedImage& image = gif->SavedImages[0];
    ASSERT_EQ(image.ImageDesc.Width, 800);
    long brightPixels = 0;
    for (int y = 16; y < 600; ++y) {
        for (int x = 0; x < 400; ++x) {
            if (luma(pal[image.RasterBits[y * 800 + x]]) > 100 * 60) ++brightPixels;
        }
    }
    EXPECT_EQ(brightPixels, 0);
    DGifCloseFile(gif, &error);
}

// ---------------------------------------------------------------- skin

struct SkinRect {
    const char* what;
    int x, y, w, h;
    bool opaque;  // copied without transparency
    int lowest, highest;  // allowed palette indices, besides 255 where transparency is allowed
};

std::vector<SkinRect> skinRects() {
    std::vector<SkinRect> r = {
        {"check box clear", 110, 498, 14, 14, true, 0, 254},
        {"check box checked", 124, 498, 14, 14, true, 0, 254},
        {"check box third", 66, 476, 14, 14, true, 0, 254},
        {"radio off", 110, 484, 14, 14, false, 0, 254},
        {"radio on", 124, 484, 14, 14, false, 0, 254},
        {"frame style 1", 138, 497, 15, 15, true, 0, 11},
        {"frame style 2", 138, 437, 15, 15, true, 0, 11},
        {"menu choice", 384, 102, 12, 12, true, 0, 11},
        {"menu empty", 396, 102, 12, 12, true, 0, 11},
        {"menu tick", 408, 102, 12, 12, true, 0, 11},
        {"cursor arrow", 0, 488, 17, 24, false, 0, 11},
        {"cursor cross", 18, 487, 25, 25, false, 0, 11},
        {"cursor move", 18, 461, 25, 25, false, 0, 11},
        {"cursor rotate", 18, 441, 25, 19, false, 0, 11},
        {"cursor scale", 18, 415, 25, 25, false, 0, 11},
        {"cursor busy", 44, 488, 21, 24, false, 0, 11},
        {"cursor beam", 0, 470, 7, 17, false, 0, 11},
        {"cursor value drag", 0, 452, 17, 17, false, 0, 11},
        {"cursor horizontal handle", 18, 405, 25, 9, false, 0, 11},
        {"cursor vertical handle", 0, 426, 9, 25, false, 0, 11},
        {"badge add", 44, 476, 11, 11, false, 0, 254},
        {"badge toggle", 44, 464, 11, 11, false, 0, 254},
        {"face normal", 66, 490, 22, 22, true, 72, 83},
        {"face pressed", 88, 490, 22, 22, true, 72, 83},
        {"minimise", 99, 472, 12, 12, true, 0, 11},
        {"minimise hovered", 99, 460, 12, 12, true, 0, 11},
        {"quit", 111, 472, 12, 12, true, 0, 11},
        {"quit hovered", 111, 460, 12, 12, true, 0, 11},
        {"history", 80, 449, 11, 11, true, 0, 11},
        {"history hovered", 91, 449, 11, 11, true, 0, 11},
        {"keyboard first", 123, 472, 15, 12, true, 0, 254},
        {"keyboard second", 123, 460, 15, 12, true, 0, 254},
        {"report icon 1", 102, 432, 12, 12, false, 0, 254},
        {"report icon 2", 102, 420, 12, 12, false, 0, 254},
        {"statistics lit", 106, 452, 8, 8, true, 0, 11},
        {"statistics unlit", 106, 444, 8, 8, true, 0, 11},
        {"export wall mark", 93, 440, 9, 9, false, 0, 254},
        {"export sprite mark", 93, 431, 9, 9, false, 0, 254},
        {"pad 1", 114, 436, 24, 24, false, 0, 8},
        {"pad 2", 114, 412, 24, 24, false, 0, 8},
        {"pad 3", 114, 388, 24, 24, false, 0, 8},
        {"pad 4", 114, 364, 24, 24, false, 0, 8},
        {"drag handle", 80, 475, 15, 15, true, 0, 254},
        {"drag handle hovered", 80, 460, 15, 15, true, 0, 254},
    };
    for (int row : {287, 302, 317, 332, 362, 377, 407, 422, 467, 482}) {
        r.push_back({"column 138 block", 138, row, 15, 15, true, 0, 254});
    }
    for (int code = 0; code < 256; ++code) {
        r.push_back({"toolbar icon", 153 + 16 * (code / 16), 496 - 16 * (code % 16), 16, 16, false, 0, 254});
    }
    return r;
}

std::vector<int> toolbarCodes() {
    std::vector<int> codes = {0, 1, 2, 3, 4, 5, 16, 18, 19, 20, 21};
    for (int c = 32; c <= 135; ++c) codes.push_back(c);
    for (int c = 144; c <= 170; ++c) codes.push_back(c);
    return codes;
}

class Skin : public testing::Test {
protected:
    void SetUp() override {
        file = dataFile("uinterfc.bmp");
        ASSERT_EQ(file.size(), 263222u);
        ASSERT_EQ(le32(file, 18), 512u);
        ASSERT_EQ(le32(file, 22), 512u);
        ASSERT_EQ(le16(file, 28), 8u);
    }
    int at(int x, int y) const { return static_cast<unsigned char>(file[1078 + static_cast<size_t>(y * 512 + x)]); }
    std::vector<int> pixels(const SkinRect& r) const {
        std::vector<int> p;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) p.push_back(at(x, y));
        return p;
    }
    std::string file;
};

TEST_F(Skin, EveryRectangleHoldsArtInItsColours) {
    for (const SkinRect& r : skinRects()) {
        SCOPED_TRACE(std::string(r.what) + " at " + std::to_string(r.x) + "," + std::to_string(r.y));
        ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= 512 && r.y + r.h <= 512);
        int drawn = 0;
        for (int v : pixels(r)) {
            if (v == 255) {
                EXPECT_FALSE(r.opaque) << "an opaque element holds the transparent value";
                continue;
            }
            ++drawn;
            EXPECT_TRUE(v >= r.lowest && v <= r.highest) << "value " << v;
        }
        EXPECT_GT(drawn, 0) << "wholly transparent";
    }
}

TEST_F(Skin, RectanglesDoNotOverlap) {
    const std::vector<SkinRect> rects = skinRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const SkinRect &a = rects[i], &b = rects[j];
            bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << a.what << " at " << a.x << "," << a.y << " overlaps " << b.what << " at " << b.x
                               << "," << b.y;
        }
    }
}

TEST_F(Skin, EveryToolbarButtonHasAnIconOfItsOwn) {
    // Cell 6 is never on a toolbar row, so it shows the neutral mark.
    const SkinRect neutral{"neutral", 153, 496 - 16 * 6, 16, 16, false, 0, 254};
    const std::vector<int> mark = pixels(neutral);
    std::vector<std::vector<int>> seen;
    for (int code : toolbarCodes()) {
        const std::vector<int> icon = pixels({"icon", 153 + 16 * (code / 16), 496 - 16 * (code % 16), 16, 16, false, 0, 0});
        EXPECT_NE(icon, mark) << "code " << code << " shows the neutral mark";
        for (const auto& other : seen) EXPECT_NE(icon, other) << "code " << code << " repeats another icon";
        seen.push_back(icon);
        long drawn = std::count_if(icon.begin(), icon.end(), [](int v) { return v != 255; });
        EXPECT_GE(drawn, 30) << "code " << code;
    }
    EXPECT_EQ(seen.size(), 142u);
}

// ---------------------------------------------------------------- default configuration

TEST(DefaultConfiguration, HoldsEverySettingInOrderAndAnEmptyRecentList) {
    const std::vector<std::string> keys = {
        "2colorbl", "affgmode", "affgrx_x", "affgrx_y", "affgrx_1", "affgry_x", "affgry_y", "affgry_1", "alterfps",
        "alterpal", "autogrid", "autosdel", "autostmv", "awallsqr", "buttonhl", "ceilview", "conststl", "drawsvlm",
        "drwtaglm", "efonexit", "ensounds", "frmdelay", "fullscrn", "gridspac", "guicolor", "kbswmode", "language",
        "limitcpu", "ltoninit", "maxautos", "mpinterp", "mpshadow", "recentno", "refreshr", "repdelay", "repstart",
        "rlupdate", "rselmode", "sectfull", "sectorhl", "show_fps", "showgrid", "showspri", "showtime", "showtips",
        "showvert", "showwall", "shsparks", "smallimg", "smoothln", "snaptogr", "sparkmod", "sprifull", "sprinumb",
        "sprioffs", "spriorie", "spritags", "texgamma", "trnsgrid", "vsnapdst", "wallvect", "wlsttags", "zrangell",
        "zrangemd", "zrangeof", "zrangeul", "sct_ign1", "sct_ign2", "sct_meas", "sct_serv", "sct_spri", "sct_temp",
        "sct_uibb", "sct_uibt", "sct_uihl", "sct_vert", "sct_view", "sctgrid1", "sctgrid2", "sctgslab", "sctsecth",
        "sctsprib", "sctstart", "sctuials", "sctuiamb", "sctuiamt", "sctuibkg", "sctuibtc", "sctuibut", "sctuiina",
        "sctuiln1", "sctuiln2", "sctuiln3", "sctuimt1", "sctuimt2", "sctuishd", "sctuitbb", "sctuitbe", "sctuitbt",
        "sctuitxt", "sctwall1", "sctwall2", "sctwallb", "sctwalls", "sctwlab1", "sctwlab2"};
    ASSERT_EQ(keys.size(), 106u);
    const std::string text = dataFile("default.cfg");
    ASSERT_GE(text.size(), 3u);
    EXPECT_EQ(text.substr(text.size() - 3), "eof") << "no line end after the end mark";
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "every line ends in CR LF";
    ASSERT_EQ(lines.size(), 106u + 1 + 15 + 1);
    std::map<std::string, long> value;
    for (size_t i = 0; i < keys.size(); ++i) {
        ASSERT_GT(lines[i].size(), 8u);
        EXPECT_EQ(lines[i].substr(0, 8), keys[i]);
        size_t used = 0;
        value[keys[i]] = std::stol(lines[i].substr(8), &used);
        EXPECT_EQ(used, lines[i].size() - 8) << lines[i];
    }
    EXPECT_EQ(lines[106], "recent:");
    for (size_t i = 107; i < 122; ++i) EXPECT_EQ(lines[i], "");
    EXPECT_EQ(lines[122], "eof");

    EXPECT_EQ(value["texgamma"], 1000);
    EXPECT_EQ(value["language"], 0);
    EXPECT_EQ(value["guicolor"] % 12, 0);
    const long grid = value["gridspac"];
    EXPECT_TRUE(grid > 0 && (grid & (grid - 1)) == 0);
    EXPECT_GT(value["repstart"], 0);
    EXPECT_GT(value["repdelay"], 0);
    EXPECT_GT(value["autosdel"], 0);
    EXPECT_GE(value["maxautos"], 1);
    EXPECT_NE(value["affgrx_x"] * value["affgry_y"] - value["affgrx_y"] * value["affgry_x"], 0)
        << "the affine grid axes are parallel";
    EXPECT_LT(value["zrangell"], value["zrangeul"]);
    // Shades added to guicolor stay inside the interface ramp.
    for (const char* key : {"sct_uihl", "sctuishd", "sctuiamb", "sctuiamt", "sctuibkg", "sctuiina"}) {
        EXPECT_TRUE(value[key] >= 0 && value[key] <= 11) << key;
    }
    // The bottom strips shade their base by -2 to +3 and write text at +8 (+9 for the third).
    for (const char* key : {"sctuiln1", "sctuiln2"}) {
        EXPECT_TRUE(value[key] % 12 == 2 || value[key] % 12 == 3) << key;
    }
    EXPECT_EQ(value["sctuiln3"] % 12, 2);
    for (size_t i = 66; i < keys.size(); ++i) EXPECT_TRUE(value[keys[i]] >= 0 && value[keys[i]] <= 255) << keys[i];
}

// ---------------------------------------------------------------- sound cues

TEST(SoundCues, AreShortPlayableWaveFiles) {
    for (const char* cue : {"command", "mode1", "mode2", "mode3", "beep1", "beep2", "beep3", "discont", "contact",
                            "cancel", "pyro", "spriexpl", "sectexpl", "message1"}) {
        SCOPED_TRACE(cue);
        const std::string wav = dataFile(std::string(cue) + ".wav");
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(le32(wav, 4), wav.size() - 8);
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le16(wav, 20), 1u) << "PCM";
        const unsigned channels = le16(wav, 22), bits = le16(wav, 34);
        const std::uint32_t rate = le32(wav, 24);
        EXPECT_EQ(le32(wav, 28), rate * channels * bits / 8);
        EXPECT_EQ(wav.substr(36, 4), "data");
        const std::uint32_t data = le32(wav, 40);
        EXPECT_EQ(data, wav.size() - 44);
        EXPECT_LT(data, rate * channels * bits / 8) << "a cue lasts less than a second";
        int peak = 0;
        for (size_t i = 44; i + 1 < wav.size(); i += 2) {
            int s = static_cast<std::int16_t>(le16(wav, i));
            peak = std::max(peak, s < 0 ? -s : s);
        }
        EXPECT_GT(peak, 3000) << "audible";
    }
}

}  // namespace
}  // namespace korvel
