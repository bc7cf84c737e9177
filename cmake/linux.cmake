# Linux port: SDL2 window and presenting, GTK 3 dialogs and message boxes.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11 xext)

file(GLOB PORT_SOURCES CONFIGURE_DEPENDS platform/linux/*.cpp)
add_library(prumya_port STATIC ${PORT_SOURCES})
# The port knows only platform/: the entry hands it what comes from the core.
target_link_libraries(prumya_port PUBLIC prumya_platform_common PkgConfig::SDL2 PkgConfig::GTK3
                      PkgConfig::X11)

file(GLOB ENTRY_SOURCES CONFIGURE_DEPENDS platform/linux/entry/*.cpp)
set(NO_DIALOG_TRACE ${CMAKE_SOURCE_DIR}/platform/common/entry/no_dialog_trace.cpp)
add_executable(prumya ${ENTRY_SOURCES} ${NO_DIALOG_TRACE})
target_link_libraries(prumya PRIVATE prumya_core prumya_port)

# The shipped system preset file lies beside the binary.
add_custom_command(TARGET prumya POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/actsys.ini
          $<TARGET_FILE_DIR:prumya>/actsys.ini)

file(GLOB PROBE_SOURCES CONFIGURE_DEPENDS tools/profile_probe/*.cpp)
add_executable(profile-probe ${PROBE_SOURCES})
target_link_libraries(profile-probe PRIVATE prumya_platform_common)

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS tools/bench/*.cpp)
if(BENCH_SOURCES)
  add_executable(prumya-bench ${BENCH_SOURCES})
  target_link_libraries(prumya-bench PRIVATE prumya_fakes prumya_core prumya_platform_common)
endif()

# The shipped presets drawn headless for the README's gallery (scripts/gallery).
file(GLOB GALLERY_SOURCES CONFIGURE_DEPENDS tools/gallery/*.cpp)
add_executable(prumya-gallery ${GALLERY_SOURCES})
target_link_libraries(prumya-gallery PRIVATE prumya_fakes prumya_core prumya_platform_common)

# The saver with its presents counted, for scripts/measure-run: the same
# entry and core as prumya, with the display seam's counting definition.
add_executable(prumya-measure platform/linux/entry/main.cpp platform/linux/entry/host_entry.cpp
                              tools/measure/present_count.cpp ${NO_DIALOG_TRACE})
target_link_libraries(prumya-measure PRIVATE prumya_core prumya_port)

# The icon in the sizes of the hicolor theme, drawn from APPICON's picture.
set(PRUMYA_ICON_SIZES 16 24 32 48 64 128 256)
set(PRUMYA_ICON_FILES "")
foreach(size ${PRUMYA_ICON_SIZES})
  add_custom_command(
    OUTPUT ${GEN_DIR}/icons/${size}/prumya.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GEN_DIR}/icons/${size}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_icon.py --png ${size} ${GEN_DIR}/icons/${size}/prumya.png
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_icon.py
    COMMENT "Drawing the ${size}x${size} icon")
  list(APPEND PRUMYA_ICON_FILES ${GEN_DIR}/icons/${size}/prumya.png)
endforeach()
add_custom_target(prumya_icons ALL DEPENDS ${PRUMYA_ICON_FILES})

# cmake --install build/linux --prefix P: the program, the hack where
# xscreensaver looks for it (a link, so it is the installed program too),
# xscreensaver's description, the shipped presets, the settings' desktop
# entry and the icon.
install(TARGETS prumya RUNTIME DESTINATION bin)
install(CODE [[
  set(hack "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/libexec/xscreensaver/prumya")
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/libexec/xscreensaver")
  file(REMOVE "${hack}")
  file(CREATE_LINK ../../bin/prumya "${hack}" SYMBOLIC)
  message(STATUS "Installing: ${hack}")
]])
install(FILES ${CMAKE_SOURCE_DIR}/resources/prumya.xml DESTINATION share/xscreensaver/config)
install(FILES ${CMAKE_SOURCE_DIR}/resources/actsys.ini DESTINATION share/prumya)
foreach(size ${PRUMYA_ICON_SIZES})
  install(FILES ${GEN_DIR}/icons/${size}/prumya.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
# The entry names the program by its installed path, known only at install time.
install(CODE "set(PRUMYA_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/resources/prumya.desktop.in\")")
install(CODE [[
  set(PRUMYA_BIN "${CMAKE_INSTALL_PREFIX}/bin/prumya")
  set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/prumya.desktop")
  configure_file("${PRUMYA_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
  message(STATUS "Installing: ${entry}")
]])
include(cmake/package.cmake)
