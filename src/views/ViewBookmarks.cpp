#include "views/ViewBookmarks.h"

namespace korvel {

// Bookmarks arrive with their own change; until then there are no copies to refresh.
void refreshBookmarkHiddenFlags(Editor&) {}

}  // namespace korvel
