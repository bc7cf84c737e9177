# The parity tool in both builds: one fixed set of lines drawn by our
# rasteriser (Linux) or by GDI (Windows). The Linux build compares the two
# pictures, with Wine, when the Windows build's tool is there.
set(PARITY_SOURCES ${CMAKE_SOURCE_DIR}/tools/parity/main.cpp ${CMAKE_SOURCE_DIR}/tools/parity/scenes.cpp)
if(WIN32)
  add_executable(prumya-parity ${PARITY_SOURCES} ${CMAKE_SOURCE_DIR}/tools/parity/canvas_gdi.cpp)
  target_link_libraries(prumya-parity PRIVATE prumya_core prumya_port)
else()
  add_executable(prumya-parity ${PARITY_SOURCES} ${CMAKE_SOURCE_DIR}/tools/parity/canvas_soft.cpp)
  target_link_libraries(prumya-parity PRIVATE prumya_core prumya_platform_common)
  add_test(NAME rasteriser_parity
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/parity/run_parity.sh $<TARGET_FILE:prumya-parity>
                   ${PRUMYA_WINDOWS_BUILD_DIR}/prumya-parity.exe)
  set_tests_properties(rasteriser_parity PROPERTIES RESOURCE_LOCK wine_display SKIP_RETURN_CODE 77 TIMEOUT 180)
endif()
