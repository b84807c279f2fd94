# Where the game installs, and the packages CPack makes of it: a .deb and a .tar.gz on Linux,
# a .zip (and an NSIS installer where makensis is found) on Windows.
include(GNUInstallDirs)

set(TOLV_SHARE ${CMAKE_SOURCE_DIR}/share)
set(TOLV_GENERATED ${CMAKE_BINARY_DIR}/install-files)
set(TOLV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tolvstreet)

# Debian keeps games' commands in /usr/games (not on every session's PATH, so the desktop entry
# names the command whole); Windows keeps the program in bin.
if(WIN32)
  set(TOLV_BIN_DIR ${CMAKE_INSTALL_BINDIR})
else()
  set(TOLV_BIN_DIR games)
endif()
install(TARGETS tolvstreet RUNTIME DESTINATION ${TOLV_BIN_DIR})

if(WIN32)
  # Windows: the program with Qt beside it, and the empty Hall of Fame next to the program,
  # where players usually start it; the README and the licence as they are.
  install(FILES ${TOLV_SHARE}/data6 DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${TOLV_DOC_DIR})
  find_program(TOLV_WINDEPLOYQT windeployqt HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
  if(TOLV_WINDEPLOYQT)
    install(CODE "execute_process(COMMAND \"${TOLV_WINDEPLOYQT}\" --release --no-compiler-runtime
                  \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/TolvStreet.exe\"
                  COMMAND_ERROR_IS_FATAL ANY)")
  else()
    message(WARNING "windeployqt not found: the install will not carry Qt's libraries")
  endif()
else()
  # The empty Hall of Fame, as --folder and --user-folder put it into a new play folder.
  install(FILES ${TOLV_SHARE}/data6 DESTINATION ${CMAKE_INSTALL_DATADIR}/tolvstreet)

  # The desktop entry, the metainfo and the icon are all named after the application id. The
  # entry names the command by the prefix the install is made for, known only then.
  install(CODE "set(TOLV_COMMAND \"\${CMAKE_INSTALL_PREFIX}/${TOLV_BIN_DIR}/tolvstreet\")
                configure_file(\"${TOLV_SHARE}/linux/${TOLV_APP_ID}.desktop.in\"
                               \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${TOLV_APP_ID}.desktop\"
                               @ONLY)")
  configure_file(${TOLV_SHARE}/linux/${TOLV_APP_ID}.metainfo.xml.in
                 ${TOLV_GENERATED}/${TOLV_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${TOLV_GENERATED}/${TOLV_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_SOURCE_DIR}/src/ui/resources/app_icon.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TOLV_APP_ID}.svg)

  # PNG icons drawn from the same picture, at the sizes of the hicolor theme.
  add_executable(render_png ${CMAKE_SOURCE_DIR}/tools/render_png/render_png.cpp)
  target_link_libraries(render_png PRIVATE Qt6::Gui Qt6::Svg)
  tolv_warnings(render_png)
  set(icon_sizes 16 22 24 32 48 64 128 256)
  set(icon_arguments)
  set(icon_files)
  foreach(size IN LISTS icon_sizes)
    set(png ${TOLV_GENERATED}/icons/${size}/${TOLV_APP_ID}.png)
    file(MAKE_DIRECTORY ${TOLV_GENERATED}/icons/${size})
    list(APPEND icon_arguments ${size} ${png})
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_command(OUTPUT ${icon_files}
                     COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                             $<TARGET_FILE:render_png> ${CMAKE_SOURCE_DIR}/src/ui/resources/app_icon.svg ${icon_arguments}
                     DEPENDS render_png ${CMAKE_SOURCE_DIR}/src/ui/resources/app_icon.svg
                     COMMENT "Drawing the PNG icons")

  # The manual page, the changelog and the README, compressed as Debian Policy asks (12.3: no
  # time stamp inside); the copyright file, which carries the licence, stays as it is.
  configure_file(${TOLV_SHARE}/linux/tolvstreet.6.in ${TOLV_GENERATED}/tolvstreet.6 @ONLY)
  configure_file(${TOLV_SHARE}/linux/changelog.in ${TOLV_GENERATED}/changelog @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/README.md ${TOLV_GENERATED}/README.md COPYONLY)
  set(compressed ${TOLV_GENERATED}/tolvstreet.6.gz ${TOLV_GENERATED}/changelog.gz
                 ${TOLV_GENERATED}/README.md.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9nf -k ${TOLV_GENERATED}/tolvstreet.6 ${TOLV_GENERATED}/changelog
                             ${TOLV_GENERATED}/README.md
                     DEPENDS ${TOLV_GENERATED}/tolvstreet.6 ${TOLV_GENERATED}/changelog
                             ${TOLV_GENERATED}/README.md
                     COMMENT "Compressing the manual page, the changelog and the README")
  add_custom_target(install_files ALL DEPENDS ${icon_files} ${compressed})
  install(FILES ${TOLV_GENERATED}/tolvstreet.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${TOLV_GENERATED}/changelog.gz ${TOLV_GENERATED}/README.md.gz
                ${TOLV_SHARE}/linux/copyright DESTINATION ${TOLV_DOC_DIR})
endif()

# ---- Packages ----
set(CPACK_PACKAGE_NAME tolvstreet)
set(CPACK_PACKAGE_VENDOR Tolvagiochi)
set(CPACK_PACKAGE_CONTACT "Tolvagiochi <giochi@tolvagiochi.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "single-player stock-market game")
set(CPACK_PACKAGE_DESCRIPTION
    "Tolv Street is a stock-market game with an Italian window (English can be\n\
picked in its options). You start with 10000,00 in cash and trade whole\n\
shares of seventeen companies; every press of the date button moves the\n\
prices one day on. Reach 100000 with a sale and your name joins the Hall\n\
of Fame. The game saves itself after every day.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tolv Street")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  find_program(TOLV_MAKENSIS makensis)
  if(TOLV_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
  endif()
  set(CPACK_NSIS_DISPLAY_NAME "Tolv Street")
  set(CPACK_NSIS_PACKAGE_NAME "Tolv Street")
  set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/src/app/tolvstreet.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "${CMAKE_INSTALL_BINDIR}\\\\TolvStreet.exe")
  # The Start menu entry plays in the player's own folder, as the Linux desktop entry does.
  set(CPACK_NSIS_CREATE_ICONS_EXTRA
      "CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Tolv Street.lnk' '$INSTDIR\\\\${CMAKE_INSTALL_BINDIR}\\\\TolvStreet.exe' '--user-folder'")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$START_MENU\\\\Tolv Street.lnk'")
else()
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # What the library scan cannot see: the platform plugins (no window opens without them), Qt's
  # Italian texts and the fonts the windows name. The SVG library, which carries the plugin for
  # the artwork too, the scan finds itself.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2, fonts-adf-mekanus")
endif()
include(CPack)
