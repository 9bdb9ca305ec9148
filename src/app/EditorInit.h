// The configuration as the editor reads and writes it, and the editor state initialisation that
// follows every read: an empty map marked as saved, the plan view at zoom 16, default parameters
// for every tool and page, fresh work tables and a restarted clock.
#pragma once

namespace korvel {

struct Editor;
struct ConfigTarget;

ConfigTarget configTarget(Editor& ed);
// Reads korvel.cfg, else default.cfg (with neither, the settings stay as they are), then
// initialises the editor state.
void loadConfigAndInit(Editor& ed);
// Writes every setting and the recent list into korvel.cfg; whether it was written.
bool saveConfig(Editor& ed);
void initEditorState(Editor& ed);

}  // namespace korvel
