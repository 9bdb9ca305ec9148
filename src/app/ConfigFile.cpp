#include "app/ConfigFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "app/Settings.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "ui/ColorSettings.h"
#include "ui/Languages.h"

namespace korvel {

namespace {

// Where a general key's value lives: a byte or 32-bit member of Settings, or one of the two
// settings kept with the colours and the languages.
enum class Home : uint8_t { Byte, Word, GuiColor, Language };

struct GeneralKey {
    const char* key;
    Home home;
    uint8_t Settings::*byteField;
    int32_t Settings::*wordField;
};

constexpr GeneralKey b(const char* key, uint8_t Settings::*field) {
    return {key, Home::Byte, field, nullptr};
}
constexpr GeneralKey w(const char* key, int32_t Settings::*field) {
    return {key, Home::Word, nullptr, field};
}

// Alphabetical, except that each "_1" key follows its row's "_y" key.
constexpr GeneralKey kGeneralKeys[kGeneralConfigKeys] = {
    b("2colorbl", &Settings::twoColorBlend),
    w("affgmode", &Settings::affineGridMode),
    w("affgrx_x", &Settings::affineGridXx),
    w("affgrx_y", &Settings::affineGridXy),
    w("affgrx_1", &Settings::affineGridX1),
    w("affgry_x", &Settings::affineGridYx),
    w("affgry_y", &Settings::affineGridYy),
    w("affgry_1", &Settings::affineGridY1),
    b("alterfps", &Settings::alternateFps),
    b("alterpal", &Settings::alternatePalette),
    b("autogrid", &Settings::autoGrid),
    w("autosdel", &Settings::autosaveDelay),
    b("autostmv", &Settings::autoTextureMove),
    b("awallsqr", &Settings::autoWallSquare),
    b("buttonhl", &Settings::buttonHighlight),
    b("ceilview", &Settings::ceilingView),
    b("conststl", &Settings::constantSpriteSize),
    w("drawsvlm", &Settings::spriteZoomLimit),
    w("drwtaglm", &Settings::tagDrawLimit),
    b("efonexit", &Settings::exitEffect),
    b("ensounds", &Settings::enableSounds),
    w("frmdelay", &Settings::frameDelay),
    b("fullscrn", &Settings::fullScreen),
    w("gridspac", &Settings::gridSpacing),
    {"guicolor", Home::GuiColor, nullptr, nullptr},
    b("kbswmode", &Settings::layoutSwitchKeys),
    {"language", Home::Language, nullptr, nullptr},
    b("limitcpu", &Settings::limitCpu),
    b("ltoninit", &Settings::loadTilesOnInit),
    w("maxautos", &Settings::maxAutosaves),
    b("mpinterp", &Settings::pointerInterpolation),
    b("mpshadow", &Settings::pointerShadow),
    b("recentno", &Settings::recentNamesOnly),
    b("refreshr", &Settings::refreshRate),
    w("repdelay", &Settings::repeatDelay),
    w("repstart", &Settings::repeatStart),
    b("rlupdate", &Settings::realtimeUpdate),
    b("rselmode", &Settings::regionSelectMode),
    b("sectfull", &Settings::sectorsFull),
    b("sectorhl", &Settings::sectorHighlight),
    b("show_fps", &Settings::showFps),
    b("showgrid", &Settings::showGrid),
    b("showspri", &Settings::showSprites),
    b("showtime", &Settings::showTime),
    b("showtips", &Settings::showTips),
    b("showvert", &Settings::showVertices),
    b("showwall", &Settings::showWalls),
    b("shsparks", &Settings::showSparks),
    b("smallimg", &Settings::smallImages),
    b("smoothln", &Settings::smoothLines),
    b("snaptogr", &Settings::snapToGrid),
    b("sparkmod", &Settings::sparkMode),
    b("sprifull", &Settings::spritesFull),
    b("sprinumb", &Settings::spriteNumbers),
    b("sprioffs", &Settings::spriteOffsets),
    b("spriorie", &Settings::spriteOrientation),
    b("spritags", &Settings::spriteTags),
    w("texgamma", &Settings::textureGamma),
    b("trnsgrid", &Settings::transparentGrid),
    w("vsnapdst", &Settings::vertexSnapDistance),
    b("wallvect", &Settings::wallVectors),
    b("wlsttags", &Settings::wallTags),
    w("zrangell", &Settings::zRangeLow),
    b("zrangemd", &Settings::zRangeMode),
    w("zrangeof", &Settings::zRangeOffset),
    w("zrangeul", &Settings::zRangeHigh),
};

constexpr int32_t kColourKeys = kConfigKeyCount - kGeneralConfigKeys;
static_assert(kColourKeys == kColorSettingCount);

// The colour settings in the order of the file: sorted by key.
const std::array<int32_t, kColourKeys>& colourKeyOrder() {
    static const std::array<int32_t, kColourKeys> order = [] {
        std::array<int32_t, kColourKeys> o{};
        for (int32_t i = 0; i < kColourKeys; ++i) o[size_t(i)] = i;
        std::sort(o.begin(), o.end(), [](int32_t a, int32_t c) {
            return std::strcmp(kColorSettingKeys[size_t(a)], kColorSettingKeys[size_t(c)]) < 0;
        });
        return o;
    }();
    return order;
}

// Colour settings of a first start, by setting number.
constexpr std::array<uint8_t, kColorSettingCount> kDefaultColours = {
    26, 182, 184, 101, 21, 4, 160, 9,   126, 138, 90, 42, 18, 66, 103, 69, 153, 178, 57, 213,
    3,  6,   1,   82,  8,  0, 5,   188, 38,  182, 74, 82, 69, 0,  76,  83, 73,  74,  71, 0};

// -1 when the eight characters are no key.
int32_t keyIndex(std::string_view key) {
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> k;
        for (int32_t i = 0; i < kConfigKeyCount; ++i) k.push_back(configKey(i));
        return k;
    }();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == key) return int32_t(i);
    return -1;
}

// A signed decimal integer that fits 32 bits, blanks around it allowed.
std::optional<int32_t> decimalValue(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 11) return std::nullopt;
    int64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(v);
}

std::string_view withoutLeadingLf(std::string_view piece) {
    if (!piece.empty() && piece.front() == '\n') piece.remove_prefix(1);
    return piece;
}

}  // namespace

std::string_view configKey(int32_t i) {
    if (i < 0 || i >= kConfigKeyCount) return {};
    if (i < kGeneralConfigKeys) return kGeneralKeys[i].key;
    return kColorSettingKeys[size_t(colourKeyOrder()[size_t(i - kGeneralConfigKeys)])];
}

bool configKeyIsByte(int32_t i) {
    if (i < 0 || i >= kConfigKeyCount) return false;
    if (i >= kGeneralConfigKeys) return true;
    const Home h = kGeneralKeys[i].home;
    return h == Home::Byte || h == Home::GuiColor;
}

int32_t configValue(const ConfigTarget& t, int32_t i) {
    if (i < 0 || i >= kConfigKeyCount) return 0;
    if (i >= kGeneralConfigKeys)
        return getColorSetting(t.colors, colourKeyOrder()[size_t(i - kGeneralConfigKeys)]);
    const GeneralKey& k = kGeneralKeys[i];
    switch (k.home) {
        case Home::Byte:
            return t.settings.*k.byteField;
        case Home::Word:
            return t.settings.*k.wordField;
        case Home::GuiColor:
            return t.colors.guiColor;
        case Home::Language:
            return t.langs.languageIndex;
    }
    return 0;
}

void setConfigValue(const ConfigTarget& t, int32_t i, int32_t value) {
    if (i < 0 || i >= kConfigKeyCount) return;
    const auto low = uint8_t(uint32_t(value) & 0xFF);
    if (i >= kGeneralConfigKeys) {
        setColorSetting(t.colors, colourKeyOrder()[size_t(i - kGeneralConfigKeys)], low);
        return;
    }
    const GeneralKey& k = kGeneralKeys[i];
    switch (k.home) {
        case Home::Byte:
            t.settings.*k.byteField = low;
            break;
        case Home::Word:
            t.settings.*k.wordField = value;
            break;
        case Home::GuiColor:
            t.colors.guiColor = low;
            break;
        case Home::Language:
            t.langs.languageIndex = value;
            break;
    }
}

ConfigText parseConfigText(std::string_view text) {
    ConfigText out;
    std::vector<std::string_view> pieces;
    for (size_t start = 0; start < text.size();) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, cr - start));
        start = cr + 1;
    }
    for (size_t i = 0; i < pieces.size(); ++i) {
        const std::string_view piece = withoutLeadingLf(pieces[i]);
        if (piece == "recent:") {
            RecentFiles recent;
            for (size_t n = 0; n < recent.size() && i + 1 + n < pieces.size(); ++n) {
                const std::string_view path = withoutLeadingLf(pieces[i + 1 + n]);
                // A block cut short ends at the end mark: the slots after it stay empty.
                if (path == "eof" && i + 1 + n + 1 == pieces.size()) break;
                recent[n] = std::string(path);
            }
            out.recent = std::move(recent);
            break;
        }
        if (piece.size() <= 8) continue;
        const int32_t key = keyIndex(piece.substr(0, 8));
        if (key < 0) continue;
        if (const auto value = decimalValue(piece.substr(8))) out.values[size_t(key)] = *value;
    }
    return out;
}

void applyConfigText(const ConfigText& config, const ConfigTarget& target, RecentFiles& recent,
                     FileSystem& fs) {
    for (int32_t i = 0; i < kConfigKeyCount; ++i)
        if (config.values[size_t(i)]) setConfigValue(target, i, *config.values[size_t(i)]);
    if (!config.recent) return;
    recent = *config.recent;
    for (size_t n = 0; n < recent.size() && !recent[n].empty();) {
        if (fs.fileExists(recent[n])) {
            ++n;
            continue;
        }
        std::move(recent.begin() + std::ptrdiff_t(n) + 1, recent.end(),
                  recent.begin() + std::ptrdiff_t(n));
        recent.back().clear();
    }
}

std::string formatConfigText(const ConfigTarget& target, const RecentFiles& recent) {
    std::string out;
    out.reserve(2048);
    for (int32_t i = 0; i < kConfigKeyCount; ++i) {
        out += configKey(i);
        out += std::to_string(configValue(target, i));
        out += "\r\n";
    }
    out += "recent:\r\n";
    for (const std::string& path : recent) {
        out += path;
        out += "\r\n";
    }
    out += "eof";
    return out;
}

void applyBuiltInDefaults(const ConfigTarget& target) {
    target.settings = Settings{};
    for (int32_t c = 0; c < kColorSettingCount; ++c)
        setColorSetting(target.colors, c, kDefaultColours[size_t(c)]);
    target.colors.guiColor = kDefaultGuiColor;
    target.langs.languageIndex = kDefaultLanguageIndex;
}

ConfigSource readConfigFile(const ConfigTarget& target, RecentFiles& recent, FileSystem& fs,
                            const std::string& dataFolder) {
    const std::string user = joinPath(dataFolder, kConfigFileName);
    ConfigSource source = ConfigSource::UserFile;
    std::string path = user;
    if (!fs.fileExists(user)) {
        path = joinPath(dataFolder, kDefaultConfigFileName);
        source = fs.fileExists(path) ? ConfigSource::DefaultFile : ConfigSource::BuiltIn;
    }
    if (source == ConfigSource::BuiltIn) return source;
    applyConfigText(parseConfigText(fsoReadFile(fs, path)), target, recent, fs);
    return source;
}

bool writeConfigFile(const ConfigTarget& target, const RecentFiles& recent, FileSystem& fs,
                     const std::string& dataFolder) {
    return fsoRecordFile(fs, joinPath(dataFolder, kConfigFileName),
                         formatConfigText(target, recent));
}

}  // namespace korvel
