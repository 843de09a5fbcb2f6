# Desktop integration files for Linux installs: the menu entry, the AppStream
# metainfo and the icon in each hicolor size, all under the application id.
# Included from qt/CMakeLists.txt; the tintora executable is installed there.

include(GNUInstallDirs)

set(TINTORA_APP_ID org.example.Tintora)
set(tintora_resources ${CMAKE_CURRENT_LIST_DIR})

install(FILES ${tintora_resources}/${TINTORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tintora_resources}/${TINTORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48)
  install(FILES ${tintora_resources}/icons/tintora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TINTORA_APP_ID}.png)
endforeach()
install(FILES ${tintora_resources}/icons/tintora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TINTORA_APP_ID}.svg)

# What Debian asks of a package beside the program: the copyright file in the
# machine-readable format, the changelog and the manual page, the last two
# compressed with gzip -9n (no stored name or time, so rebuilds are identical).
set(tintora_docs ${CMAKE_CURRENT_BINARY_DIR}/docs)

# The copyright file carries the licence text of LICENSE, indented as the
# format asks, so the two cannot drift apart.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE tintora_license)
if(NOT tintora_license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: no \"Copyright (c) YEAR HOLDER\" line followed by the terms")
endif()
set(TINTORA_COPYRIGHT ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" TINTORA_LICENSE_TEXT "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " TINTORA_LICENSE_TEXT " ${TINTORA_LICENSE_TEXT}")
configure_file(${tintora_resources}/debian/copyright.in ${tintora_docs}/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

configure_file(${tintora_resources}/debian/changelog ${tintora_docs}/changelog COPYONLY)
configure_file(${tintora_resources}/tintora.1.in ${tintora_docs}/tintora.1 @ONLY)

add_custom_command(
  OUTPUT ${tintora_docs}/changelog.gz ${tintora_docs}/tintora.1.gz
  COMMAND gzip -9nkf changelog tintora.1
  DEPENDS ${tintora_docs}/changelog ${tintora_docs}/tintora.1
  WORKING_DIRECTORY ${tintora_docs}
  COMMENT "Compressing the changelog and the manual page"
  VERBATIM)
add_custom_target(tintora_docs ALL DEPENDS ${tintora_docs}/changelog.gz ${tintora_docs}/tintora.1.gz)

install(FILES ${tintora_docs}/copyright ${tintora_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintora)
install(FILES ${tintora_docs}/tintora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
