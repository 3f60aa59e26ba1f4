# ksv_unit_test(<name> SOURCES ... LIBS ...)
# Native: one GoogleTest executable whose cases CTest lists one by one.
# Windows: one executable, registered as a single CTest test and run
# through Wine, because each Wine process start costs far more than a case.
function(ksv_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Beside KSV.exe and KSVMain.dll, so Wine finds the DLLs they load.
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    set_tests_properties(${name} PROPERTIES LABELS "wine;${ARG_LABELS}" TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native;${ARG_LABELS}")
  endif()
endfunction()
