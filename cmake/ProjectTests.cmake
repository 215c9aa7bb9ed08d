# add_project_test(NAME SOURCES a.cpp ... LIBS lib ... [WINDOW] [OWN_MAIN])
# Builds one GoogleTest executable and registers its cases with CTest.
# WINDOW tests drive real Qt widgets on the offscreen platform; OWN_MAIN tests
# bring their main() (for example through a library that starts the application).

# A cross build has no GoogleTest for its target: it builds Debian's sources.
if(CMAKE_CROSSCOMPILING AND FF_BUILD_TESTS AND NOT TARGET GTest::gtest)
  set(FF_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${FF_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

function(add_project_test name)
  cmake_parse_arguments(T "WINDOW;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TARGET GTest::gtest)
    find_package(GTest REQUIRED)
  endif()
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
