#include "app/EditorEvents.h"

#include <gtest/gtest.h>

#include "support/EditorRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

using test::EditorRig;

TEST(EditorEvents, ModelReportsReachTheirPlaces) {
    EditorRig r("", false);
    Editor& ed = *r.ed;
    ed.langs = test::languageWith(
        {{325, "untitled"}, {1308, "Korvel - &1"}, {10, "&1 unit&s"}, {11, "&1-&2-&3-&4"}});
    test::Trace log;
    test::recordLog(ed.calls, log, false);
    MapEvents& events = ed.events;

    events.statusMessage(10, {"3"}, 3);
    EXPECT_EQ(ed.app.statusText, "3 units");
    events.statusMessage(11, {"a", "b", "c", "d"});
    EXPECT_EQ(ed.app.statusText, "a-b-c-d");
    events.bootLogMessage(10, 68, {"1"}, 1);
    EXPECT_EQ(log, test::Trace{"log:1 unit@68"});

    ed.mapFile.mapPath = "/maps/old.map";
    events.newMapStarted();
    EXPECT_EQ(ed.mapFile.mapPath, "");
    EXPECT_EQ(ed.mapFile.mapTitle, "untitled");
    EXPECT_EQ(r.platform->caption(), "Korvel - untitled");

    events.objectsRenumbered();
    EXPECT_EQ(ed.app.objectsRenumbered, 1);

    // Sparks reach the particle list at their place on the screen: a wall's point on the plan
    // view whatever the page, a sprite on the map view the page shows and on no other page.
    ed.settings.showSparks = 1;
    ed.particles.particles.resize(4096);
    for (const auto& [page, spriteSparks] : {std::pair{Page::PlanView, 6}, {Page::SideView, 6}, {Page::View3D, 0}, {Page::MessageBox, 0}}) {
        ed.app.currentPage = page;
        ed.particles.particleCount = 0;
        events.sparksAtSprite(160, -1600, 0);
        EXPECT_EQ(ed.particles.particleCount, spriteSparks) << int(page);
        events.sparksAtPoint(160, -1600);
        EXPECT_EQ(ed.particles.particleCount, spriteSparks + 6) << int(page);
    }
    ed.app.currentPage = Page::PlanView;
    ed.particles.particleCount = 0;
    events.sparksAtSprite(160, -1600, 0);
    EXPECT_EQ(ed.particles.particles[0].x, 410.0f);  // (160 / 16 + 400, 1600 / 16 + 300)
    EXPECT_EQ(ed.particles.particles[0].y, 400.0f);
    ed.particles.particleCount = 0;
    events.sparksAlongWall(0, 0, 960, 0);  // 60 pixels long: a spark per 6, and one more
    EXPECT_EQ(ed.particles.particleCount, 11);
    ed.settings.showSparks = 0;
    ed.particles.particleCount = 0;
    events.sparksAtPoint(160, -1600);
    events.sparksAlongWall(0, 0, 960, 0);
    EXPECT_EQ(ed.particles.particleCount, 0) << "no particles while sparks are off";

    events.progressBegin(100);
    EXPECT_EQ(ed.bootLogState.progressShown, 1);
    for (int i = 0; i < 100; ++i) events.progressStep();
    EXPECT_EQ(ed.bootLogState.progressDone, 100);
    EXPECT_EQ(r.platform->framePixel(144, 300), 20) << "the bar is drawn and shown";
    events.progressEnd();
    EXPECT_EQ(ed.bootLogState.progressShown, 0);
    const int32_t presented = r.platform->presentCount();
    events.progressStep();
    EXPECT_EQ(r.platform->presentCount(), presented) << "a step after the end shows nothing";
}

}  // namespace
}  // namespace korvel
