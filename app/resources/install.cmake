# Desktop integration files for Linux installs: the menu entry, the AppStream
# metainfo and the icon in each hicolor size, all under the application id.
# Included from app/CMakeLists.txt; the tintora executable is installed there.

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
