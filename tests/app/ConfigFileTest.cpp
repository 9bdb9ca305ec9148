#include "app/ConfigFile.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "platform/NativeFileSystem.h"
#include "support/TempFolder.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"

namespace korvel {
namespace {

// The three homes of the settings, with every value zero unless a test sets it.
struct Config {
    Settings settings;
    ColorSettings colors;
    Languages langs;
    RecentFiles recent;
    ConfigTarget target{settings, colors, langs};

    Config() {
        for (int32_t i = 0; i < kConfigKeyCount; ++i) setConfigValue(target, i, 0);
    }
    std::array<int32_t, kConfigKeyCount> values() const {
        std::array<int32_t, kConfigKeyCount> v{};
        for (int32_t i = 0; i < kConfigKeyCount; ++i) v[size_t(i)] = configValue(target, i);
        return v;
    }
};

int32_t keyOf(std::string_view key) {
    for (int32_t i = 0; i < kConfigKeyCount; ++i)
        if (configKey(i) == key) return i;
    ADD_FAILURE() << "no key " << key;
    return -1;
}

TEST(ConfigFile, KeysStandInTheFileOrderWithTheirHomes) {
    // The general keys are alphabetical but for the two "_1" keys; the colour keys are sorted.
    EXPECT_EQ(configKey(0), "2colorbl");
    EXPECT_EQ(configKey(4), "affgrx_1");
    EXPECT_EQ(configKey(7), "affgry_1");
    EXPECT_EQ(configKey(65), "zrangeul");
    EXPECT_EQ(configKey(66), "sct_ign1");
    EXPECT_EQ(configKey(105), "sctwlab2");
    for (int32_t i = kGeneralConfigKeys + 1; i < kConfigKeyCount; ++i)
        EXPECT_LT(configKey(i - 1), configKey(i));

    Config c;
    setConfigValue(c.target, keyOf("guicolor"), 300);
    setConfigValue(c.target, keyOf("language"), -7);
    setConfigValue(c.target, keyOf("sct_ign1"), 9);
    setConfigValue(c.target, keyOf("repstart"), 123456);
    EXPECT_EQ(c.colors.guiColor, 44);
    EXPECT_EQ(c.langs.languageIndex, -7);
    EXPECT_EQ(c.colors.colorFiltered, 9);
    EXPECT_EQ(c.settings.repeatStart, 123456);
}

TEST(ConfigFile, EverySettingAndTheRecentListRoundTrip) {
    TempFolder dir;
    NativeFileSystem fs;
    Config written;
    for (int32_t i = 0; i < kConfigKeyCount; ++i)
        setConfigValue(written.target, i, configKeyIsByte(i) ? (i * 7 + 3) % 256 : -100000 * i - 1);
    for (size_t n = 0; n < 3; ++n)
        written.recent[n] = dir.write("maps/m" + std::to_string(n) + " with blank.map", "x");
    ASSERT_TRUE(writeConfigFile(written.target, written.recent, fs, dir.path()));

    Config read;
    EXPECT_EQ(readConfigFile(read.target, read.recent, fs, dir.path()), ConfigSource::UserFile);
    EXPECT_EQ(read.values(), written.values());
    EXPECT_EQ(read.recent, written.recent);
    const std::string text = dir.read("korvel.cfg");
    EXPECT_EQ(text.substr(text.size() - 5), "\r\neof");
}

TEST(ConfigFile, ParsingCases) {
    struct Case {
        const char* name;
        std::string text;
        const char* key;
        std::optional<int32_t> value;  // as stored; none: the setting keeps its value
    };
    const Case cases[] = {
        {"a byte keeps the low 8 bits", "ensounds300\r\n", "ensounds", 44},
        {"a negative byte", "ensounds-1\r\n", "ensounds", 255},
        {"a negative 32-bit value", "zrangell-2048\r\n", "zrangell", -2048},
        {"upper-case key ignored", "SHOWGRID1\r\n", "showgrid", std::nullopt},
        {"key without a value", "showgrid\r\n", "showgrid", std::nullopt},
        {"the later line wins", "frmdelay5\r\nfrmdelay7\r\n", "frmdelay", 7},
        {"LF-only text is one line", "frmdelay5\nfrmdelay7\n", "frmdelay", std::nullopt},
        {"no line end after the last line", "frmdelay5", "frmdelay", 5},
        {"a value that is no number", "frmdelay5x\r\n", "frmdelay", std::nullopt},
        {"a value beyond 32 bits", "frmdelay99999999999\r\n", "frmdelay", std::nullopt},
        {"the 32-bit limits", "zrangell-2147483648\r\n", "zrangell", INT32_MIN},
        {"eof and empty lines", "\r\neof\r\n\r\nfrmdelay4\r\n", "frmdelay", 4},
        {"lines after the recent block", "recent:\r\n" + std::string(15, '\r') + "frmdelay4",
         "frmdelay", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NativeFileSystem fs;
        Config cfg;
        const int32_t key = keyOf(c.key);
        setConfigValue(cfg.target, key, 77);
        applyConfigText(parseConfigText(c.text), cfg.target, cfg.recent, fs);
        EXPECT_EQ(configValue(cfg.target, key), c.value.value_or(77));
    }
}

TEST(ConfigFile, RecentListDropsMissingFilesAndReadsAShortBlockSafely) {
    TempFolder dir;
    NativeFileSystem fs;
    const std::string a = dir.write("a.map", "x"), c = dir.write("c.map", "x");
    const std::string b = dir.file("b.map");  // missing
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> expected;  // the first slots; the rest are empty
    };
    const Case cases[] = {
        {"a missing file moves the rest up",
         "recent:\r\n" + a + "\r\n" + b + "\r\n" + c + "\r\n" + std::string(12, '\r') + "\neof",
         {a, c}},
        {"cleaning stops at the first empty slot",
         "recent:\r\n" + a + "\r\n\r\n" + b + "\r\n" + std::string(12, '\r') + "\neof",
         {a, "", b}},
        {"a block cut short", "recent:\r\n" + a + "\r\neof", {a}},
        {"a block cut short without an end mark", "recent:\r\n" + c, {c}},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.name);
        Config cfg;
        cfg.recent.fill("stale");
        applyConfigText(parseConfigText(cs.text), cfg.target, cfg.recent, fs);
        RecentFiles expected;
        std::copy(cs.expected.begin(), cs.expected.end(), expected.begin());
        EXPECT_EQ(cfg.recent, expected);
    }
    Config untouched;
    untouched.recent[0] = a;
    applyConfigText(parseConfigText("frmdelay3\r\n"), untouched.target, untouched.recent, fs);
    EXPECT_EQ(untouched.recent[0], a) << "a file without a recent block leaves the list alone";
}

TEST(ConfigFile, BuiltInDefaultsAreTheShippedDefaultFile) {
    NativeFileSystem fs;
    const std::string shipped = *fs.readAll(joinPath(KORVEL_DATA_DIR, "default.cfg"));
    Config builtIn;
    applyBuiltInDefaults(builtIn.target);
    EXPECT_EQ(formatConfigText(builtIn.target, RecentFiles{}), shipped);

    Config fromFile;
    applyConfigText(parseConfigText(shipped), fromFile.target, fromFile.recent, fs);
    EXPECT_EQ(fromFile.values(), builtIn.values());
    EXPECT_EQ(builtIn.settings.frameDelay, 10);
    EXPECT_EQ(builtIn.colors.guiColor, 72);
}

TEST(ConfigFile, UserFileElseDefaultFileElseSettingsStay) {
    TempFolder dir;
    NativeFileSystem fs;
    Config c;
    applyBuiltInDefaults(c.target);
    EXPECT_EQ(readConfigFile(c.target, c.recent, fs, dir.path()), ConfigSource::BuiltIn);
    EXPECT_EQ(c.settings.repeatStart, 400);

    dir.write("default.cfg", "repstart500\r\n");
    EXPECT_EQ(readConfigFile(c.target, c.recent, fs, dir.path()), ConfigSource::DefaultFile);
    EXPECT_EQ(c.settings.repeatStart, 500);

    dir.write("korvel.cfg", "repstart600\r\n");
    EXPECT_EQ(readConfigFile(c.target, c.recent, fs, dir.path()), ConfigSource::UserFile);
    EXPECT_EQ(c.settings.repeatStart, 600);
}

// Every write fails.
class ReadOnlyFileSystem : public NativeFileSystem {
public:
    bool writeAtomic(const std::string&, const std::string&) override { return false; }
};

TEST(ConfigFile, WriteReportsFailureAndKeepsTheOldFile) {
    TempFolder dir;
    dir.write("korvel.cfg", "old");
    ReadOnlyFileSystem fs;
    Config c;
    EXPECT_FALSE(writeConfigFile(c.target, c.recent, fs, dir.path()));
    EXPECT_EQ(dir.read("korvel.cfg"), "old");
    NativeFileSystem real;
    EXPECT_FALSE(writeConfigFile(c.target, c.recent, real, dir.file("no/such/folder")));
}

}  // namespace
}  // namespace korvel
