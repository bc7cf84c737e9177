# Dialog templates 102 and 103 as a resource script, generated from the
# layout data the Linux port reads too.
set(DIALOGS_RC ${GEN_DIR}/dialogs.rc)
add_custom_command(
  OUTPUT ${DIALOGS_RC}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_dialogs.py ${CMAKE_SOURCE_DIR} ${DIALOGS_RC}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_dialogs.py ${CMAKE_SOURCE_DIR}/saver/dialog_layout.cpp
          ${CMAKE_SOURCE_DIR}/saver/dialog_layout.h ${CMAKE_SOURCE_DIR}/platform/dialog_template.h
  COMMENT "Generating dialog templates")
target_sources(prumya PRIVATE ${DIALOGS_RC})
