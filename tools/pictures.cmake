# Pictures, sounds and settings of the default data folder: fonts, display palette, start
# screen, skin, default configuration and sound cues, each made by a small generator from
# its readable source in data/.
find_library(KORVEL_GIF_LIBRARY NAMES gif REQUIRED)
find_path(KORVEL_GIF_INCLUDE_DIR NAMES gif_lib.h REQUIRED)

set(KORVEL_PICTURES_DIR ${CMAKE_CURRENT_SOURCE_DIR}/pictures)

if(NOT TARGET make_font)
    foreach(tool make_font make_palette make_startscreen make_skin make_config make_sounds)
        add_executable(${tool} ${KORVEL_PICTURES_DIR}/${tool}.cpp)
        target_include_directories(${tool} PRIVATE ${KORVEL_PICTURES_DIR})
    endforeach()
    target_include_directories(make_startscreen PRIVATE ${KORVEL_GIF_INCLUDE_DIR})
    target_link_libraries(make_startscreen PRIVATE ${KORVEL_GIF_LIBRARY})
endif()

# Fonts: the monospaced sheets, then the proportional sheets with their width files.
foreach(font mfnt4x6 mfnt7x11)
    add_custom_command(
        OUTPUT ${KORVEL_DATA_DIR}/${font}.bmp
        COMMAND make_font ${KORVEL_DATA_SOURCE_DIR}/fonts/${font}.txt ${KORVEL_DATA_DIR}/${font}.bmp
        DEPENDS make_font ${KORVEL_DATA_SOURCE_DIR}/fonts/${font}.txt
        COMMENT "Font ${font}.bmp")
    list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_DATA_DIR}/${font}.bmp)
endforeach()
foreach(font vfnt5x7 vfnt8x11)
    add_custom_command(
        OUTPUT ${KORVEL_DATA_DIR}/${font}.bmp ${KORVEL_DATA_DIR}/${font}.wid
        COMMAND make_font ${KORVEL_DATA_SOURCE_DIR}/fonts/${font}.txt ${KORVEL_DATA_DIR}/${font}.bmp
                ${KORVEL_DATA_DIR}/${font}.wid
        DEPENDS make_font ${KORVEL_DATA_SOURCE_DIR}/fonts/${font}.txt
        COMMENT "Font ${font}.bmp and ${font}.wid")
    list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_DATA_DIR}/${font}.bmp ${KORVEL_DATA_DIR}/${font}.wid)
endforeach()

# The display palette and the start screen share one palette source.
add_custom_command(
    OUTPUT ${KORVEL_DATA_DIR}/Palette.pal
    COMMAND make_palette ${KORVEL_DATA_SOURCE_DIR}/palette/display-palette.txt
            ${KORVEL_DATA_DIR}/Palette.pal
    DEPENDS make_palette ${KORVEL_DATA_SOURCE_DIR}/palette/display-palette.txt
    COMMENT "Display palette Palette.pal")
add_custom_command(
    OUTPUT ${KORVEL_DATA_DIR}/mainscr.gif
    COMMAND make_startscreen ${KORVEL_DATA_DIR}/Palette.pal
            ${KORVEL_DATA_SOURCE_DIR}/fonts/mfnt7x11.txt ${KORVEL_DATA_DIR}/mainscr.gif
    DEPENDS make_startscreen ${KORVEL_DATA_DIR}/Palette.pal
            ${KORVEL_DATA_SOURCE_DIR}/fonts/mfnt7x11.txt
    COMMENT "Start screen mainscr.gif")
list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_DATA_DIR}/Palette.pal ${KORVEL_DATA_DIR}/mainscr.gif)

# The skin: a layout of named pieces, each piece drawn in one of the art files.
file(GLOB KORVEL_SKIN_SOURCES CONFIGURE_DEPENDS ${KORVEL_DATA_SOURCE_DIR}/skin/*.txt)
add_custom_command(
    OUTPUT ${KORVEL_DATA_DIR}/uinterfc.bmp
    COMMAND make_skin ${KORVEL_DATA_SOURCE_DIR}/skin ${KORVEL_DATA_DIR}/Palette.pal
            ${KORVEL_DATA_DIR}/uinterfc.bmp
    DEPENDS make_skin ${KORVEL_SKIN_SOURCES} ${KORVEL_DATA_DIR}/Palette.pal
    COMMENT "Skin uinterfc.bmp")
list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_DATA_DIR}/uinterfc.bmp)

add_custom_command(
    OUTPUT ${KORVEL_DATA_DIR}/default.cfg
    COMMAND make_config ${KORVEL_DATA_SOURCE_DIR}/config/default-settings.txt
            ${KORVEL_DATA_DIR}/default.cfg
    DEPENDS make_config ${KORVEL_DATA_SOURCE_DIR}/config/default-settings.txt
    COMMENT "Default configuration default.cfg")
list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_DATA_DIR}/default.cfg)

set(KORVEL_SOUND_CUES command mode1 mode2 mode3 beep1 beep2 beep3 discont contact cancel pyro
    spriexpl sectexpl message1)
set(KORVEL_SOUND_FILES "")
foreach(cue ${KORVEL_SOUND_CUES})
    list(APPEND KORVEL_SOUND_FILES ${KORVEL_DATA_DIR}/${cue}.wav)
endforeach()
add_custom_command(
    OUTPUT ${KORVEL_SOUND_FILES}
    COMMAND make_sounds ${KORVEL_DATA_SOURCE_DIR}/sounds/cues.txt ${KORVEL_DATA_DIR}
    DEPENDS make_sounds ${KORVEL_DATA_SOURCE_DIR}/sounds/cues.txt
    COMMENT "Sound cues")
list(APPEND KORVEL_DATA_OUTPUTS ${KORVEL_SOUND_FILES})
