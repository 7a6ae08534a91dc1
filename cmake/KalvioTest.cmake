# kalvio_add_test(<name> LABEL <label> [NULL_SINK] [WINDOWED] SOURCES <files...>
#                 LIBRARIES <targets...> [PROPERTIES <test properties...>])
# One GoogleTest executable whose test cases ctest lists one by one under <label>.
# NULL_SINK: the cases run against a private PulseAudio server with a null sink, started before
# them and stopped after them by ctest fixtures; XDG_RUNTIME_DIR points them at it.
# WINDOWED: the program shows windows. In the Windows build it then runs under wine on a private
# display with wine's desktop (scripts/lib/wine-desktop), all its cases in one ctest entry:
# starting that desktop takes seconds, too long to pay for every case.
set(KALVIO_NULL_SINK_RUNTIME ${CMAKE_BINARY_DIR}/null-sink-runtime)

function(kalvio_null_sink_fixture)
  get_property(defined GLOBAL PROPERTY kalvio_null_sink_defined)
  if(defined)
    return()
  endif()
  set_property(GLOBAL PROPERTY kalvio_null_sink_defined TRUE)
  set(script ${PROJECT_SOURCE_DIR}/scripts/lib/null-sink)
  add_test(NAME null_sink_start COMMAND ${script} start ${KALVIO_NULL_SINK_RUNTIME})
  add_test(NAME null_sink_stop COMMAND ${script} stop ${KALVIO_NULL_SINK_RUNTIME})
  set_tests_properties(null_sink_start PROPERTIES FIXTURES_SETUP null_sink LABELS fixture)
  set_tests_properties(null_sink_stop PROPERTIES FIXTURES_CLEANUP null_sink LABELS fixture)
endfunction()

function(kalvio_add_test name)
  cmake_parse_arguments(ARG "NULL_SINK;WINDOWED" "LABEL" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gmock GTest::gtest_main)
  set(properties LABELS ${ARG_LABEL} ${ARG_PROPERTIES})
  if(ARG_NULL_SINK)
    kalvio_null_sink_fixture()
    # Tests sharing one sound server must not run at the same time.
    list(APPEND properties FIXTURES_REQUIRED null_sink RESOURCE_LOCK sound_server
         ENVIRONMENT XDG_RUNTIME_DIR=${KALVIO_NULL_SINK_RUNTIME})
  endif()
  if(WIN32 AND ARG_WINDOWED)
    add_test(NAME ${name}
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/lib/wine-desktop run
                     ${CMAKE_CURRENT_BINARY_DIR}/${name}-desktop $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES ${properties} TIMEOUT 900 RESOURCE_LOCK wine_desktop
                         ENVIRONMENT KALVIO_DESKTOP_WINE=${CMAKE_BINARY_DIR}/wine-desktop)
    return()
  endif()
  # Generous: the first run of a Windows build also makes the wine prefix.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES ${properties})
endfunction()
