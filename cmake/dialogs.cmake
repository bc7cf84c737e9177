# Dialog templates 102 and 103 as a resource script, generated from the
# layout data the Linux port reads too; with them the module's name (string
# 1) and version, taken from the product name and the about box.
set(DIALOGS_RC ${GEN_DIR}/dialogs.rc)
set(VERSION_RC ${GEN_DIR}/version.rc)
add_custom_command(
  OUTPUT ${DIALOGS_RC} ${VERSION_RC}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_dialogs.py ${CMAKE_SOURCE_DIR}
          ${DIALOGS_RC} ${VERSION_RC}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_dialogs.py ${CMAKE_SOURCE_DIR}/saver/dialog_layout.cpp
          ${CMAKE_SOURCE_DIR}/saver/dialog_layout.h ${CMAKE_SOURCE_DIR}/platform/dialog_template.h
          ${CMAKE_SOURCE_DIR}/saver/saver_app.cpp
  COMMENT "Generating dialog templates and version")
target_sources(prumya PRIVATE ${DIALOGS_RC} ${VERSION_RC})
