# Installation: both programs in bin/, everything they read at run time in
# share/orvalis/ (the programs look there relative to their own location),
# the desktop entry, icons, manual page and bash completion where the
# desktop and the shell look for them. scripts/package.sh turns this into a
# Debian package with CPack.
include(GNUInstallDirs)

install(TARGETS orvalis-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET orvalis)
  install(TARGETS orvalis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(ORVALIS_SHARE ${CMAKE_INSTALL_DATADIR}/orvalis)
install(DIRECTORY ${CMAKE_BINARY_DIR}/help DESTINATION ${ORVALIS_SHARE})
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/lang)
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/lang DESTINATION ${ORVALIS_SHARE}
          FILES_MATCHING PATTERN "*.lng")
endif()
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/data/SideTree.ini)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/SideTree.ini DESTINATION ${ORVALIS_SHARE})
endif()

install(FILES data/orvalis.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES data/icons/orvalis-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orvalis.png)
endforeach()
install(FILES data/icons/orvalis.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/man/orvalis-cli.1 data/man/orvalis.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/completion/orvalis-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvalis)
set(CPACK_PACKAGE_VENDOR Farrowlight)
set(CPACK_PACKAGE_CONTACT "Farrowlight <orvalis@farrowlight.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find JPEG photos by the metadata inside them")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvalis answers SQL-like queries over the EXIF, IPTC and file metadata of JPEG photos, in a desktop program with thumbnails and on the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries found by shlibdeps (libheif1 among them): Qt's image
# plugins, loaded at run time, show WebP and TIFF photos.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libheif1, qt6-image-formats-plugins")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

if(ORVALIS_BUILD_TESTS)
  add_test(NAME install.PrefixRuns
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/check-install.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install.PrefixRuns PROPERTIES LABELS install)
endif()
