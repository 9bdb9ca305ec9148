#include "resources/GamePalette.h"

#include <algorithm>
#include <optional>

#include "base/FileSystem.h"
#include "base/MessageNumbers.h"
#include "base/TextFile.h"
#include "map/MapEvents.h"
#include "resources/GroupFile.h"

namespace korvel {

namespace {

constexpr uint8_t kInfoColour = 83;
constexpr uint8_t kWarningColour = 68;
const char* const kPaletteDatName = "PALETTE.DAT";

std::optional<std::string> paletteDatFromArchive(FileSystem& fs, const std::string& archive) {
    const auto directory = readGroupDirectory(fs, archive);
    if (!directory) return std::nullopt;
    for (const auto& entry : directory->entries) {
        if (!sameNameNoCase(entry.name, kPaletteDatName)) continue;
        if (entry.length < int32_t(kPaletteDatBytes)) return std::nullopt;
        return fs.readRange(archive, entry.offset, int64_t(kPaletteDatBytes));
    }
    return std::nullopt;
}

}  // namespace

bool decodePaletteDat(std::string_view bytes, PaletteChannel& red, PaletteChannel& green,
                      PaletteChannel& blue) {
    if (bytes.size() < kPaletteDatBytes) return false;
    auto scaled = [&](size_t i) {
        const int v = std::min<int>(uint8_t(bytes[i]), 63);
        return uint8_t((v * 255 + 31) / 63);
    };
    for (size_t k = 0; k < 256; ++k) {
        red[k] = scaled(3 * k);
        green[k] = scaled(3 * k + 1);
        blue[k] = scaled(3 * k + 2);
    }
    return true;
}

void fillBuiltInGamePalette(ColorTables& colors) {
    for (size_t k = 0; k < 256; ++k)
        colors.gamePaletteRed[k] = colors.gamePaletteGreen[k] = colors.gamePaletteBlue[k] =
            uint8_t(k);
}

GamePaletteSource provideGamePalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                                     const GamePaletteInputs& inputs) {
    const std::string archive = inputs.grpPath.empty()
                                    ? findNoCase(fs, inputs.programFolder, "DUKE3D.GRP")
                                    : inputs.grpPath;
    GamePaletteSource source = GamePaletteSource::ArchivePaletteDat;
    std::string sourceName = archive.substr(archive.find_last_of("/\\") + 1);
    auto bytes = paletteDatFromArchive(fs, archive);
    if (!bytes || bytes->size() < kPaletteDatBytes) {
        const std::string loose = findNoCase(fs, inputs.programFolder, kPaletteDatName);
        bytes = fs.readRange(loose, 0, int64_t(kPaletteDatBytes));
        source = GamePaletteSource::LoosePaletteDat;
        sourceName = kPaletteDatName;
    }
    if (!bytes || !decodePaletteDat(*bytes, colors.gamePaletteRed, colors.gamePaletteGreen,
                                    colors.gamePaletteBlue)) {
        fillBuiltInGamePalette(colors);
        events.bootLogMessage(kMsgNoGamePalette, kWarningColour);
        return GamePaletteSource::BuiltIn;
    }
    events.bootLogMessage(kMsgGamePaletteFrom, kInfoColour, {sourceName});
    const std::string text =
        formatTextPalette(colors.gamePaletteRed, colors.gamePaletteGreen, colors.gamePaletteBlue);
    if (!fsoRecordFile(fs, findNoCase(fs, inputs.dataFolder, "dukepal.pal"), text))
        events.bootLogMessage(kMsgCouldNotWriteBuilt, kWarningColour, {"dukepal.pal"});
    return source;
}

}  // namespace korvel
