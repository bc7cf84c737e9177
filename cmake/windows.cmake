# Windows port: Win32, DirectDraw, GDI, DirectSound, dialog resources.
enable_language(RC)
set(WIN32_LIBS ddraw dsound dxguid gdi32 user32 kernel32 shell32 comctl32 imm32 winmm)

file(GLOB PORT_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_library(prumya_port STATIC ${PORT_SOURCES})
# The port knows only platform/: the entry hands it what comes from the core.
target_link_libraries(prumya_port PUBLIC prumya_platform_common ${WIN32_LIBS})

file(GLOB ENTRY_SOURCES CONFIGURE_DEPENDS platform/win32/entry/*.cpp)
file(GLOB RC_SOURCES CONFIGURE_DEPENDS resources/*.rc)
set(NO_DIALOG_TRACE ${CMAKE_SOURCE_DIR}/platform/common/entry/no_dialog_trace.cpp)
add_executable(prumya WIN32 ${ENTRY_SOURCES} ${NO_DIALOG_TRACE} ${RC_SOURCES})
set_target_properties(prumya PROPERTIES SUFFIX ".scr")
target_link_libraries(prumya PRIVATE prumya_core prumya_port)
set_source_files_properties(${RC_SOURCES} PROPERTIES
  OBJECT_DEPENDS "${GEN_DIR}/font01.bmp;${GEN_DIR}/appicon.ico;${CMAKE_SOURCE_DIR}/resources/prumya.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${GEN_DIR} -I${CMAKE_SOURCE_DIR}")
add_custom_target(prumya_generated DEPENDS ${GEN_DIR}/font01.bmp ${GEN_DIR}/appicon.ico)
add_dependencies(prumya prumya_generated)
include(cmake/dialogs.cmake)

add_custom_command(TARGET prumya POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/resources/actsys.ini
          $<TARGET_FILE_DIR:prumya>/actsys.ini)

# The release archive: the module, the system presets and a Japanese readme.
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/prumya-win64.zip)
add_custom_command(
  OUTPUT ${RELEASE_ZIP}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_release.py ${RELEASE_ZIP}
          $<TARGET_FILE:prumya> ${CMAKE_SOURCE_DIR}/resources/actsys.ini
          ${CMAKE_SOURCE_DIR}/resources/readme-windows.txt
  DEPENDS prumya ${CMAKE_SOURCE_DIR}/resources/make_release.py
          ${CMAKE_SOURCE_DIR}/resources/actsys.ini ${CMAKE_SOURCE_DIR}/resources/readme-windows.txt
  COMMENT "Packing prumya-win64.zip")
add_custom_target(release-archive ALL DEPENDS ${RELEASE_ZIP})

file(GLOB PROBE_SOURCES CONFIGURE_DEPENDS tools/profile_probe/*.cpp)
add_executable(profile-probe ${PROBE_SOURCES} ${CMAKE_SOURCE_DIR}/platform/win32/win32_profile_store.cpp)
target_link_libraries(profile-probe PRIVATE prumya_platform_common kernel32)
target_compile_definitions(profile-probe PRIVATE PROFILE_PROBE_KERNEL32=1)
