// The live 3D view's edit keys: each acts on the object aimed at in the 3D picture, or on the
// selection, and refreshes what the picture shows of it. Their rows in the command table carry
// live-view chords, which the dispatcher tries before every other chord of the frame.
#pragma once

namespace korvel {

struct Editor;

// Once a frame on the live 3D page, before the other key commands: each 3D row whose chord the
// frame's keys make runs, in table order, and takes the presses of all its keys.
void process3DKeys(Editor& ed);

// The rows' handlers.
void copyAttributes3d(Editor& ed);       // Tab
void pasteAttributes3d(Editor& ed);      // Enter
void keypad2Texture3d(Editor& ed);       // repeat and panning on the keypad
void keypad8Texture3d(Editor& ed);
void keypad4Texture3d(Editor& ed);
void keypad6Texture3d(Editor& ed);
void resetTexture3d(Editor& ed);         // '/'
void squareWalls3d(Editor& ed);          // '\'
void cycleFlip3d(Editor& ed);            // F
void promptShade3d(Editor& ed);          // Alt+S
void shadeUp3d(Editor& ed);              // '-' (darker)
void shadeDown3d(Editor& ed);            // '='
void promptPal3d(Editor& ed);            // P
void cycleTranslucency3d(Editor& ed);    // Shift+T
void promptLotag3d(Editor& ed);          // T
void promptHitag3d(Editor& ed);          // H
void pickTile3d(Editor& ed);             // V
void toggleBottomAlign3d(Editor& ed);    // O
void resetSpriteAngle3d(Editor& ed);     // ',' and '.' together
void turnSpriteLeft3d(Editor& ed);       // ','
void alignOrTurnRight3d(Editor& ed);     // '.'
void toggleSpriteBit128_3d(Editor& ed);  // C
void lowerSprites3d(Editor& ed);         // Delete
void raiseSprites3d(Editor& ed);         // Insert
void toggleSpriteBit64_3d(Editor& ed);   // 1
void toggleSectorBit8_3d(Editor& ed);    // Shift+E
void toggleParallax3d(Editor& ed);       // Shift+P
void toggleRelativeAlign3d(Editor& ed);  // R
void promptVisibility3d(Editor& ed);     // Shift+V

}  // namespace korvel
