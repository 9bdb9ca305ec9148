// The help file of the current language, laid out for the document viewer.
#pragma once

namespace korvel {

struct Editor;

// Loads and lays out the current language's help file.
void loadHelpFile(Editor& ed);

}  // namespace korvel
