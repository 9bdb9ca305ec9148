// View bookmarks: stored views with copies of the hidden flags of sectors and sprites.
#pragma once

namespace korvel {

struct Editor;

// Refreshes the bookmarks' copies of the hidden flags after objects were renumbered.
void refreshBookmarkHiddenFlags(Editor& ed);

}  // namespace korvel
