# The system calls behind statements, seen with strace; the tests skip
# themselves where strace is not installed.
add_executable(syscall_test ${CMAKE_CURRENT_LIST_DIR}/syscall_test.cpp)
target_link_libraries(syscall_test PRIVATE listio_test_support)
add_dependencies(syscall_test letterband rootiter squareband sumversus
                 najveci)
gtest_discover_tests(syscall_test DISCOVERY_TIMEOUT 30)
