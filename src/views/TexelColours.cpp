#include "views/TexelColours.h"

#include "resources/ColorTables.h"
#include "views/PlanViewState.h"

namespace korvel {

TexelColourPair texelColours(PlanViewState& st, const ColorTables& ct, int32_t pal, int32_t shade,
                             bool tinted, uint8_t tint) {
    const int32_t index = ((pal * 32) + shade) * 2 + (tinted ? 1 : 0);
    uint8_t* first = &st.texelColours[size_t(index) * 512];
    uint8_t* second = first + 256;
    if (st.texelColoursFrame[size_t(index)] != st.paintCount) {
        st.texelColoursFrame[size_t(index)] = st.paintCount;
        const uint8_t* remap = &ct.palRemaps[size_t(pal) * 256];
        const uint8_t* shades = &ct.gameShades[size_t(shade) * 256];
        for (int32_t c = 0; c < 256; ++c) {
            const ColorPair pair = ct.gamePaletteMap[shades[remap[c]]];
            uint8_t a = uint8_t(pair & 0xFF), b = uint8_t(pair >> 8);
            if (tinted) {
                a = ct.blendTable[size_t(tint) * 256 + a];
                b = ct.blendTable[size_t(tint) * 256 + b];
            }
            first[c] = a;
            second[c] = b;
        }
    }
    return {first, second};
}

}  // namespace korvel
