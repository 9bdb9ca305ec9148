// The data folder the build generates must load through the program's own loaders without a
// single problem line in the start-up log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "base/Random.h"
#include "platform/NativeFileSystem.h"
#include "resources/ColorTables.h"
#include "resources/Palettes.h"
#include "support/RecordingMapEvents.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/Languages.h"
#include "ui/Skin.h"
#include "ui/StartScreen.h"

namespace korvel {
namespace {

struct LogLine {
    std::string text;
    uint8_t colour;
};

TEST(GeneratedDataFolder, LoadsWithoutAProblemLine) {
    NativeFileSystem fs;
    const std::string data = KORVEL_DATA_DIR;
    std::vector<LogLine> log;
    const BootLogSink sink = [&log](const std::string& text, uint8_t colour) {
        log.push_back({text, colour});
    };

    auto fb = std::make_unique<FrameBuffer>();
    const auto screen = loadStartScreen(*fb, fs, joinPath(data, "mainscr.gif"));
    ASSERT_TRUE(screen.ok) << screen.error;

    auto fonts = std::make_unique<Fonts>();
    const auto sheets = loadFontSheets(*fonts, fs, data);
    for (size_t i = 0; i < sheets.size(); ++i)
        EXPECT_EQ(sheets[i], LoadStatus::Loaded) << kFontSheetFiles[i];

    Languages langs;
    Random random{1};
    std::string status;
    loadLanguages(langs, fs, data, "", random, status);
    ASSERT_GE(langs.languageCount(), 1);
    EXPECT_EQ(langs.languages[langs.currentLanguage].name, "English");
    EXPECT_FALSE(status.empty());
    reportFontSheets(sheets, langs, sink);

    loadGlyphWidthFiles(*fonts, fs, data, langs, sink);
    auto skin = std::make_unique<Skin>();
    loadSkinFile(*skin, fs, data, langs, sink);

    test::RecordingMapEvents events;
    auto colors = std::make_unique<ColorTables>();
    EXPECT_TRUE(loadDisplayPalette(*colors, fs, events, data));
    EXPECT_TRUE(events.bootLog.empty());

    for (const auto& line : log) ADD_FAILURE() << "log line: " << line.text;
}

}  // namespace
}  // namespace korvel
