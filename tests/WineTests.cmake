# GoogleTest cross-built from Debian's sources with the same toolchain.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(WINE_HARNESS ${CMAKE_SOURCE_DIR}/tests/harness)
set(WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
set(WINE_WORK ${CMAKE_BINARY_DIR}/wine-tests)

# The template prefix, built once per test run before any Wine test.
add_test(NAME wine_template COMMAND ${WINE_HARNESS}/make-template.sh ${WINE_TEMPLATE})
set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

# add_wine_test(NAME script [ARGS...]): runs a test script in a prefix of its own.
function(add_wine_test name script)
  add_test(NAME ${name}
           COMMAND ${WINE_HARNESS}/wine-test.sh ${WINE_TEMPLATE} ${WINE_WORK} ${name} ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600 LABELS wine)
endfunction()

# add_wine_gtest(target): a GoogleTest program run under Wine as one test.
function(add_wine_gtest target)
  target_link_libraries(${target} PRIVATE gtest gtest_main)
  target_compile_options(${target} PRIVATE ${SETUP_WARNINGS})
  add_wine_test(${target} ${WINE_HARNESS}/gtest.sh $<TARGET_FILE:${target}>)
endfunction()
