# Installation and the Debian package.
#
# `cmake --install` puts the executables in bin/ and the game data in
# share/digmaze, where the game looks for it from ../share/digmaze beside its
# executable. The pictures and sounds are installed as resource drives packed
# at build time (build/drives), so an installation that cannot be written
# reads them as they are and never makes a per-user copy. The desktop entry,
# the icons and the AppStream metadata go where desktops look for them.
include(GNUInstallDirs)

set(DIGMAZE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/digmaze)
set(DIGMAZE_DRIVE_DIR ${CMAKE_BINARY_DIR}/drives)

set(drives)
foreach(drive image sound)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/vdd/${drive}/*)
  set(files ${DIGMAZE_DRIVE_DIR}/${drive}.vdt ${DIGMAZE_DRIVE_DIR}/${drive}.vdd)
  add_custom_command(OUTPUT ${files}
    COMMAND digmaze-drive ${DIGMAZE_DRIVE_DIR} ${drive} ${PROJECT_SOURCE_DIR}/data/vdd/${drive}
    DEPENDS digmaze-drive ${sources}
    COMMENT "Packing the ${drive} drive for installation"
    VERBATIM)
  list(APPEND drives ${files})
endforeach()
add_custom_target(install_drives ALL DEPENDS ${drives})

install(TARGETS digmaze digmaze-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Maps ${PROJECT_SOURCE_DIR}/data/help
                  ${PROJECT_SOURCE_DIR}/data/windows
        DESTINATION ${DIGMAZE_DATA_DESTINATION})
install(FILES ${drives} DESTINATION ${DIGMAZE_DATA_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/digmaze.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/org.digmaze.digmaze.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The Debian package: `cpack` in the build folder (or --config
# build/CPackConfig.cmake) writes digmaze_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME digmaze)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Digmaze team")
set(CPACK_PACKAGE_CONTACT "The Digmaze team <digmaze@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "platform game with a map editor")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Steer the runner through levels of bricks, floors, ladders and lines,\n"
    "collect every treasure, dig holes to trap the pursuing aliens, and reach\n"
    "the exit. The game comes with its own map editor and plays with the\n"
    "keyboard, the mouse or a gamepad.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executables link (SDL2 among them) become the package's
# dependencies, read from the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
