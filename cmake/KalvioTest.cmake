# kalvio_add_test(<name> LABEL <label> SOURCES <files...> LIBRARIES <targets...>)
# One GoogleTest executable whose test cases ctest lists one by one under <label>.
function(kalvio_add_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${ARG_LABEL})
endfunction()
