# Installation and the Debian package.
#
# `cmake --install` lays the game out as the system's games are: the
# executables in games/, the game data in share/games/digmaze, where the game
# looks for it from ../share/games/digmaze beside its executable. The
# pictures and sounds are installed as resource drives packed at build time
# (build/drives), so an installation that cannot be written reads them as
# they are and never makes a per-user copy. The desktop entry, the icons, the
# AppStream metadata, the manual pages and the package's copyright and
# changelog go where desktops and the system look for them, and the type of
# the map files with them.
include(GNUInstallDirs)

set(DIGMAZE_GAMES_DESTINATION games)
set(DIGMAZE_HELPER_DESTINATION lib/games/digmaze)
set(DIGMAZE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/games/digmaze)
set(DIGMAZE_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/digmaze)
set(DIGMAZE_DRIVE_DIR ${CMAKE_BINARY_DIR}/drives)
set(DIGMAZE_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
# The package's maintainer, also the changelog's author and the copyright's contact.
set(CPACK_PACKAGE_CONTACT "The Digmaze team <digmaze@example.org>")

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

# ---- Texts made from the version --------------------------------------------
# The release date in the changelog's form, "Sun, 06 Dec 2026 00:00:00 +0000".
# The weekday comes from Zeller's congruence, so the text depends on nothing
# but DIGMAZE_RELEASE_DATE.
string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" date_ok
       "${DIGMAZE_RELEASE_DATE}")
if(NOT date_ok)
  message(FATAL_ERROR "DIGMAZE_RELEASE_DATE '${DIGMAZE_RELEASE_DATE}' is not YYYY-MM-DD")
endif()
set(DIGMAZE_RELEASE_YEAR ${CMAKE_MATCH_1})
math(EXPR month "${CMAKE_MATCH_2}")
math(EXPR day "${CMAKE_MATCH_3}")
set(year ${DIGMAZE_RELEASE_YEAR})
set(m ${month})
if(m LESS 3)
  math(EXPR m "${m} + 12")
  math(EXPR year "${year} - 1")
endif()
math(EXPR weekday "(${day} + (13 * (${m} + 1)) / 5 + ${year} + ${year} / 4 - ${year} / 100 + ${year} / 400) % 7")
set(weekday_names Sat Sun Mon Tue Wed Thu Fri)
list(GET weekday_names ${weekday} weekday_name)
math(EXPR month_index "${month} - 1")
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET month_names ${month_index} month_name)
set(DIGMAZE_RELEASE_DATE_RFC
    "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${DIGMAZE_RELEASE_YEAR} 00:00:00 +0000")

# The copyright file in the machine-readable form; the fonts' paragraph takes
# its copyright and licence from the notice that travels with the fonts.
file(READ ${PROJECT_SOURCE_DIR}/tools/fonts/DejaVu-fonts-LICENSE.txt fonts_notice)
string(FIND "${fonts_notice}" "Copyright:" fonts_start)
if(fonts_start LESS 0)
  message(FATAL_ERROR "tools/fonts/DejaVu-fonts-LICENSE.txt has no Copyright field")
endif()
string(SUBSTRING "${fonts_notice}" ${fonts_start} -1 DIGMAZE_FONTS_LICENSE)
string(STRIP "${DIGMAZE_FONTS_LICENSE}" DIGMAZE_FONTS_LICENSE)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${DIGMAZE_PACKAGING_DIR}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${DIGMAZE_PACKAGING_DIR}/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/org.digmaze.digmaze.metainfo.xml.in
               ${DIGMAZE_PACKAGING_DIR}/org.digmaze.digmaze.metainfo.xml @ONLY)

# The manual pages, made by digmaze-manual from their templates and the
# tables the programs' --help texts print.
set(manuals)
foreach(program digmaze digmaze-sim)
  set(page ${DIGMAZE_PACKAGING_DIR}/${program}.6)
  add_custom_command(OUTPUT ${page}
    COMMAND digmaze-manual ${program} ${PROJECT_SOURCE_DIR}/packaging/${program}.6.in ${page}
            ${PROJECT_VERSION} ${DIGMAZE_RELEASE_DATE}
    DEPENDS digmaze-manual ${PROJECT_SOURCE_DIR}/packaging/${program}.6.in
    COMMENT "Writing the manual page ${program}(6)"
    VERBATIM)
  list(APPEND manuals ${page})
endforeach()

# Installed compressed, without a name or a time in the gzip header, so the
# same text gives the same bytes.
set(compressed)
foreach(text ${manuals} ${DIGMAZE_PACKAGING_DIR}/changelog)
  add_custom_command(OUTPUT ${text}.gz
    COMMAND gzip -9nkf ${text}
    DEPENDS ${text}
    VERBATIM)
  list(APPEND compressed ${text}.gz)
endforeach()
add_custom_target(install_texts ALL DEPENDS ${compressed})

# ---- What goes where --------------------------------------------------------
install(TARGETS digmaze digmaze-sim RUNTIME DESTINATION ${DIGMAZE_GAMES_DESTINATION})
# The editor's check runs beside the game, as the system keeps a game's own
# helper programs: lib/games/digmaze, where the game looks from its games/.
install(TARGETS digmaze-check RUNTIME DESTINATION ${DIGMAZE_HELPER_DESTINATION})
# A stripped installation also loses the compiler's notes (.comment), which
# nothing reads.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program ${DIGMAZE_GAMES_DESTINATION}/digmaze ${DIGMAZE_GAMES_DESTINATION}/digmaze-sim
                    ${DIGMAZE_HELPER_DESTINATION}/digmaze-check)
      set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\")
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment \"\${file}\"
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"objcopy could not remove .comment from \${file}\")
      endif()
    endforeach()
  endif()")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Maps ${PROJECT_SOURCE_DIR}/data/demo
                  ${PROJECT_SOURCE_DIR}/data/solutions ${PROJECT_SOURCE_DIR}/data/music
                  ${PROJECT_SOURCE_DIR}/data/help ${PROJECT_SOURCE_DIR}/data/windows
        DESTINATION ${DIGMAZE_DATA_DESTINATION})
install(FILES ${drives} DESTINATION ${DIGMAZE_DATA_DESTINATION})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${DIGMAZE_PACKAGING_DIR}/org.digmaze.digmaze.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The map files' type, which the desktop entry opens with the game.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/digmaze-map.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME digmaze.xml)
install(FILES ${DIGMAZE_PACKAGING_DIR}/digmaze.6.gz ${DIGMAZE_PACKAGING_DIR}/digmaze-sim.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${DIGMAZE_PACKAGING_DIR}/copyright ${DIGMAZE_PACKAGING_DIR}/changelog.gz
        DESTINATION ${DIGMAZE_DOC_DESTINATION})
# The desktop entry starts the game by its full path, which is known only
# when installing (`cmake --install --prefix`, or /usr in the package); the
# games folder of another prefix need not be on the PATH.
install(CODE "
  set(DIGMAZE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${DIGMAZE_GAMES_DESTINATION}/digmaze\")
  if(DIGMAZE_EXEC MATCHES \" \")
    set(DIGMAZE_EXEC \"\\\"\${DIGMAZE_EXEC}\\\"\")
  endif()
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/digmaze.desktop.in\"
                 \"${DIGMAZE_PACKAGING_DIR}/install/digmaze.desktop\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
       TYPE FILE FILES \"${DIGMAZE_PACKAGING_DIR}/install/digmaze.desktop\")")

# The Debian package: `cpack` in the build folder (or --config
# build/CPackConfig.cmake) writes digmaze_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME digmaze)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Digmaze team")
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
