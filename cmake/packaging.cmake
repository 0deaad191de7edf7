# Installation and the Debian package.
#
# The executable looks for its music and settings beside itself, so it is
# installed into a folder of its own with the music file next to it; bin/
# holds a link to it. Settings fall back to the per-user configuration folder
# when that folder is not writable, which it never is for an installed game.
include(GNUInstallDirs)

set(FUSEFUDA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/fusefuda)

install(TARGETS fusefuda RUNTIME DESTINATION ${FUSEFUDA_INSTALL_DIR})
install(FILES ${FUSEFUDA_MUSIC_FILE} DESTINATION ${FUSEFUDA_INSTALL_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK \"../${FUSEFUDA_INSTALL_DIR}/fusefuda\"
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/fusefuda\" SYMBOLIC)
")
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.fusefuda.Fusefuda.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/io.github.fusefuda.Fusefuda.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${FUSEFUDA_ICON_SMALL} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME fusefuda.png)
install(FILES ${FUSEFUDA_ICON_LARGE}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME fusefuda.png)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME fusefuda)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Fusefuda Project <fusefuda@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Face-down card jigsaw")
set(CPACK_PACKAGE_DESCRIPTION
    "A pack of cards lies face down over a large board; drag the cards so that cards\n that belong side by side in the finished grid snap together.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The build carries debugging information; a player's install does not need it.
set(CPACK_STRIP_FILES ON)
# The Qt and SDL libraries, and with libqt6gui6 the X11 platform plugin, come
# from dpkg-shlibdeps. What the game opens by name at run time it cannot see:
# the dialog font, Qt's Japanese translation, and the soundfont. Debian's
# SDL_mixer plays MIDI through /usr/share/sounds/sf3/default-GM.sf3, which
# every sf3-soundfont-gm package registers; the first is the one SDL_mixer
# itself recommends. Qt's Wayland platform plugin lets the game run as a
# native client on a Wayland desktop instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, qt6-translations-l10n, timgm6mb-soundfont | sf3-soundfont-gm, qt6-wayland")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
