// The static panel of the current page, drawn into the background when the page changes.
#pragma once

namespace korvel {

struct Editor;

// So far only the requests some panels make on entering: the report and statistics pages ask
// for the deferred action that fills them, with the busy cursor.
void drawModePanel(Editor& ed);

}  // namespace korvel
