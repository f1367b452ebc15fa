# GoogleTest cross-built from Debian's sources with the same toolchain.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Each Windows tree runs its own programs under Wine: i686 (the shipping
# build) with the 32-bit loader in a 32-bit Windows prefix, x86_64 with the
# 64-bit loader in a 64-bit one. Both trees are in one CTest run, so every
# test's name ends in its architecture (app_test.i686, app_test.x86_64); the
# label wine-ARCH selects one run (ctest -L wine-i686). Where the machine
# cannot run 32-bit programs, the i686 tests end with 77 and show as skipped.
set(WINE_ARCH ${CMAKE_SYSTEM_PROCESSOR})
if(NOT WINE_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "Wine tests run i686 or x86_64 programs, not ${WINE_ARCH}")
endif()
set(WINE_HARNESS ${CMAKE_SOURCE_DIR}/tests/harness)
set(WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
set(WINE_WORK ${CMAKE_BINARY_DIR}/wine-tests)

# The template prefix, built once per test run before any Wine test of this tree.
add_test(NAME wine_template.${WINE_ARCH}
         COMMAND ${WINE_HARNESS}/make-template.sh ${WINE_ARCH} ${WINE_TEMPLATE})
set_tests_properties(wine_template.${WINE_ARCH} PROPERTIES FIXTURES_SETUP wine.${WINE_ARCH}
                     TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS "wine;wine-${WINE_ARCH}")

if(WINE_ARCH STREQUAL "i686")
  # What a machine without 32-bit support shows (runs no Wine program but one stand-in server).
  add_test(NAME wine_skip_path.i686 COMMAND ${WINE_HARNESS}/skip_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_skip_path.i686 PROPERTIES TIMEOUT 120 LABELS "wine;wine-i686")
endif()

# add_wine_test(NAME script [ARGS...]): runs a test script in a prefix of its
# own; the test is NAME.ARCH, its files are kept in wine-tests/NAME of the tree.
function(add_wine_test name script)
  add_test(NAME ${name}.${WINE_ARCH}
           COMMAND ${WINE_HARNESS}/wine-test.sh ${WINE_ARCH} ${WINE_TEMPLATE} ${WINE_WORK} ${name}
                   ${script} ${ARGN})
  set_tests_properties(${name}.${WINE_ARCH} PROPERTIES FIXTURES_REQUIRED wine.${WINE_ARCH} TIMEOUT 600
                       SKIP_RETURN_CODE 77 LABELS "wine;wine-${WINE_ARCH}")
endfunction()

# add_wine_gtest(target): a GoogleTest program run under Wine as one test.
function(add_wine_gtest target)
  target_link_libraries(${target} PRIVATE gtest gtest_main)
  target_compile_options(${target} PRIVATE ${SETUP_WARNINGS})
  add_wine_test(${target} ${WINE_HARNESS}/gtest.sh $<TARGET_FILE:${target}>)
endfunction()
