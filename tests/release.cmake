# The Windows module and its release archive read back as built: resources,
# version, manifest and the archive's contents.
if(WIN32)
  add_test(NAME release_contents
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/release/check_release.py
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
endif()
