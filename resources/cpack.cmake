# Debian package settings. Included at the end of the top-level CMakeLists.txt,
# after every install() rule, so that `cpack` in the build tree makes the .deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintora)
set(CPACK_PACKAGE_VENDOR "Tintora developers")
set(CPACK_PACKAGE_CONTACT "Tintora developers <tintora@example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mix a screen colour from its red, green and blue parts")
# The first line of the Debian description is the summary above; these lines
# follow it, wrapped for the control file.
set(CPACK_PACKAGE_DESCRIPTION
    "Tintora is a small colour mixer with a Simplified Chinese interface.\n\
Each of the red, green and blue channels has a slider, a decimal box\n\
and a hexadecimal box; change any one and the other two follow, while\n\
a large preview shows the mixed colour.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tintora developers <tintora@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Qt and libstdc++ dependencies via dpkg-shlibdeps
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tintora_1.1.0_amd64.deb
# The labels need a font with Chinese glyphs (shlibdeps adds the libraries);
# Qt's own Chinese translation turns the standard buttons and context menus
# Chinese too. Qt's Wayland plugin lets the window run natively on a Wayland
# desktop; without it Qt falls back to XWayland, which most such desktops
# still have, so it is recommended (apt installs it by default) rather than
# required on a plain X11 system.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)
