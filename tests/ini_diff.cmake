# The INI store against kernel32 under Wine, with the Windows build's probe.
if(NOT WIN32)
  set(PRUMYA_WINDOWS_BUILD_DIR ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH
      "Windows build whose tools the differential checks run (INI store, rasteriser)")
  add_test(NAME ini_differential
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ini/run_diff.sh $<TARGET_FILE:profile-probe>
                   ${PRUMYA_WINDOWS_BUILD_DIR}/profile-probe.exe)
  set_tests_properties(ini_differential PROPERTIES RESOURCE_LOCK wine_display SKIP_RETURN_CODE 77 TIMEOUT 120)
endif()
