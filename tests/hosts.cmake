# Host windows for the end-to-end checks of the saver drawn into another
# program's window: a plain X window on Linux, a preview pane under Wine.
if(WIN32)
  add_executable(preview-host WIN32 ${CMAKE_SOURCE_DIR}/tests/hosts/preview_host.cpp)
  target_link_libraries(preview-host PRIVATE user32 gdi32 kernel32)
else()
  add_executable(x-window ${CMAKE_SOURCE_DIR}/tests/hosts/x_window.cpp)
  target_link_libraries(x-window PRIVATE PkgConfig::X11)
endif()
