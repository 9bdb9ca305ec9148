// The numbers of the messages the code names, so that a reader finds each text by name; a
// message's number is its line in the language file.
#pragma once

#include <cstdint>

namespace korvel {

// Start-up, the status line's greeting and the colour-table log.
constexpr int32_t kMsgCommandLine = 0;
constexpr int32_t kMsgWelcome = 1;
constexpr int32_t kMsgColorTablesMissing = 3;
constexpr int32_t kMsgBuildingColorTables = 4;
constexpr int32_t kMsgRemapRowsDone = 5;
constexpr int32_t kMsgBlendTableDone = 6;
constexpr int32_t kMsgShadeTablesDone = 7;
constexpr int32_t kMsgColorTablesWritten = 8;
constexpr int32_t kMsgLanguageLoaded = 321;
constexpr int32_t kMsgSkinLoaded = 322;
constexpr int32_t kMsgMissingFile = 323;
constexpr int32_t kMsgMenusLoaded = 324;
constexpr int32_t kMsgUntitled = 325;  // the title of a new map
constexpr int32_t kMsgLoadingMap = 326;
constexpr int32_t kMsgLoadingTiles = 327;
constexpr int32_t kMsgLoadingTileSets = 328;
constexpr int32_t kMsgLoadingNames = 329;
constexpr int32_t kMsgLoadingHelp = 330;
constexpr int32_t kMsgLoadingColorTables = 331;
constexpr int32_t kMsgReady = 332;
constexpr int32_t kMsgTilesLoadedTextured = 333;
constexpr int32_t kMsgWallLinksRepaired = 334;
constexpr int32_t kMsgZeroWallsDeleted = 335;
constexpr int32_t kMsgSpriteSectorsFound = 336;
constexpr int32_t kMsgScriptFinished = 1317;
constexpr int32_t kMsgLoadingTileFile = 1213;
constexpr int32_t kMsgTilesLoaded = 1214;
constexpr int32_t kMsgFileNotUsed = 1334;  // too short or damaged
constexpr int32_t kMsgArtDamaged = 1350;
constexpr int32_t kMsgCouldNotWriteBuilt = 1351;
constexpr int32_t kMsgGamePaletteFrom = 1352;
constexpr int32_t kMsgNoGamePalette = 1353;

// Map files.
constexpr int32_t kMsgMapSaved = 252;
constexpr int32_t kMsgMapNotLoaded = 314;
constexpr int32_t kMsgMapLoaded = 315;
constexpr int32_t kMsgAutosavedAs = 603;
constexpr int32_t kMsgSaveMapAs = 604;
constexpr int32_t kMsgNewMap = 605;
constexpr int32_t kMsgMapNotSaved = 1309;
constexpr int32_t kMsgWindowCaption = 1308;
constexpr int32_t kMsgMapCutShort = 1354;  // a damaged file loaded all the same
// A file that counts more sectors, walls or sprites than a map holds is refused; each message
// names its list.
constexpr int32_t kMsgTooManySectors = 1420;
constexpr int32_t kMsgTooManyWalls = 1421;
constexpr int32_t kMsgTooManySprites = 1422;
// A save failed, and the new version of the map is kept in the file the message names.
constexpr int32_t kMsgSaveKeptNewFile = 1419;

// Edits and their refusals.
constexpr int32_t kMsgZeroWallRemoved = 716;
constexpr int32_t kMsgSelectionInverted = 866;
constexpr int32_t kMsgNoRoomForWalls = 1335;
constexpr int32_t kMsgNoRoomForSprites = 1336;
constexpr int32_t kMsgNoRoomForSectors = 1337;
constexpr int32_t kMsgClipboardFull = 1338;
constexpr int32_t kMsgDamagedMap = 1339;
// Sector operations: splits, boolean operations, cuts and rips.
constexpr int32_t kMsgSectorReshaped = 719;
constexpr int32_t kMsgSectorSplit = 720;
constexpr int32_t kMsgSectorsJoined = 723;
constexpr int32_t kMsgNothingCombined = 1383;    // the operation traced no outline
constexpr int32_t kMsgSameSectorTwice = 1384;    // both operands are one sector
constexpr int32_t kMsgNoSuchSectorOrWall = 1385;  // an operand outside the map
constexpr int32_t kMsgCutMetNothing = 1386;       // a cut that crosses no wall
constexpr int32_t kMsgLinearCutStarted = 303;

// The tile filter's result.
constexpr int32_t kMsgFilterOneTile = 608;
constexpr int32_t kMsgFilterFewTiles = 609;
constexpr int32_t kMsgFilterManyTiles = 610;
constexpr int32_t kMsgFilterNoTile = 611;

// Message boxes: questions and buttons.
constexpr int32_t kMsgConfirmQuit = 344;
constexpr int32_t kMsgSaveChanges = 345;
constexpr int32_t kMsgConfirmRevert = 346;
constexpr int32_t kMsgSaveBeforeQuit = 347;
constexpr int32_t kMsgFullScreenFailed = 348;
constexpr int32_t kMsgUnsupportedVersion = 349;
constexpr int32_t kMsgFileExists = 350;
constexpr int32_t kMsgDeleteScript = 1324;
constexpr int32_t kMsgButtonOk = 428;
constexpr int32_t kMsgButtonYes = 429;
constexpr int32_t kMsgButtonNo = 430;
constexpr int32_t kMsgButtonCancel = 431;

// Settings, scripts and demos.
constexpr int32_t kMsgSettingsSaved = 1194;
constexpr int32_t kMsgSettingsNotSaved = 1400;

// The 3D view.
constexpr int32_t kMsgTriangles3d = 1175;
constexpr int32_t kMsgPreparing3d = 1206;
constexpr int32_t kMsgScene3dFull = 1405;
constexpr int32_t kMsgScene3dNoRoom = 1406;
constexpr int32_t kMsgFrame3dFull = 1407;
constexpr int32_t kMsgNoSpriteInSector3d = 1408;
constexpr int32_t kMsgSpriteInNoSector3d = 1409;
// The start image cannot be read (&1 why). Before any language is loaded the English fallback
// is shown; two lines, so that a plain error box does not cut the advice off at its edge.
constexpr int32_t kMsgStartImageMissing = 1343;
constexpr const char* kStartImageMissingFallback =
    "Korvel cannot start: &1.\nThe data folder KorvelD beside the program must hold an "
    "800 x 600 picture mainscr.gif.";
constexpr int32_t kMsgDefaultScriptName = 1278;
constexpr int32_t kMsgDemoSaved = 1296;
constexpr int32_t kMsgDemoNotSaved = 1356;  // the path it was to be written to
constexpr int32_t kMsgDemoStartMapNotWritten = 1401;  // the start map's path
constexpr int32_t kMsgDemoNameRefused = 1402;         // the typed name
constexpr int32_t kMsgDemoTooLong = 1403;
constexpr int32_t kMsgDemoStartMapNotPlaced = 1404;  // the companion's path

// Export of the drawing as a picture.
constexpr int32_t kMsgPictureNotWritten = 1391;
constexpr int32_t kMsgPictureNoMemory = 1392;

// The side view.
constexpr int32_t kMsgSideViewCaption = 446;
constexpr int32_t kMsgMeasure = 1329;  // the measuring line's length and direction

// The toolkit: help, menus, widgets, toolbar and the report list.
constexpr int32_t kMsgHelpFileNotFound = 2;
constexpr int32_t kMsgNoHelpOnPage = 1161;
constexpr int32_t kMsgFirstToolbarTip = 440;
constexpr int32_t kMsgFirstReportCaption = 724;

// Drawing sectors and the value prompt.
constexpr int32_t kMsgStartedNewSector = 23;
constexpr int32_t kMsgStartedInsideSector = 24;
constexpr int32_t kMsgStartedOnVertex = 25;
constexpr int32_t kMsgDrawingFinished = 26;
constexpr int32_t kMsgLoopAdded = 717;
constexpr int32_t kMsgNewSectorMade = 718;
constexpr int32_t kMsgCalculatorResult = 1259;
constexpr int32_t kMsgDrawingFull = 1348;    // the drawing holds no more points
constexpr int32_t kMsgTooFewCorners = 1349;  // a closed drawing of two corners or fewer
constexpr int32_t kMsgScriptStepLimit = 1410;     // a run stopped after its step budget
constexpr int32_t kMsgScriptAborted = 1411;       // a run stopped by Esc
constexpr int32_t kMsgScriptTooLong = 1412;       // a program too large to run
constexpr int32_t kMsgScriptNameRefused = 1413;   // a name no script file may have
constexpr int32_t kMsgScriptNotSaved = 1414;      // a script file could not be written
constexpr int32_t kMsgScriptNotDeleted = 1415;    // a script file could not be deleted
constexpr int32_t kMsgSaveScriptFirst = 1418;     // an edited script never saved would be dropped

// The map check and the statistics pages.
constexpr int32_t kMsgNoProblems = 337;
constexpr int32_t kMsgWallLengthSum = 338;
constexpr int32_t kMsgAreaBlocks = 339;
constexpr int32_t kMsgFileSizeBytes = 340;
constexpr int32_t kMsgCheckNoSectors = 737;  // the checks' texts run from here to 769
constexpr int32_t kMsgCheckWallOutsideRanges = 1373;
constexpr int32_t kMsgCheckPoint2OutOfRange = 1374;
constexpr int32_t kMsgCheckShortLoop = 1375;
constexpr int32_t kMsgCheckFloorTileOutOfRange = 1376;
constexpr int32_t kMsgCheckCeilingTileOutOfRange = 1377;
constexpr int32_t kMsgCheckWallTileOutOfRange = 1378;
constexpr int32_t kMsgCheckMaskedTileOutOfRange = 1379;
constexpr int32_t kMsgCheckSpriteTileOutOfRange = 1380;
constexpr int32_t kMsgCheckFindingsLeftOut = 1381;
// Generators, lighting and transforms.
constexpr int32_t kMsgTooFewPieces = 1198;           // a generator's counts below the pages' limits
constexpr int32_t kMsgStructureDegenerate = 1387;    // flat, or corners beyond the 32-bit range
constexpr int32_t kMsgMirrorLineEmpty = 1388;        // the mirror line's two points coincide
constexpr int32_t kMsgPointsOutOfRange = 1389;       // a transform would move points out of range
constexpr int32_t kMsgTargetSegmentEmpty = 1390;     // the target segment's two points coincide
constexpr int32_t kMsgSourceSegmentEmpty = 770;
constexpr int32_t kMsgSegmentsTransformed = 771;
constexpr int32_t kMsgWarpOutOfReach = 772;
constexpr int32_t kMsgParallelogramWarped = 773;
constexpr int32_t kMsgQuadWarped = 774;
constexpr int32_t kMsgNoFreePlace = 606;
constexpr int32_t kMsgCopiesMade = 607;

// Page and view switches.
constexpr int32_t kMsgSnapOn = 84;
constexpr int32_t kMsgSnapOff = 85;
constexpr int32_t kMsgFullScreenOn = 185;
constexpr int32_t kMsgFullScreenOff = 186;
constexpr int32_t kMsgAreaRectangle = 1186;
constexpr int32_t kMsgAreaCircle = 1187;
constexpr int32_t kMsgScreenshotFailed = 1365;

}  // namespace korvel
