# add_project_test(NAME SOURCES a.cpp ... LIBS lib ... [WINDOW] [OWN_MAIN])
# Builds one GoogleTest executable and registers its cases with CTest.
# WINDOW tests drive real Qt widgets on the offscreen platform; OWN_MAIN tests
# bring their main() (for example through a library that starts the application).
function(add_project_test name)
  cmake_parse_arguments(T "WINDOW;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${T_SOURCES})
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  include(GoogleTest)
  if(T_WINDOW)
    gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS window
                         DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
