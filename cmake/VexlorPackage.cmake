# What an installation holds beside the programs: the desktop entry, icons,
# AppStream metainfo, manual pages and the package's own documents; and the
# Debian package CPack writes from it (scripts/package).
include(GNUInstallDirs)

set(VEXLOR_APP_ID org.vexlor.vexlor)
set(VEXLOR_GEN_DIR ${CMAKE_BINARY_DIR}/install-data)
file(MAKE_DIRECTORY ${VEXLOR_GEN_DIR})

# Desktop entry and icons.
install(FILES resources/vexlor.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${VEXLOR_APP_ID}.desktop)
install(FILES resources/vexlor.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48x48 128x128)
  install(FILES resources/icons/${size}/vexlor.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()

# AppStream metainfo, with the release of this version.
set(VERSION ${PROJECT_VERSION})
configure_file(resources/${VEXLOR_APP_ID}.metainfo.xml
  ${VEXLOR_GEN_DIR}/${VEXLOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${VEXLOR_GEN_DIR}/${VEXLOR_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, compressed without a time stamp; vexlor-gui shares vexlor's.
set(VEXLOR_MAN_PAGES)
foreach(page vexlor vexlor-demo-host)
  configure_file(resources/man/${page}.1 ${VEXLOR_GEN_DIR}/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${VEXLOR_GEN_DIR}/${page}.1.gz
    COMMAND gzip -9 -n -c ${page}.1 > ${page}.1.gz
    DEPENDS ${VEXLOR_GEN_DIR}/${page}.1
    WORKING_DIRECTORY ${VEXLOR_GEN_DIR} VERBATIM)
  list(APPEND VEXLOR_MAN_PAGES ${VEXLOR_GEN_DIR}/${page}.1.gz)
endforeach()
file(CREATE_LINK vexlor.1.gz ${VEXLOR_GEN_DIR}/vexlor-gui.1.gz SYMBOLIC)
add_custom_target(vexlor-man ALL DEPENDS ${VEXLOR_MAN_PAGES})
install(FILES ${VEXLOR_MAN_PAGES} ${VEXLOR_GEN_DIR}/vexlor-gui.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's copyright and change log, where Debian looks for them.
add_custom_command(OUTPUT ${VEXLOR_GEN_DIR}/changelog.gz
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/resources/debian/changelog > changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
  WORKING_DIRECTORY ${VEXLOR_GEN_DIR} VERBATIM)
add_custom_target(vexlor-changelog ALL DEPENDS ${VEXLOR_GEN_DIR}/changelog.gz)
install(FILES resources/debian/copyright ${VEXLOR_GEN_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vexlor)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexlor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vexlor developers")
set(CPACK_PACKAGE_CONTACT "Vexlor developers <dev@vexlor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor of model equations as typeset formulas")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Vexlor edits the equations of a model that a modelling environment keeps
as linear text, one expression per line. It shows each line typeset, with
fractions, roots, indexes, powers, derivatives and brackets, and lets the
user edit it in place; it writes the formulas back as linear text and hands
them to the modelling environment for checking.

The package holds the editor window (vexlor-gui), the command-line program
with its batch mode (vexlor) and a small demonstration host for authors of
modelling environments (vexlor-demo-host).")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vexlor.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

if(VEXLOR_TESTS)
  enable_testing()
  add_subdirectory(tests/install)
endif()
