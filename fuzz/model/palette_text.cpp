// Palettes are read from text files the user may edit, and from the game's PALETTE.DAT: any
// bytes give a palette without a fault.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "resources/GamePalette.h"
#include "resources/Palettes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PaletteChannel r{}, g{}, b{};
    (void)parseTextPalette(text, r, g, b);
    (void)decodePaletteDat(text, r, g, b);
    return 0;
}
