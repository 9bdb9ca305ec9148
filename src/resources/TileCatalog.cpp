#include "resources/TileCatalog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "base/TextLines.h"
#include "base/ValueConv.h"
#include "resources/GroupFile.h"

namespace korvel {

namespace {

struct HeaderWord {
    std::string_view word;
    uint8_t bit;
};

constexpr HeaderWord kHeaderWords[] = {
    {"EFFECTORS", TileCategory::Effectors}, {"ACTORS", TileCategory::Actors},
    {"PICKUPS", TileCategory::Pickups},     {"SWITCHES", TileCategory::Switches},
    {"DOORTILES", TileCategory::DoorTiles}, {"MULTISWITCHES", TileCategory::MultiSwitches},
    {"MISC", TileCategory::Misc},
};

// A tile number written as decimal digits, blanks around it allowed; nothing for any other
// text, including numbers beyond the tiles.
std::optional<int32_t> tileNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value >= kTileCount)
        return std::nullopt;
    return int32_t(value);
}

// The header's number field as a 16-bit integer (ties to even), when it is one.
std::optional<int32_t> defineNumber(std::string_view field) {
    const auto value = parseNumber(std::string(field));
    if (!value) return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return int32_t(rounded);
}

}  // namespace

void parseTileSets(std::string_view text, std::vector<uint8_t>& categories) {
    uint8_t bit = 0;
    for (const auto raw : splitAtCr(text)) {
        const std::string_view line = dropLeadingLf(raw);
        if (const auto n = tileNumber(line)) {
            if (size_t(*n) < categories.size()) categories[size_t(*n)] |= bit;
            continue;
        }
        const size_t dash = line.find('-');
        if (dash != std::string_view::npos) {
            const std::string_view rest = line.substr(dash + 1);
            const auto a = tileNumber(line.substr(0, dash));
            const auto b = tileNumber(rest.substr(0, rest.find('-')));
            if (a && b)
                for (int32_t t = *a; t <= *b && size_t(t) < categories.size(); ++t)
                    categories[size_t(t)] |= bit;
            continue;
        }
        for (const auto& header : kHeaderWords)
            if (sameNameNoCase(line, header.word)) bit = header.bit;
    }
}

void loadTileSets(TileCatalog& catalog, FileSystem& fs, const std::string& dataFolder) {
    std::fill(catalog.tileCategories.begin(), catalog.tileCategories.end(), uint8_t(0));
    parseTileSets(fsoReadFile(fs, findNoCase(fs, dataFolder, "TILESETS.DAT")),
                  catalog.tileCategories);
}

void parseDefines(std::string_view text, NameTable& names) {
    for (const auto raw : splitAtCr(text)) {
        if (raw.size() <= 9) continue;
        const std::string_view line = dropLeadingLf(raw);
        if (line.substr(0, 8) != "#define ") continue;
        std::string_view name, number;
        if (!blankField(line, 2, name) || !blankField(line, 3, number)) continue;
        const auto n = defineNumber(number);
        if (n && *n >= 0 && size_t(*n) < names.size()) names.set(size_t(*n), name);
    }
}

void loadNamesAndSounds(TileCatalog& catalog, FileSystem& fs, const std::string& programFolder) {
    parseDefines(fsoReadFile(fs, findNoCase(fs, programFolder, "names.h")), catalog.tileNames);
    parseDefines(fsoReadFile(fs, findNoCase(fs, programFolder, "sounds.h")), catalog.soundNames);
}

}  // namespace korvel
