# The Windows tests run under wine. Every test needs the wine server that the
# first test starts and the last one stops, so no wine process outlives ctest.
set(QUILLOP_WINE ${PROJECT_SOURCE_DIR}/cmake/wine-test)
set(QUILLOP_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLOP_WINE} ${QUILLOP_WINEPREFIX})

add_test(NAME wine.start COMMAND ${QUILLOP_WINE} ${QUILLOP_WINEPREFIX} --start)
add_test(NAME wine.stop COMMAND ${QUILLOP_WINE} ${QUILLOP_WINEPREFIX} --stop)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# One ctest test per test program: a wine start costs more than all of a
# program's cases, so neither listing the cases nor one start per case pays.
function(quillop_wine_test target)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine ${ARGN})
endfunction()

# The shared test folders call GoogleTest's functions; here they mean the above.
function(gtest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
  quillop_wine_test(${target} ${arg_PROPERTIES})
endfunction()
function(gtest_add_tests)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET" "")
  quillop_wine_test(${arg_TARGET})
endfunction()
