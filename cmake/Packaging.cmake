# What `cmake --install` puts beside the programs (their own install rules live with their
# targets): the desktop entry, the icon in two sizes and the AppStream metainfo. `cpack -G
# DEB` then builds a Debian package naming the Debian runtime packages it needs.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/skelvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/org.example.skelvane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SKELVANE_ICON_FOLDER}/skelvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${SKELVANE_ICON_FOLDER}/skelvane.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(CPACK_PACKAGE_NAME skelvane)
set(CPACK_PACKAGE_VENDOR "Skelvane")
set(CPACK_PACKAGE_CONTACT "Skelvane <skelvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop clock and almanac")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A small always-on-top clock with the date, a month calendar with holidays and moon "
       "phases, sunrise and sunset and the outdoor temperature, and an information window "
       "with the Moon, planets, eclipses, weather, time, a year calendar and tools.")
set(CPACK_STRIP_FILES ON) # the package carries no debugging information
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://skelvane.example.org/")
# Debian 12's runtime packages of the libraries the programs link, the X11 platform
# plugin, and the fonts and zone data the windows need.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6printsupport6 (>= 6.4), qt6-qpa-plugins, libcurl4, libgif7, libjpeg62-turbo, zlib1g, libcpp-httplib0.11, tzdata, fonts-dejavu-core, fonts-liberation2")
# The Weather page's browser plugin needs Qt WebEngine; without it the page says so and
# addresses open in the user's browser. The Satellite page's movie player plugin needs Qt
# Multimedia; without it the page shows stills and loops only.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libqt6webenginewidgets6 (>= 6.4), libqt6multimedia6 (>= 6.4)")
include(CPack)
