#include "app/EditorInit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/ConfigFile.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

using test::EditorRig;

TEST(EditorInit, ReinitialisingStartsFreshIncludingParticlesAndTheAutosaveClock) {
    EditorRig r("", false);
    Editor& ed = *r.ed;
    r.platform->setClock(5000);
    // Leave traces of a session everywhere.
    ed.map.sectorCount = 3;
    ed.map.walls[100].x = 7;
    ed.map.sectorSelected[2] = 1;
    ed.map.wallIgnored[5] = 1;
    ed.map.wallMoveState[6] = 1;
    ed.map.spriteStackCount[7] = 2;
    ed.map.mostUsedSpriteTile = 1405;
    ed.map.booleanTargetSector = 1;
    ed.map.mapModified = MapModifiedState::Modified;
    ed.clipboard.clipSpriteCount = 4;
    ed.clipboard.clipSprites[3].picnum = 9;
    ed.particles.particleCount = 77;
    ed.particles.particles.resize(8192);
    ed.mapFile.lastAutoSaveTime = 123456;
    ed.mapFile.nextAutoSaveNumber = 4;
    ed.app.currentPage = Page::Search;
    ed.view.viewZoom = 3;
    ed.tool.selectionMode = SelectionMode::Walls;
    ed.pages.arrayTool.arrayCopyCount = 99;
    ed.pages.arrayTool.arraySteps[0] = 5;
    ed.pages.arrayTool.arraySteps[22] = 6;
    ed.pages.wallLighting.lightAngle = 1;
    ed.pages.sphereSetup.domePreviewHeight = 2;
    ed.pages.profileEditor.contourSelected = 3;
    ed.pages.terrainSetup.terrainTile = 4;
    ed.pages.imageExport.exportFileName = "x.bmp";
    ed.pages.tileFilter.tileWidthFilter = 5;
    ed.pages.tileZoom.tilePreviewZoom = 6;
    ed.pages.search.propertyKeep[22] = 0;
    ed.pages.recordEditor.recordEditorSubject = 2;
    ed.pages.sparksToy.sparkCount = 8;
    ed.pages.view3d.view3dState = 1;
    ed.pages.problemList.problemListOption = 0;
    ed.viewMotion.glideStep = 9;
    ed.input.cyrillicKeyboard = 1;
    ed.pages.colorSchemeEditor.colorEditorTop = 10;
    ed.sound.batchDepth = 2;
    ed.demo.demoFrameIndex = 40;
    ed.input.frameTime = 999;
    ed.langs.languageIndex = 0x105;
    ed.settings.repeatStart = 321;

    initEditorState(ed);
    EXPECT_EQ(ed.particles.particleCount, 0);
    EXPECT_EQ(ed.particles.particles.size(), 4096u);
    EXPECT_EQ(ed.mapFile.lastAutoSaveTime, 0);
    EXPECT_EQ(ed.mapFile.nextAutoSaveNumber, 0);
    EXPECT_EQ(ed.map.sectorCount, 0);
    EXPECT_EQ(ed.map.walls[100].x, 0);
    EXPECT_EQ(ed.map.sectorSelected[2], 0);
    EXPECT_EQ(ed.map.wallIgnored[5], 0);
    EXPECT_EQ(ed.map.wallMoveState[6], 0);
    EXPECT_EQ(ed.map.spriteStackCount[7], 0);
    EXPECT_EQ(ed.map.mostUsedSpriteTile, 0) << "unlike a new map, a fresh editor forgets it";
    EXPECT_EQ(ed.map.booleanTargetSector, -2);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(ed.clipboard.clipSpriteCount, 0);
    EXPECT_EQ(ed.clipboard.clipSprites[3].picnum, 0);
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    EXPECT_EQ(ed.app.redrawRequest, 2);
    EXPECT_EQ(ed.view.viewZoom, 16);
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::SpritesAndVertices);
    EXPECT_EQ(ed.tool.draggedSprite, -1);
    EXPECT_EQ(ed.pages.arrayTool.arrayCopyCount, 16);
    EXPECT_EQ(ed.pages.arrayTool.arraySteps[0], 0);
    EXPECT_EQ(ed.pages.arrayTool.arraySteps[22], 6) << "only the first 22 array steps are reset";
    EXPECT_EQ(ed.pages.wallLighting.lightAngle, 4500);
    EXPECT_EQ(ed.pages.sphereSetup.domePreviewHeight, 1024);
    EXPECT_EQ(ed.pages.profileEditor.contourSelected, -1);
    EXPECT_EQ(ed.pages.terrainSetup.terrainTile, 0);
    EXPECT_EQ(ed.pages.imageExport.exportFileName, "1.bmp");
    EXPECT_EQ(ed.pages.tileFilter.tileWidthFilter, -1);
    EXPECT_EQ(ed.pages.tileZoom.tilePreviewZoom, 1.0f);
    EXPECT_EQ(ed.pages.search.propertyKeep[22], 1);
    EXPECT_EQ(ed.pages.recordEditor.recordEditorSubject, 0);
    EXPECT_EQ(ed.pages.sparksToy.sparkCount, 7);
    EXPECT_EQ(ed.pages.view3d.view3dState, 0);
    EXPECT_EQ(ed.pages.problemList.problemListOption, 1);
    EXPECT_EQ(ed.viewMotion.glideStep, -1);
    EXPECT_EQ(ed.input.cyrillicKeyboard, 0);
    EXPECT_EQ(ed.pages.colorSchemeEditor.colorEditorTop, 10) << "not a tool page's parameter";
    EXPECT_EQ(ed.sound.batchDepth, 0);
    EXPECT_EQ(ed.sound.batchFinished, 1);
    EXPECT_EQ(ed.demo.demoFrameIndex, -1);
    EXPECT_EQ(ed.input.frameTime, 0);
    EXPECT_EQ(ed.loop.loopStartTick, 5000u);
    EXPECT_EQ(ed.langs.currentLanguage, 5);
    EXPECT_EQ(ed.settings.repeatStartEdit, 321);
    const auto& shades = ed.pages.wallLighting.shadeBrightness;
    EXPECT_EQ(shades[0], 1.0);
    EXPECT_EQ(shades[255], 1.0);
    EXPECT_DOUBLE_EQ(shades[254], std::exp2(1.0 / 8));
    EXPECT_DOUBLE_EQ(shades[128], std::exp2(127.0 / 8));
    EXPECT_EQ(ed.pages.fileBrowser.browserFolder, r.platform->programFolder());

    // Twice is the same as once.
    const std::string once = formatConfigText(configTarget(ed), ed.mapFile.recentFiles);
    initEditorState(ed);
    EXPECT_EQ(formatConfigText(configTarget(ed), ed.mapFile.recentFiles), once);
    EXPECT_EQ(ed.particles.particleCount, 0);
}

TEST(EditorInit, ConfigurationIsReadBeforeTheStateIsInitialised) {
    EditorRig r;
    r.dir.write("KorvelD/korvel.cfg", "repstart250\r\nlanguage2\r\n");
    loadConfigAndInit(*r.ed);
    EXPECT_EQ(r.ed->settings.repeatStart, 250);
    EXPECT_EQ(r.ed->settings.repeatStartEdit, 250);
    EXPECT_EQ(r.ed->langs.currentLanguage, 2);
    r.ed->settings.repeatStart = 111;
    ASSERT_TRUE(saveConfig(*r.ed));
    EXPECT_NE(r.dir.read("KorvelD/korvel.cfg").find("repstart111\r\n"), std::string::npos);
}

}  // namespace
}  // namespace korvel
