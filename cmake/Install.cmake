# Installing and packaging: the two programs in bin/, the desktop entry,
# its icon and AppStream metadata, and the manual page of calvenna-cli.
# `cpack -G DEB` in the build directory makes the Debian package.
include(GNUInstallDirs)

set(CALVENNA_APP_ID org.calvenna.Calvenna)

# calvenna-cli --version prints the project's version.
if(TARGET calvenna-cli)
  target_compile_definitions(calvenna-cli PRIVATE CALVENNA_VERSION="${PROJECT_VERSION}")
endif()

install(TARGETS calvenna-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop entry and its companions describe the windowed program, absent
# from a build without Qt.
if(TARGET calvenna)
  install(TARGETS calvenna RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${CALVENNA_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${CALVENNA_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/${CALVENNA_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# The manual page carries the version; Debian wants it compressed.
configure_file(${CMAKE_SOURCE_DIR}/packaging/calvenna-cli.1.in ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1 @ONLY)
find_program(GZIP_PROGRAM gzip)
if(GZIP_PROGRAM)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1.gz
                     COMMAND ${GZIP_PROGRAM} -9 -n -c ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1 >
                             ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1.gz
                     DEPENDS ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1 VERBATIM)
  add_custom_target(calvenna_manual ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES ${CMAKE_BINARY_DIR}/packaging/calvenna-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME calvenna)
set(CPACK_PACKAGE_VENDOR "The Calvenna developers")
set(CPACK_PACKAGE_CONTACT "The Calvenna developers <calvenna@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop workbench for prime numbers")
set(CPACK_PACKAGE_DESCRIPTION
    "Tests numbers of up to 200 digits for primality, runs the Lucas-Lehmer test on Mersenne numbers with a \
certificate, lists the primes of an interval up to 10^18, and factorises, divides, reduces and converts big \
integers. calvenna-cli offers the same engines to scripts.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY calvenna)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# The libraries come from the binaries; the windowing plugin of Qt is loaded
# at run time and no binary names it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
