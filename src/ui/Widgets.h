// The panel widgets of the pages: the tables of value fields, check boxes, radio buttons, push
// buttons and scroll bars, laid out for the current language.
#pragma once

namespace korvel {

struct Editor;

// Builds the five widget tables from scratch.
void layoutWidgets(Editor& ed);

}  // namespace korvel
