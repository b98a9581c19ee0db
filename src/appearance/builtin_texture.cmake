# The drawing of the built-in texture and the look of our own windows, and
# the built-in texture's pictures drawn when the program is built: the
# program and the fuzz build include this.
add_library(ludro_art STATIC
  ${CMAKE_CURRENT_LIST_DIR}/browser_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cool_bar_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/equalizer_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/indicator_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_faces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lcd_digits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playlist_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recorder_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture_color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/theme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_title_bar.cpp
)
target_include_directories(ludro_art PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(ludro_art PUBLIC Qt6::Gui)

# The built-in texture's pictures are drawn when the program is built, and
# carried as resources.
add_executable(ludro-draw-builtin-texture ${CMAKE_CURRENT_LIST_DIR}/draw_builtin_texture.cpp)
target_link_libraries(ludro-draw-builtin-texture PRIVATE ludro_art)
set(builtin_names main selected coolbar coolbar-selected equalizer playlist browser recorder status numbers
    position-knob position-knob-pressed volume-knob volume-knob-pressed)
set(builtin_dir ${CMAKE_CURRENT_BINARY_DIR}/builtin-texture)
list(TRANSFORM builtin_names PREPEND ${builtin_dir}/ OUTPUT_VARIABLE builtin_files)
list(TRANSFORM builtin_files APPEND .argb)
add_custom_command(
  OUTPUT ${builtin_files}
  # A sanitizer build runs the drawing too; what Qt keeps until exit is no leak
  # of ours, nor is a race between Qt's own painting threads.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/tsan.supp
          $<TARGET_FILE:ludro-draw-builtin-texture> ${builtin_dir}
  DEPENDS ludro-draw-builtin-texture
  COMMENT "Drawing the built-in texture"
  VERBATIM)
