# Whole-process tests of the five programs, one executable per program.
foreach(name letterband najveci rootiter squareband sumversus)
  add_executable(program_${name}_test
                 ${CMAKE_CURRENT_LIST_DIR}/program_${name}_test.cpp)
  target_link_libraries(program_${name}_test PRIVATE listio_test_support)
  add_dependencies(program_${name}_test letterband rootiter squareband
                   sumversus najveci)
  gtest_discover_tests(program_${name}_test DISCOVERY_TIMEOUT 30)
endforeach()
