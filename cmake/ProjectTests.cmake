# add_project_test(NAME SOURCES a.cpp ... LIBS lib ... [WINDOW])
# Builds one GoogleTest executable and registers its cases with CTest.
# WINDOW tests drive real Qt widgets on the offscreen platform.
function(add_project_test name)
  cmake_parse_arguments(T "WINDOW" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  include(GoogleTest)
  if(T_WINDOW)
    gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS window
                         DISCOVERY_TIMEOUT 60)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
