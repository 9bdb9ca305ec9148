#include "editing/UiItemActions.h"

#include <gtest/gtest.h>

#include "support/CommandRig.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;

TEST(UiItemActions, TheFileButtonsActOnTheirRelease) {
    constexpr int32_t kSlot = 7;
    struct Case {
        int16_t code;
        bool enabled;
        Want want;
    } const cases[] = {
        {66, true, Want::Saved},       // save
        {67, true, Want::NamePrompt},  // save as
        {66, false, Want::Nothing},    // a grey button takes no click
        {170, true, Want::Nothing},    // a code whose action has not arrived
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CommandRig r;
        ToolbarButton& b = r.ed->toolbar.toolbarButtons[kSlot];
        b.code = c.code;
        b.enabled = c.enabled ? 1 : 0;
        EXPECT_FALSE(pressUiItem(*r.ed, kSlot)) << "nothing of these acts on the press";
        r.clickOn(kSlot);
        r.expectOutcome(c.want);
    }
}

}  // namespace
}  // namespace korvel
