# Installation and the Debian package.
#
# Laid out as Debian lays out a game: the command in games/, and the
# executable in a folder of its own under lib/games/ with the music file next
# to it, since it looks for its music and settings beside itself. Settings
# fall back to the per-user configuration folder when that folder is not
# writable, which it never is for an installed game.
include(GNUInstallDirs)

set(FUSEFUDA_GAMES_DIR games)
set(FUSEFUDA_INSTALL_DIR lib/games/fusefuda)

install(TARGETS fusefuda RUNTIME DESTINATION ${FUSEFUDA_INSTALL_DIR})
install(FILES ${FUSEFUDA_MUSIC_FILE} DESTINATION ${FUSEFUDA_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${FUSEFUDA_GAMES_DIR}\")
  file(CREATE_LINK \"../${FUSEFUDA_INSTALL_DIR}/fusefuda\"
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${FUSEFUDA_GAMES_DIR}/fusefuda\" SYMBOLIC)
")
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.fusefuda.Fusefuda.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.fusefuda.Fusefuda.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${FUSEFUDA_ICON_SMALL} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME fusefuda.png)
install(FILES ${FUSEFUDA_ICON_LARGE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME fusefuda.png)

# The manual page and the changelog go in compressed as Debian wants them:
# at the highest level and without the time stamp, so that every build gives
# the same bytes. The copyright file holds the licences, so LICENSE itself
# is not installed again.
find_program(FUSEFUDA_GZIP gzip REQUIRED)
set(fusefuda_docs)
foreach(doc fusefuda.6 changelog)
  set(packed ${PROJECT_BINARY_DIR}/data/${doc}.gz)
  add_custom_command(
    OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/data
    COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\""
            ${FUSEFUDA_GZIP} ${PROJECT_SOURCE_DIR}/data/${doc} ${packed}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/${doc}
    COMMENT "Compressing ${doc}"
    VERBATIM)
  list(APPEND fusefuda_docs ${packed})
endforeach()
add_custom_target(fusefuda_docs ALL DEPENDS ${fusefuda_docs})
install(FILES ${PROJECT_BINARY_DIR}/data/fusefuda.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/data/changelog.gz
              ${PROJECT_SOURCE_DIR}/data/copyright
              ${PROJECT_SOURCE_DIR}/docs/screenshot.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME fusefuda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Fusefuda Project <fusefuda@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "face-down card jigsaw")
set(CPACK_PACKAGE_DESCRIPTION
    "A pack of cards lies face down over a large board; drag the cards so that\ncards that belong side by side in the finished grid snap together. Peeking\nat a card or picking it up costs points. Three levels, five-step undo,\nsaved games, the five best scores and background music; the interface\nis in Japanese or in English.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/fusefuda/fusefuda")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The build carries debugging information; a player's install does not need it.
set(CPACK_STRIP_FILES ON)
# The Qt libraries, and with libqt6gui6 the X11 platform plugin, come from
# dpkg-shlibdeps. What the game opens by name at run time it cannot see:
# SDL2 and SDL2_mixer, opened once the window is up (at the versions that
# first have every function the game looks up: SDL_ResetHint came with SDL
# 2.24, Mix_PlayChannel became a function in SDL_mixer 2.6), FluidSynth, which
# records the music (libfluidsynth.so.3, FluidSynth 2.2 and later), the dialog
# font, Qt's Japanese translation, and the soundfont. Debian's
# SDL_mixer plays MIDI through /usr/share/sounds/sf3/default-GM.sf3, which
# every sf3-soundfont-gm package registers; the first is the one SDL_mixer
# itself recommends. Qt's Wayland platform plugin lets the game run as a
# native client on a Wayland desktop instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0 (>= 2.24.0), libsdl2-mixer-2.0-0 (>= 2.6.0), libfluidsynth3, fonts-ipafont-gothic, qt6-translations-l10n, timgm6mb-soundfont | sf3-soundfont-gm, qt6-wayland")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
