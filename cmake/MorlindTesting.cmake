# morlind_add_test(NAME name SOURCES ... LIBS ... [QT] [ENVIRONMENT VAR=VALUE ...])
#
# One GoogleTest executable; its cases are discovered when ctest runs, each with a timeout so
# a dialog or message box that nobody answers fails the test instead of hanging the run.
# QT runs it on Qt's offscreen platform.
include(GoogleTest)
find_package(GTest REQUIRED)

function(morlind_add_test)
  cmake_parse_arguments(T "QT" "NAME;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE morlind_options ${T_LIBS} GTest::gtest GTest::gmock
                                          GTest::gtest_main)
  set(env ${T_ENVIRONMENT})
  if(T_QT)
    list(APPEND env QT_QPA_PLATFORM=offscreen)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 30
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
