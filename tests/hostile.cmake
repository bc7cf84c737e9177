# Test-only programs for the hostile-input and fault runs (Linux): the
# killed INI writer, and a saver whose display fails on purpose.
if(NOT WIN32)
  add_executable(ini-kill-writer ${CMAKE_SOURCE_DIR}/tests/ini/kill_writer.cpp)
  target_link_libraries(ini-kill-writer PRIVATE prumya_platform_common)
endif()
