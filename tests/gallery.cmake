# The README's gallery against what prumya-gallery draws from the presets now.
if(NOT WIN32)
  add_test(NAME gallery_matches_presets
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/gallery/check_gallery.py
                   ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
  set_tests_properties(gallery_matches_presets PROPERTIES SKIP_RETURN_CODE 77)
endif()
