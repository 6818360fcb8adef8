# GoogleTest and the helpers that declare tests.
#
# Natively the tests link Debian's libgtest-dev. In the Windows build GoogleTest
# is compiled from Debian's source package with the cross compiler, and every
# test program runs under Wine through CMAKE_CROSSCOMPILING_EMULATOR. The
# "wine" fixture starts Xvfb and a persistent wineserver for the build tree
# once per ctest run, so that each Windows program starts in milliseconds.
if(NOT NORVANE_TESTS)
  return()
endif()

include(GoogleTest)

if(WIN32)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

  set(NORVANE_WINE_SESSION ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh)
  add_test(NAME wine.start COMMAND ${NORVANE_WINE_SESSION} start ${CMAKE_BINARY_DIR})
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
  add_test(NAME wine.stop COMMAND ${NORVANE_WINE_SESSION} stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
else()
  find_package(GTest REQUIRED)
endif()

# norvane_add_unit_test(<target> <sources>... [LIBS <libs>...])
# A GoogleTest program: each case is a ctest test natively; under Wine the
# whole program is one ctest test.
function(norvane_add_unit_test target)
  cmake_parse_arguments(arg "" "" "LIBS" ${ARGN})
  add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} GTest::gtest_main norvane_options)
  if(WIN32)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# norvane_add_gui_test(<target> <sources>... [LIBS <libs>...] [DEPENDS <exe targets>...])
# An end-to-end test driver (Windows only). It drives real windows on the one
# Xvfb display with real input, so GUI tests never run at the same time.
function(norvane_add_gui_test target)
  cmake_parse_arguments(arg "" "" "LIBS;DEPENDS" ${ARGN})
  add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${target} PRIVATE ${arg_LIBS} GTest::gtest_main norvane_options)
  if(arg_DEPENDS)
    add_dependencies(${target} ${arg_DEPENDS})
  endif()
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK display TIMEOUT 600
                       WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
