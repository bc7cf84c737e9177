# Linux port: SDL2 window and presenting, GTK 3 dialogs and message boxes.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)

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

# The saver with its presents counted, for scripts/measure-run: the same
# entry and core as prumya, with the display seam's counting definition.
add_executable(prumya-measure platform/linux/entry/main.cpp tools/measure/present_count.cpp
                              ${NO_DIALOG_TRACE})
target_link_libraries(prumya-measure PRIVATE prumya_core prumya_port)
