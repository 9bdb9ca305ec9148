#include "ui/Menus.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

// Menus show the captions and shortcut texts of the command table; codes no command has show
// message 0 and no shortcut.
TEST(Menus, ItemsShowTheCaptionAndShortcutOfTheirCommand) {
    struct Case {
        int32_t code;
        int32_t caption;
        const char* shortcut;
    } const cases[] = {
        {768, 787, "[CTRL+N]"},
        {775, 851, ""},
        {789, 865, ""},
        {830, 835, "[I]"},
        {831, 834, "[U]"},  // these two take each other's numbers
        {852, 1284, "[CTRL+ALT+SHIFT+T]"},
        {868, 1333, "[CTRL+ALT+I]"},
        {767, 0, ""},
        {869, 0, ""},
        {999, 0, ""},
        {-1, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(commandTextId(c.code), c.caption);
        EXPECT_EQ(commandShortcut(c.code), c.shortcut);
    }
}

}  // namespace
}  // namespace korvel
