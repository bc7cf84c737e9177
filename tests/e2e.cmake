# The saver for the end-to-end dialog checks: the shipped entry and core,
# with a dialog trace that writes each dialog's rectangles to the file named
# by PRUMYA_DIALOG_LOG.
set(DIALOG_TRACE_FILE ${CMAKE_SOURCE_DIR}/tests/e2e/dialog_trace_file.cpp)
if(WIN32)
  add_executable(prumya-e2e WIN32 ${ENTRY_SOURCES} ${DIALOG_TRACE_FILE} ${RC_SOURCES}
                                  ${DIALOGS_RC} ${VERSION_RC})
  set_target_properties(prumya-e2e PROPERTIES SUFFIX ".scr")
  add_dependencies(prumya-e2e prumya_generated)
else()
  add_executable(prumya-e2e ${ENTRY_SOURCES} ${DIALOG_TRACE_FILE})
endif()
target_link_libraries(prumya-e2e PRIVATE prumya_core prumya_port)
