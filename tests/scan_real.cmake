# Tests of the value scanners: a table of real texts, and comparisons of both
# scanners with independent oracles (MPFR for the reals, 128-bit arithmetic
# for the integers). The long oracle run is opt-in: it carries the label
# `long` and skips itself unless LISTIO_LONG is set.
if(NOT TARGET GTest::gtest_main)
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

add_executable(scan_real_test ${CMAKE_CURRENT_LIST_DIR}/scan_real_test.cpp)
target_link_libraries(scan_real_test PRIVATE listio GTest::gtest_main)
gtest_discover_tests(scan_real_test)

add_executable(scan_int_oracle_test
               ${CMAKE_CURRENT_LIST_DIR}/scan_int_oracle_test.cpp)
target_link_libraries(scan_int_oracle_test PRIVATE listio GTest::gtest_main)
gtest_discover_tests(scan_int_oracle_test)

include(${CMAKE_CURRENT_LIST_DIR}/support/real_oracle.cmake)
if(NOT TARGET listio_real_oracle)
  message(FATAL_ERROR
          "The real scanner's oracle tests need MPFR and GMP "
          "(libmpfr-dev, libgmp-dev)")
endif()
add_executable(scan_real_oracle_test
               ${CMAKE_CURRENT_LIST_DIR}/scan_real_oracle_test.cpp)
target_link_libraries(scan_real_oracle_test
                      PRIVATE listio listio_real_oracle GTest::gtest_main)
gtest_discover_tests(scan_real_oracle_test TEST_FILTER "-*Long*")
add_test(NAME ScanRealOracle.LongRandomStream
         COMMAND scan_real_oracle_test --gtest_filter=*Long*)
set_tests_properties(ScanRealOracle.LongRandomStream PROPERTIES
                     LABELS long
                     SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
