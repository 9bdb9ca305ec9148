#include "editing/MenuCommands.h"

#include <gtest/gtest.h>

#include "support/CommandRig.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;

TEST(MenuCommands, AChosenItemRunsItsCommandAndClosesTheMenu) {
    struct Case {
        int32_t code;
        Want want;
        bool menuCloses;
    } const cases[] = {
        {770, Want::Saved, true},       // Save map
        {771, Want::NamePrompt, true},  // Save map as
        {790, Want::Nothing, true},     // Quit: asks, once its question arrives
        {868, Want::Nothing, false},    // a command whose handler has not arrived does nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        CommandRig r;
        r.ed->menus.openMenu = 1;
        r.click(c.code);
        r.expectOutcome(c.want);
        EXPECT_EQ(r.ed->menus.openMenu, c.menuCloses ? 0 : 1);
    }
}

}  // namespace
}  // namespace korvel
