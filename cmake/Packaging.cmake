# Installation layout and the Debian package.
#
#   bin/HESKMonitor, bin/heskmon, bin/hesk-drive-sim
#   share/heskmonitor/projects      installed sample projects
#   share/heskmonitor/faults        the fault and alarm tables (also compiled in)
#   share/heskmonitor/docs/manual   the user manual
#   share/heskmonitor/translations  the English interface (heskmonitor_en.qm, also compiled in)
#   share/applications, share/icons the desktop entry and the icon
#
# `cpack` in the build folder writes heskmonitor_<version>_<arch>.deb; its dependencies are
# the Debian packages of the libraries the programs link (dpkg-shlibdeps), plus the
# CJK font the window needs at run time (the X11 platform plugin comes with libqt6gui6).

install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/faults/ DESTINATION share/heskmonitor/faults
        FILES_MATCHING PATTERN "*.tsv")
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/heskmonitor.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/heskmonitor.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/heskmonitor.png
        DESTINATION share/icons/hicolor/64x64/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME heskmonitor)
set(CPACK_PACKAGE_VENDOR "HESKMonitor developers")
set(CPACK_PACKAGE_CONTACT "HESKMonitor developers <heskmonitor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Commissioning and monitoring tool for industrial motor drives")
set(CPACK_PACKAGE_DESCRIPTION
    "Opens a project that describes every parameter of one drive type and firmware version, connects over RS-232 or UDP, watches and changes parameters live and moves parameter sets to and from files. Ships the command-line front end heskmon and the simulated drive hesk-drive-sim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_LICENSE "GPL-3.0-or-later")
include(CPack)
