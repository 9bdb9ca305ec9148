#include "editing/UiItemActions.h"

namespace korvel {

// Arrives with the UI item actions; until then every code waits for its release.
bool pressUiItem(Editor&, int32_t) {
    return false;
}

// Arrives with the UI item actions; until then a release does nothing.
void releaseUiItem(Editor&) {}

}  // namespace korvel
