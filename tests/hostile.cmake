# Test-only programs for the hostile-input and fault runs (Linux): the
# killed INI writer, and a saver whose display fails on purpose.
if(NOT WIN32)
  add_executable(ini-kill-writer ${CMAKE_SOURCE_DIR}/tests/ini/kill_writer.cpp)
  target_link_libraries(ini-kill-writer PRIVATE prumya_platform_common)
endif()

# The saver with a fault plan on its display (PRUMYA_FAULTS): the same entry
# and core as prumya, with the display seam's fault-setting definition.
if(NOT WIN32 AND TARGET prumya_port)
  add_executable(prumya-faults ${CMAKE_SOURCE_DIR}/platform/linux/entry/main.cpp
                               ${CMAKE_SOURCE_DIR}/platform/linux/entry/host_entry.cpp
                               ${CMAKE_SOURCE_DIR}/tests/faults/fault_plan.cpp ${NO_DIALOG_TRACE})
  target_link_libraries(prumya-faults PRIVATE prumya_core prumya_port)
endif()
