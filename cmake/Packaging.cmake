# Installs the programs as a Linux desktop program (PREFIX/bin, PREFIX/share)
# and describes the Debian package that `scripts/package` makes with CPack.
include(GNUInstallDirs)

set(MARBELLE_HOMEPAGE "https://github.com/utmarbelle/utmarbelle")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "UT Marbelle maintainers <maintainers@users.noreply.c-seed-737d6e11.example>")
set(MARBELLE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(MARBELLE_PACKAGED_DIR ${CMAKE_BINARY_DIR}/packaging)
# The programs look for their data here, relative to their own folder.
set(MARBELLE_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/utmarbelle)
# Named after the package, not the CMake project.
set(MARBELLE_DOC_DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/utmarbelle)

install(TARGETS utmarbelle marbelle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${MARBELLE_SAMPLE_DIR}/ DESTINATION ${MARBELLE_DATA_DESTINATION}/sample)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/manual/ DESTINATION ${MARBELLE_DATA_DESTINATION}/help)
install(DIRECTORY ${MARBELLE_DESKTOP_FILES_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR})

configure_file(${MARBELLE_PACKAGING_DIR}/io.github.utmarbelle.utmarbelle.metainfo.xml.in
               ${MARBELLE_PACKAGED_DIR}/io.github.utmarbelle.utmarbelle.metainfo.xml @ONLY)
install(FILES ${MARBELLE_PACKAGED_DIR}/io.github.utmarbelle.utmarbelle.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${MARBELLE_PACKAGING_DIR}/icons/utmarbelle.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES ${MARBELLE_PACKAGING_DIR}/icons/utmarbelle-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME utmarbelle.png)
endforeach()

configure_file(${MARBELLE_PACKAGING_DIR}/copyright ${MARBELLE_PACKAGED_DIR}/copyright @ONLY)
install(FILES ${MARBELLE_PACKAGED_DIR}/copyright DESTINATION ${MARBELLE_DOC_DESTINATION})

# Manual pages and the changelog, with the version filled in, compressed as
# Debian wants them: gzip -9 without a name or time, so builds agree.
set(MARBELLE_GZIPPED)
foreach(source man/marbelle.1 man/utmarbelle.1 changelog)
  get_filename_component(name ${source} NAME)
  configure_file(${MARBELLE_PACKAGING_DIR}/${source} ${MARBELLE_PACKAGED_DIR}/${name} @ONLY)
  add_custom_command(OUTPUT ${MARBELLE_PACKAGED_DIR}/gz/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${MARBELLE_PACKAGED_DIR}/${name} ${MARBELLE_PACKAGED_DIR}/gz/${name}
    COMMAND gzip -9nf ${MARBELLE_PACKAGED_DIR}/gz/${name}
    DEPENDS ${MARBELLE_PACKAGED_DIR}/${name})
  list(APPEND MARBELLE_GZIPPED ${MARBELLE_PACKAGED_DIR}/gz/${name}.gz)
endforeach()
add_custom_target(packaging-files ALL DEPENDS ${MARBELLE_GZIPPED})
install(FILES ${MARBELLE_PACKAGED_DIR}/gz/marbelle.1.gz ${MARBELLE_PACKAGED_DIR}/gz/utmarbelle.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${MARBELLE_PACKAGED_DIR}/gz/changelog.gz DESTINATION ${MARBELLE_DOC_DESTINATION})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME utmarbelle)
set(CPACK_PACKAGE_VERSION ${MARBELLE_PACKAGE_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make player skins for Unreal Tournament")
set(CPACK_PACKAGE_DESCRIPTION
    "UT Marbelle makes player skins for Unreal Tournament (1999): pick an
installed player model, build a project of skins, paint the textures, watch
the model wear them in a 3D preview, and compile the project into the game's
own texture package, localisation file and installer archive.

The command-line tool marbelle does the same work without windows, and
reads, checks and exports the contents of Unreal Engine 1 packages.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MARBELLE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the readers of TGA, TIFF and WebP pictures as plugins, which no
# library dependency names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
