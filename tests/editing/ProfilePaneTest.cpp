// The profile editor's pane: panning, the handle picked under the pointer and its drag.
#include <gtest/gtest.h>

#include "app/Editor.h"
#include "pages/ProfileEditor.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

constexpr int kLeft = 1, kRight = 2;

// The pane at zoom 1 with no pan: pane point (x, y) lies under screen pixel (x + 392, y + 411).
struct PaneRig : test::EditorRig {
    PaneRig() : EditorRig("", false) {
        ed->app.currentPage = Page::ProfileEditor;
        ed->settings.snapToGrid = 0;
        ProfileEditorState& p = pane();
        p.profileZoom = 1;
        // One segment: x -64..64, floor z 0 (pane y 0), ceiling z -1024 (pane y 64).
        p.contour[0] = {-64, 0, -1024, 64, 0, -1024};
        p.contourCount = 1;
    }
    ProfileEditorState& pane() { return ed->pages.profileEditor; }
    // One frame of the pane with the pointer on pane point (x, y) and the buttons as given.
    void frame(int32_t x, int32_t y, bool left = false, bool right = false) {
        InputState& in = ed->input;
        for (int k : {kLeft, kRight}) in.keyStates[size_t(256 + k)] = in.keyStates[size_t(k)];
        in.keyStates[kLeft] = left ? int16_t(-32768) : 0;
        in.keyStates[kRight] = right ? int16_t(-32768) : 0;
        in.mouseX = x + 392;
        in.mouseY = y + 411;
        ed->cursor.cursorShape = CursorShape::Arrow;
        editProfilePanel(*ed);
    }
};

TEST(ProfilePane, ThePickPrefersCornersThenTheLaterSegmentAndTheHandleOrder) {
    struct Case {
        int32_t x, y;
        int32_t slice, handle;
        CursorShape cursor;
    } const cases[] = {
        {-60, 2, 0, 4, CursorShape::VerticalHandle},     // near the left-lower corner
        {60, 62, 0, 7, CursorShape::VerticalHandle},     // near the right-upper corner
        {-64, 32, 0, 0, CursorShape::HorizontalHandle},  // on the left edge
        {0, 60, 0, 3, CursorShape::VerticalHandle},      // by the upper edge
        {0, 30, -1, -1, CursorShape::Arrow},             // nothing within reach
        {200, 200, -1, -1, CursorShape::Arrow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        PaneRig r;
        r.frame(c.x, c.y);
        EXPECT_EQ(r.pane().profileNearSlice, c.slice);
        EXPECT_EQ(r.pane().profileNearHandle, c.handle);
        EXPECT_EQ(r.ed->cursor.cursorShape, c.cursor);
    }
    // A second segment on top of the first: the later one wins a tie.
    PaneRig r;
    r.pane().contour[1] = r.pane().contour[0];
    r.pane().contourCount = 2;
    r.frame(-64, 0);
    EXPECT_EQ(r.pane().profileNearSlice, 1);
    EXPECT_EQ(r.pane().profileNearHandle, 4);
}

TEST(ProfilePane, EachHandleDragsItsPartOfTheSegment) {
    struct Case {
        int32_t handle;
        int32_t grabX, grabY;
        ContourSegment after;  // moved 10 right and 2 up (32 z units higher: z - 32)
    } const cases[] = {
        {0, -64, 32, {-54, -32, -1056, 64, 0, -1024}},
        {1, 64, 32, {-64, 0, -1024, 74, -32, -1056}},
        {2, 0, 0, {-54, -32, -1024, 74, -32, -1024}},
        {3, 0, 64, {-54, 0, -1056, 74, 0, -1056}},
        {4, -64, 0, {-54, -32, -1024, 64, 0, -1024}},
        {5, -64, 64, {-54, 0, -1056, 64, 0, -1024}},
        {6, 64, 0, {-64, 0, -1024, 74, -32, -1024}},
        {7, 64, 64, {-64, 0, -1024, 74, 0, -1056}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        PaneRig r;
        r.pane().contourSelected = -1;
        r.frame(c.grabX, c.grabY);
        r.frame(c.grabX, c.grabY, true);
        ASSERT_EQ(r.pane().profileDragHandle, c.handle);
        EXPECT_EQ(r.pane().contourSelected, 0);
        r.frame(c.grabX + 5, c.grabY + 1, true);
        r.frame(c.grabX + 10, c.grabY + 2, true);
        const ContourSegment& s = r.pane().contour[0];
        EXPECT_EQ(s.leftX, c.after.leftX);
        EXPECT_EQ(s.leftZA, c.after.leftZA);
        EXPECT_EQ(s.leftZB, c.after.leftZB);
        EXPECT_EQ(s.rightX, c.after.rightX);
        EXPECT_EQ(s.rightZA, c.after.rightZA);
        EXPECT_EQ(s.rightZB, c.after.rightZB);
    }
}

TEST(ProfilePane, AReleaseAnywhereEndsTheDragAndAStaleSegmentIsLetGo) {
    PaneRig r;
    r.frame(-64, 0);
    r.frame(-64, 0, true);
    ASSERT_EQ(r.pane().profileDragSlice, 0);
    r.ed->input.mouseX = 5;  // outside the pane
    r.ed->input.keyStates[size_t(256 + kLeft)] = int16_t(-32768);
    r.ed->input.keyStates[kLeft] = 0;
    editProfilePanel(*r.ed);
    EXPECT_EQ(r.pane().profileDragSlice, -1);

    r.frame(-64, 0, true);
    ASSERT_EQ(r.pane().profileDragSlice, 0);
    r.pane().contourCount = 0;  // the segment went while held
    r.frame(-50, 0, true);
    EXPECT_EQ(r.pane().profileDragSlice, -1);
}

TEST(ProfilePane, PanningGrowsWithTheDistanceFromTheAnchor) {
    PaneRig r;
    r.frame(0, 0, false, true);
    r.frame(0, 0, false, true);
    EXPECT_EQ(r.pane().profilePanX, 0) << "held still at the anchor";
    r.frame(40, -40, false, true);
    EXPECT_EQ(r.pane().profilePanX, 10);
    EXPECT_EQ(r.pane().profilePanY, -10);
    r.frame(40, -40, false, true);
    EXPECT_EQ(r.pane().profilePanX, 20);
    r.pane().profilePanX = 2045;
    r.frame(40, -40, false, true);
    EXPECT_EQ(r.pane().profilePanX, 2048);
}

TEST(ProfilePane, SnappingRoundsHalvesAwayFromZero) {
    struct Case {
        int32_t x, snapped;
    } const cases[] = {{95, 64}, {96, 128}, {-96, -128}, {-95, -64}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        PaneRig r;
        r.ed->settings.snapToGrid = 1;
        r.ed->settings.gridSpacing = 64;
        r.frame(c.x, 0);
        EXPECT_EQ(r.ed->hover.mouseMapX, c.x);
        EXPECT_EQ(r.ed->hover.hitPointX, c.snapped);
    }
}

}  // namespace
}  // namespace korvel
