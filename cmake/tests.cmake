# Unit tests: the same suite on both presets, against fakes and the software
# display. Windows runs each test binary once under Wine (one ctest entry per
# binary, as each Wine start costs time); Linux registers every case.
file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
if(WIN32)
  file(GLOB PORT_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
else()
  file(GLOB PORT_TEST_SOURCES CONFIGURE_DEPENDS tests/linux/*.cpp)
endif()
add_executable(prumya_tests ${TEST_SOURCES} ${PORT_TEST_SOURCES})
target_link_libraries(prumya_tests PRIVATE prumya_fakes gtest gtest_main)
if(PORT_TEST_SOURCES)
  target_link_libraries(prumya_tests PRIVATE prumya_port)
endif()
if(WIN32)
  target_sources(prumya_tests PRIVATE ${DIALOGS_RC})  # the dialog host test runs template 102
endif()
target_compile_definitions(prumya_tests PRIVATE PRUMYA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

if(WIN32)
  add_test(NAME unit COMMAND prumya_tests --gtest_brief=1)
else()
  include(GoogleTest)
  gtest_discover_tests(prumya_tests DISCOVERY_MODE PRE_TEST)
endif()

# Scripted checks (differential INI, end-to-end) register themselves here.
file(GLOB EXTRA_TEST_CMAKE CONFIGURE_DEPENDS tests/*.cmake)
foreach(f ${EXTRA_TEST_CMAKE})
  include(${f})
endforeach()
