// Parameters of the tool and dialog pages that live across page visits: the array tool, wall
// lighting, the reel, arch and sphere generators, the profile editor, terrain, the report list,
// the tile browser, search, sparks and the 3D view's options. The editor state initialisation
// puts every one back to the value a fresh start shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvel {

constexpr int32_t kPropertyColumns = 23;

struct PageParameters {
    // Array tool.
    int32_t arrayCopyCount = 16;
    int32_t arrayRotationStep = 36000;
    uint8_t arrayRadioA = 2, arrayRadioB = 2;
    uint8_t arrayOption1 = 1;
    uint8_t arrayOption2 = 0, arrayOption3 = 0, arrayOption4 = 0, arrayOption5 = 0;
    uint8_t arrayOption6 = 0, arrayOption7 = 0;
    int32_t arrayParamA = 0, arrayParamB = 0, arrayParamC = 0, arrayParamD = 0;
    int32_t arrayAngleCenter = 0, arrayAngleRange = 0;
    uint8_t arrayPattern = 0;
    int32_t arrayCenterX = 0, arrayCenterY = 0, arrayCenterZ = 0;
    std::array<int32_t, kPropertyColumns> arraySteps{};

    // Wall lighting; angles in hundredths of a degree.
    uint8_t lightDirectional = 1;
    int32_t lightAngle = 4500;
    uint8_t lightFalloffMode = 1;
    uint8_t lightDistanceFalloff = 1;
    uint8_t lightRelative = 0;
    int32_t lightX = 0, lightY = 0;
    int32_t lightShadeMin = 0, lightShadeMax = 20;

    // Generators.
    int32_t reelA = 0, reelB = 10000, reelC = 16, reelD = 2048;
    int32_t arch1A = 8192, arch1B = -24288, arch1C = 2048;
    int32_t arch2A = 0, arch2B = 16384, arch2C = 16;
    int32_t sphere1A = 16384, sphere1B = -16384, sphere1C = 16;
    int32_t sphere2A = -16384, sphere2B = 16384, sphere2C = 4;
    int32_t domePreviewHeight = 1024;

    // Profile editor.
    int32_t profileZoom = 16;
    int32_t profilePanX = 0, profilePanY = 0;
    int32_t contourCount = 0;
    int32_t contourSelected = -1;

    // Terrain from a tile.
    int32_t terrainParamA = 8, terrainParamB = 4;
    int32_t terrainHeightScale = 8192;
    int32_t terrainOption = 0, terrainTile = 0;

    // Image export (the rectangle and scale live with the view state).
    std::string exportFileName = "1.bmp";

    // Report list and tile browser.
    int32_t problemListOption = 1;
    int32_t tileWidthFilter = -1, tileHeightFilter = -1;  // -1: any size
    uint8_t tileNameSubstring = 1;
    int32_t tileFilterColor = 0, tileFilterTransparency = 0;
    float tilePreviewZoom = 1.0f;

    // Search and select-and-set.
    uint8_t searchIndexRange = 0;
    int32_t searchIndexMin = 0, searchIndexMax = 0;
    int32_t searchMaxCount = 65536;
    uint8_t searchFromProperties = 0;
    uint8_t searchObjectKind = 0;
    uint8_t recordEditorSubject = 0;
    std::array<uint8_t, kPropertyColumns> propertyState{};
    std::array<uint8_t, kPropertyColumns> propertyKeep{};

    // Sparks page.
    int32_t sparkCount = 7;

    // 3D view options.
    float detailScale3d = 1.0f;
    uint8_t depthSortFirst3d = 1, depthSortRest3d = 1;
    uint8_t dither3d = 0, clear3dEachFrame = 0, mouseLook3dOption = 0;
    // What the 3D page shows: 0 the live view, 1 and 2 the two shaded plan pictures.
    uint8_t view3dState = 0;

    // View glide and typing layout.
    int32_t glideStep = -1;
    uint8_t cyrillicKeyboard = 0;

    // File browser.
    std::string browserFolder;

    // Lighting work table: entry b is 2^(-b/8) below 128 and 2^((255-b)/8) from 128 on.
    std::array<double, 256> shadeBrightness{};

    PageParameters() {
        propertyState.fill(1);
        propertyKeep.fill(1);
    }
};

}  // namespace korvel
