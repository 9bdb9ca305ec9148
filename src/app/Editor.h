// The editor object: the one owner of all program state, an aggregate of component structs,
// each owning one area. Procedures take the components they need by reference.
#pragma once

#include "app/AppState.h"
#include "app/BootLog.h"
#include "app/Demo.h"
#include "app/EditorCalls.h"
#include "app/EditorEvents.h"
#include "app/FrameLoop.h"
#include "app/InputState.h"
#include "app/Particles.h"
#include "app/Settings.h"
#include "app/Sound.h"
#include "base/Random.h"
#include "commands/AttributeClipboard.h"
#include "commands/OperationHooks.h"
#include "editing/DispatchState.h"
#include "editing/DrawVertexList.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "editing/ValuePromptState.h"
#include "geometry/DragMath.h"
#include "editing/ViewNavigation.h"
#include "map/MapClipboard.h"
#include "map/MapFileState.h"
#include "map/MapStore.h"
#include "map/UndoSnapshot.h"
#include "pages/Pages.h"
#include "resources/ColorTables.h"
#include "resources/TileCatalog.h"
#include "resources/TileStore.h"
#include "ui/ColorSettings.h"
#include "ui/Cursor.h"
#include "ui/Fonts.h"
#include "ui/FrameBuffer.h"
#include "ui/HelpText.h"
#include "ui/Languages.h"
#include "ui/Menus.h"
#include "ui/MessageHistory.h"
#include "ui/Skin.h"
#include "ui/Toolbar.h"
#include "ui/TypedDigits.h"
#include "ui/Widgets.h"
#include "views/OverlayLists.h"
#include "views/PlanViewState.h"
#include "views/ViewBookmarks.h"
#include "views/ViewState.h"

namespace korvel {

struct Editor {
    AppState app;
    MapStore map;
    MapFileState mapFile;
    UndoSnapshot undo;
    MapClipboard clipboard;
    AttributeClipboardState attributes;  // the attribute clipboard and its slope switch
    ViewState view;
    Particles particles;
    TileStore tiles;
    ColorTables colorTables;
    TileCatalog tileCatalog;
    FrameBuffer frameBuffer;
    Fonts fonts;
    Skin skin;
    Languages langs;
    ColorSettings colorSettings;
    CursorState cursor;
    InputState input;
    BootLogState bootLogState;
    ValuePromptState prompt;
    Settings settings;
    Random random;  // the program's one random generator
    SoundState sound;
    FrameLoopState loop;
    ToolState tool;
    DragState drag;  // where the current mouse drag started
    HoverState hover;
    DispatchState dispatch;
    ToolbarState toolbar;
    MenuState menus;
    WidgetState widgets;
    DrawVertexList drawVertices;
    OverlayLists overlays;
    PlanViewState planView;
    DemoState demo;
    ViewMotionState viewMotion;
    Pages pages;
    HelpState help;
    MessageLists messages;
    TypingState typing;
    ViewBookmarks bookmarks;
    // The calls into the rest of the program (tests replace entries), and the model layer's
    // reports, which go through them.
    EditorCalls calls;
    EditorMapEvents events{*this};
    // The operations the editing commands call whose work lies elsewhere.
    OperationHooks operations = defaultOperationHooks();
};

}  // namespace korvel
