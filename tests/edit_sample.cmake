# Real editing compared with an independent reference on a deterministic
# sample of floats. The same comparison over every float is the
# edit_exhaustive tool in tools/, run by hand.
add_executable(edit_sample_test ${CMAKE_CURRENT_LIST_DIR}/edit_sample_test.cpp)
target_link_libraries(edit_sample_test PRIVATE listio_test_support)
gtest_discover_tests(edit_sample_test DISCOVERY_TIMEOUT 30)

