# Text files of the data folder: the English language file, the menus, the help file and the
# tile categories, all made by korvel_textgen from the readable sources in data/.
set(KORVEL_TEXTGEN_DIR ${CMAKE_CURRENT_SOURCE_DIR}/textgen)
file(GLOB KORVEL_TEXTGEN_SOURCES CONFIGURE_DEPENDS ${KORVEL_TEXTGEN_DIR}/*.cpp)
if(NOT TARGET korvel_textgen)
    # The menus' captions and shortcut texts come from the program's command table.
    add_executable(korvel_textgen ${KORVEL_TEXTGEN_SOURCES})
    target_include_directories(korvel_textgen PRIVATE ${KORVEL_TEXTGEN_DIR})
    target_link_libraries(korvel_textgen PRIVATE korvel_core)
    set_target_properties(korvel_textgen PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                          ${CMAKE_BINARY_DIR}/tools)
endif()

set(KORVEL_HELP_FILE_NAME korvel_en.hlp)
set(KORVEL_TEXT_SOURCES
    ${KORVEL_DATA_SOURCE_DIR}/lang/english.txt
    ${KORVEL_DATA_SOURCE_DIR}/menus/menus.txt
    ${KORVEL_DATA_SOURCE_DIR}/help/english.txt
    ${KORVEL_DATA_SOURCE_DIR}/tiles/tilesets.txt)
set(KORVEL_TEXT_OUTPUTS
    ${KORVEL_DATA_DIR}/lang000.dat
    ${KORVEL_DATA_DIR}/menus.dat
    ${KORVEL_DATA_DIR}/${KORVEL_HELP_FILE_NAME}
    ${KORVEL_DATA_DIR}/TILESETS.DAT)
# The menu boxes are sized with the widths of the menu font when a rule made before this one
# generates its width file; otherwise every glyph counts as wide as its cell.
set(KORVEL_MENU_FONT_WIDTHS ${KORVEL_DATA_DIR}/vfnt8x11.wid)
if(NOT KORVEL_MENU_FONT_WIDTHS IN_LIST KORVEL_DATA_OUTPUTS)
    set(KORVEL_MENU_FONT_WIDTHS "")
endif()
add_custom_command(
    OUTPUT ${KORVEL_TEXT_OUTPUTS}
    COMMAND korvel_textgen ${KORVEL_TEXT_SOURCES} ${KORVEL_DATA_DIR} ${KORVEL_HELP_FILE_NAME}
            ${KORVEL_MENU_FONT_WIDTHS}
    DEPENDS korvel_textgen ${KORVEL_TEXT_SOURCES} ${KORVEL_MENU_FONT_WIDTHS}
    COMMENT "Generating the language, menu, help and tile category files"
    VERBATIM)
list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_TEXT_OUTPUTS})
