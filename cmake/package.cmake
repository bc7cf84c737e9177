# The Debian package of the Linux build (cmake --build --preset linux
# --target package): build/linux/prumya_<version>_amd64.deb, holding the
# cmake --install layout under /usr. Its version and maker are the about
# box's; its run-time dependencies are computed by dpkg-shlibdeps.

# "スクリーンセーバ ぷるみゅら Version 3.1" and "(C) ぷるみゅら制作室".
set(PRUMYA_ABOUT_SOURCE ${CMAKE_SOURCE_DIR}/saver/dialog_layout.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PRUMYA_ABOUT_SOURCE})
file(STRINGS ${PRUMYA_ABOUT_SOURCE} PRUMYA_ABOUT_VERSION ENCODING UTF-8 REGEX " Version [0-9]+\\.[0-9]+\"")
file(STRINGS ${PRUMYA_ABOUT_SOURCE} PRUMYA_ABOUT_MAKER ENCODING UTF-8 REGEX "\"\\(C\\) [^\"]+\"")
if(NOT PRUMYA_ABOUT_VERSION MATCHES " Version ([0-9]+)\\.([0-9]+)\"")
  message(FATAL_ERROR "no version in the about box of ${PRUMYA_ABOUT_SOURCE}")
endif()
set(CPACK_PACKAGE_VERSION_MAJOR ${CMAKE_MATCH_1})
set(CPACK_PACKAGE_VERSION_MINOR ${CMAKE_MATCH_2})
set(CPACK_PACKAGE_VERSION ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
if(NOT PRUMYA_ABOUT_MAKER MATCHES "\"\\(C\\) ([^\"]+)\"")
  message(FATAL_ERROR "no maker in the about box of ${PRUMYA_ABOUT_SOURCE}")
endif()
set(PRUMYA_MAKER ${CMAKE_MATCH_1})
set(PRUMYA_PACKAGE_MAINTAINER "${PRUMYA_MAKER} <prumya@example.org>" CACHE STRING
    "Maintainer field of the Debian package (name <address>)")

# The package's own documents, installed with the rest: who made it, and the
# release history as a Debian changelog (its first entry names this version).
configure_file(${CMAKE_SOURCE_DIR}/resources/copyright.in ${GEN_DIR}/doc/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/changelog.in ${GEN_DIR}/doc/changelog @ONLY)
add_custom_command(
  OUTPUT ${GEN_DIR}/doc/changelog.gz
  COMMAND gzip -9nc ${GEN_DIR}/doc/changelog > ${GEN_DIR}/doc/changelog.gz
  DEPENDS ${GEN_DIR}/doc/changelog
  COMMENT "Compressing the changelog")
add_custom_target(prumya_docs ALL DEPENDS ${GEN_DIR}/doc/changelog.gz)
install(FILES ${GEN_DIR}/doc/copyright ${GEN_DIR}/doc/changelog.gz DESTINATION share/doc/prumya)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prumya)
set(CPACK_PACKAGE_VENDOR ${PRUMYA_MAKER})
set(CPACK_PACKAGE_CONTACT ${PRUMYA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# The install steps see the prefix /usr (the desktop entry names the
# program by it) and stage below DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PRUMYA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver that draws one luminous trail")
set(CPACK_PACKAGE_DESCRIPTION [[
ぷるみゅら draws one luminous trail on a black screen: a chain of line
segments whose head crosses the display on diagonals and bounces inside a
margin, whose points spin and wobble, whose colours drift and whose older
segments fade. Twelve parameters and named presets shape the picture; a
Japanese settings dialog (prumya /c) edits them.

It runs full screen on its own (prumya /s) or as a hack of xscreensaver,
which finds its description in /usr/share/xscreensaver/config.]])
include(CPack)
