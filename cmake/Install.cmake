# `cmake --install` in the GNU layout: the program, the data folder's template and the user
# guide under share/kartello, the desktop entry with the ADIF log type, the icon, the AppStream
# metadata and the manual page. An installed kartello finds share/kartello at ../share/kartello
# from its own folder, so the layout below keeps that distance.
include(GNUInstallDirs)

set(KARTELLO_APP_ID org.kartello.Kartello)
set(KARTELLO_RELEASE_DATE 2026-12-08)
set(KARTELLO_HOMEPAGE "https://kartello.org/" CACHE STRING "Kartello's web page, named in the AppStream metadata")
set(KARTELLO_SCREENSHOT_URL "https://kartello.org/screenshot.png" CACHE STRING
    "Where software centres fetch the screenshot (a copy of docs/screenshot.png)")
set(KARTELLO_SHARE ${CMAKE_INSTALL_FULL_DATADIR}/kartello)
set(install_data ${PROJECT_SOURCE_DIR}/data/install)
set(generated ${CMAKE_BINARY_DIR}/install)

if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(WARNING "An installed kartello looks for its template in ../share/kartello beside its bin folder")
endif()

install(TARGETS kartello RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The data folder's template has a folder of its own, never the data folder "system/": with
# --prefix ~/.local, share/kartello/system is the operator's own data folder, which installing
# again must not overwrite.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/system/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kartello/template)
install(FILES ${PROJECT_SOURCE_DIR}/data/help/Kartello.html ${PROJECT_SOURCE_DIR}/data/help/first-start.png
              ${PROJECT_SOURCE_DIR}/data/help/interface-panel.png ${PROJECT_SOURCE_DIR}/data/help/adif-panel.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kartello)

install(FILES ${install_data}/${KARTELLO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${install_data}/${KARTELLO_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${KARTELLO_APP_ID}.xml)

# The icon: drawn as kartello.svg, its PNG sizes rendered from it by scripts/render-icons.sh.
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kartello.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${KARTELLO_APP_ID}.svg)
foreach(size 48 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kartello-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KARTELLO_APP_ID}.png)
endforeach()

configure_file(${install_data}/${KARTELLO_APP_ID}.metainfo.xml.in
               ${generated}/${KARTELLO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${KARTELLO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, compressed as distributions ship them (without a time stamp, so that two
# builds of one tree give the same bytes).
configure_file(${install_data}/kartello.1 ${generated}/kartello.1 @ONLY)
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${generated}/kartello.1.gz
  COMMAND ${GZIP_PROGRAM} -9 -n -c ${generated}/kartello.1 > ${generated}/kartello.1.gz
  DEPENDS ${generated}/kartello.1
  COMMENT "Compressing the manual page")
add_custom_target(manual_page ALL DEPENDS ${generated}/kartello.1.gz)
install(FILES ${generated}/kartello.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

include(${PROJECT_SOURCE_DIR}/cmake/DebianPackage.cmake)
