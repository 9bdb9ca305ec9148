#include "editing/UiItemActions.h"

#include <gtest/gtest.h>

#include "support/CommandRig.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;

TEST(UiItemActions, TheFileButtonsActOnTheirRelease) {
    struct Case {
        int32_t slot;
        int16_t code;  // the slot's code for the press; 0 keeps the toolbar's own
        bool enabled;
        Want want;
    } const cases[] = {
        {15, 0, true, Want::Saved},       // save
        {16, 0, true, Want::NamePrompt},  // save as
        {15, 0, false, Want::Nothing},    // a grey button takes no click
        {7, 170, true, Want::Nothing},    // a code whose action has not arrived
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        CommandRig r;
        rebuildToolbar(*r.ed);
        ToolbarButton& b = r.ed->toolbar.toolbarButtons[size_t(c.slot)];
        if (c.code != 0) b.code = c.code;
        b.enabled = c.enabled ? 1 : 0;
        EXPECT_FALSE(pressUiItem(*r.ed, c.slot)) << "nothing of these acts on the press";
        r.clickOn(c.slot);
        r.expectOutcome(c.want);
    }
}

}  // namespace
}  // namespace korvel
