#include "ui/FrameBuffer.h"

#include <gtest/gtest.h>

#include "platform/HeadlessPlatform.h"
#include "support/DrawFixtures.h"
#include "support/TempFolder.h"

namespace korvel {
namespace {

TEST(FrameBuffer, SurfacesHaveTheirSizes) {
    FrameBuffer fb;
    EXPECT_EQ(fb.screen.size(), 800u * 600u);
    EXPECT_EQ(fb.background.size(), 800u * 600u);
    EXPECT_EQ(fb.viewBackdrop.size(), 800u * 456u);
    EXPECT_EQ(fb.menuBuffer.size(), 400u * 456u);
    EXPECT_EQ(fb.screenCopy.size(), 800u * 600u);
    EXPECT_TRUE(fb.preview3dImage.empty());  // until the 3D page needs it
    EXPECT_EQ(preview3dPicture(fb).size(), 800u * 450u);
    EXPECT_EQ(FrameBuffer(640).screenRowLength, 800);
}

TEST(FrameBuffer, BackgroundCopyAndPresentationFollowTheRowLength) {
    for (const int32_t rowLength : {800, test::kGuardedRowLength}) {
        SCOPED_TRACE(rowLength);
        test::DrawRig rig;
        auto plain = std::make_unique<FrameBuffer>();
        FrameBuffer& fb = rowLength == 800 ? *plain : *rig.fb;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = 0; x < 800; ++x) fb.background[y * 800 + x] = uint8_t(x ^ y);
        fb.screenPalette[3] = {1, 2, 3};
        copyBackgroundToScreen(fb);
        EXPECT_TRUE(test::sameAsScreen(fb, backgroundView(fb)));
        EXPECT_TRUE(rig.guardsIntact());
        TempFolder dir;
        HeadlessPlatform platform(dir.path());
        presentScreen(fb, platform);
        EXPECT_EQ(platform.framePixel(799, 599), uint8_t(799 ^ 599));
        EXPECT_EQ(platform.framePixel(5, 9), uint8_t(5 ^ 9));
        EXPECT_EQ(platform.lastPalette()[3], (Rgb{1, 2, 3}));
    }
}

}  // namespace
}  // namespace korvel
