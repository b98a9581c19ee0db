# cmake --install: the programs in bin/, the data users fill under
# share/ludro-pro/ (found from bin/ as ../share/ludro-pro, so any prefix
# works), the plug-in header, man pages, the desktop files and the copyright.

include(GNUInstallDirs)

set(LUDRO_SCREENSHOT_URL "" CACHE STRING
    "The web folder docs/screenshots is published in, for the AppStream screenshots")

install(TARGETS ludro ludroctl sonark-play ludro-cd RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${LUDRO_PROGRAM_DIR}/textures ${LUDRO_PROGRAM_DIR}/language ${LUDRO_PROGRAM_DIR}/icons
                  ${LUDRO_PROGRAM_DIR}/presets ${LUDRO_PROGRAM_DIR}/Browser ${LUDRO_PROGRAM_DIR}/plugins
                  ${LUDRO_PROGRAM_DIR}/demo
        DESTINATION ${CMAKE_INSTALL_DATADIR}/ludro-pro
        PATTERN .keep EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/ludro DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Man pages go compressed, as Debian's policy asks.
find_program(LUDRO_GZIP gzip REQUIRED)
set(man_pages)
foreach(page ludro ludroctl sonark-play ludro-cd)
  set(man_page ${CMAKE_BINARY_DIR}/man/${page}.1)
  add_custom_command(
    OUTPUT ${man_page}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/man/${page}.1 ${man_page}
    COMMAND ${LUDRO_GZIP} -9nf ${man_page}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/man/${page}.1
    VERBATIM)
  list(APPEND man_pages ${man_page}.gz)
endforeach()
add_custom_target(man-pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian's machine-readable copyright file, where every package keeps it.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ludro-pro)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/org.ludro.LudroPro.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/org.ludro.LudroPro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(LUDRO_METAINFO_SCREENSHOTS "")
if(LUDRO_SCREENSHOT_URL)
  string(APPEND LUDRO_METAINFO_SCREENSHOTS "  <screenshots>\n")
  foreach(shot main-window playlist-window equalizer texture-ember-windows cd-view prefs-1)
    set(kind "")
    if(shot STREQUAL "main-window")
      set(kind " type=\"default\"")
    endif()
    string(APPEND LUDRO_METAINFO_SCREENSHOTS
           "    <screenshot${kind}><image>${LUDRO_SCREENSHOT_URL}/${shot}.png</image></screenshot>\n")
  endforeach()
  string(APPEND LUDRO_METAINFO_SCREENSHOTS "  </screenshots>\n")
endif()
configure_file(${CMAKE_SOURCE_DIR}/data/desktop/org.ludro.LudroPro.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/org.ludro.LudroPro.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/org.ludro.LudroPro.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
