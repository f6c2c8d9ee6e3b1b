# Installation and packaging: the program, its manual page, desktop entry and examples laid out
# as a Debian user expects them (cmake --install, cpack -G DEB), and for Windows a .zip of
# molvane.exe with the examples (cpack -G ZIP in the mingw-w64 build).
include(GNUInstallDirs)

set(_examples ${PROJECT_SOURCE_DIR}/examples/formaldehyde-freq.out
              ${PROJECT_SOURCE_DIR}/examples/water-optfreq.out
              ${PROJECT_SOURCE_DIR}/examples/ammonia-ts-freq.out
              ${PROJECT_SOURCE_DIR}/examples/README.md)

if(WIN32)
  # Unpacked, the zip is one folder: molvane.exe beside README.md, LICENSE and examples/.
  install(TARGETS molvane RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  install(FILES ${_examples} DESTINATION examples)
else()
  install(TARGETS molvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The manual page is made from docs/molvane.1.in at configure time (<build>/docs/molvane.1).
  # Debian ships manual pages compressed, without a time stamp in the gzip header.
  set(_man ${PROJECT_BINARY_DIR}/docs/molvane.1)
  configure_file(${PROJECT_SOURCE_DIR}/docs/molvane.1.in ${_man} @ONLY)
  find_program(MOLVANE_GZIP gzip REQUIRED)
  set(_man_gz ${PROJECT_BINARY_DIR}/molvane.1.gz)
  add_custom_command(OUTPUT ${_man_gz}
                     COMMAND ${CMAKE_COMMAND} -E copy ${_man} ${PROJECT_BINARY_DIR}/molvane.1
                     COMMAND ${MOLVANE_GZIP} -9nf ${PROJECT_BINARY_DIR}/molvane.1
                     DEPENDS ${_man} VERBATIM)
  add_custom_target(molvane_man ALL DEPENDS ${_man_gz})
  install(FILES ${_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  install(FILES ${PROJECT_SOURCE_DIR}/docs/molvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # The licence as Debian states it (machine-readable, DEP-5), in the package's doc folder.
  install(FILES ${PROJECT_SOURCE_DIR}/docs/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/docs/molvane-window.png # the README's pictures
                ${PROJECT_SOURCE_DIR}/docs/formaldehyde-mode1.gif
                ${PROJECT_SOURCE_DIR}/docs/formaldehyde-ir.png
          DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
  install(FILES ${_examples} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
endif()

set(CPACK_PACKAGE_NAME molvane)
set(CPACK_PACKAGE_VENDOR "The Molvane developers")
set(CPACK_PACKAGE_CONTACT "The Molvane developers <molvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "animate normal modes of vibration from Gaussian frequency calculations")
set(CPACK_PACKAGE_DESCRIPTION
    "Molvane reads the output of a Gaussian frequency calculation, asks on the
console which normal mode to show and how large the swing should be, and
animates that mode in an OpenGL window that the mouse can turn. After a
negative first frequency it writes the geometry displaced along the mode,
ready for a job that reoptimizes the structure.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME molvane-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # dependencies computed from the binary
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)
