#include "pages/PageTable.h"

#include <gtest/gtest.h>

#include "pages/FileBrowser.h"
#include "pages/ProfileEditor.h"

namespace korvel {
namespace {

// Which painter runs for which page is the frame loop's test; here the input side.
TEST(PageTable, OnlyTheProfileEditorHasAPaneAndOnlyTheFileBrowserItsOwnKeys) {
    for (int32_t n = -1; n <= 256; ++n) {
        const Page page = Page(n);
        const PageEntry& e = pageEntry(page);
        EXPECT_EQ(e.mouse, page == Page::ProfileEditor ? &editProfilePanel : nullptr) << n;
        EXPECT_EQ(e.keys, page == Page::FileBrowser ? &fileBrowserKeys : nullptr) << n;
    }
}

}  // namespace
}  // namespace korvel
