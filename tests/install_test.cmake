# The installed tree: `cmake --install` of this build into a scratch prefix,
# then the example under examples/hello built against it, once through the
# CMake package and once through pkg-config, and run with its input on a
# pipe. The two builds share the installation as a fixture.
set(listio_install_work ${CMAKE_CURRENT_BINARY_DIR}/install_test)
set(listio_install_args
    -DBUILD_DIR=${PROJECT_BINARY_DIR}
    -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
    -DWORK_DIR=${listio_install_work}
    -DCONFIG=$<CONFIG>
    -DGENERATOR=${CMAKE_GENERATOR}
    -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
    # A consumer of static libraries built with sanitizers must link their
    # run-time too: the example is built with this build's flags.
    -DCXX_FLAGS=${CMAKE_CXX_FLAGS}
    -DLINKER_FLAGS=${CMAKE_EXE_LINKER_FLAGS})
set(listio_install_script ${CMAKE_CURRENT_LIST_DIR}/install/check_install.cmake)

add_test(NAME install.into_prefix
         COMMAND ${CMAKE_COMMAND} ${listio_install_args} -DSTEP=install
                 -P ${listio_install_script})
set_tests_properties(install.into_prefix PROPERTIES
  FIXTURES_SETUP listio_installed TIMEOUT 120)

add_test(NAME install.cmake_package
         COMMAND ${CMAKE_COMMAND} ${listio_install_args} -DSTEP=cmake_package
                 -P ${listio_install_script})
add_test(NAME install.pkg_config
         COMMAND ${CMAKE_COMMAND} ${listio_install_args} -DSTEP=pkg_config
                 -P ${listio_install_script})
set_tests_properties(install.cmake_package install.pkg_config PROPERTIES
  FIXTURES_REQUIRED listio_installed TIMEOUT 300)
set_tests_properties(install.pkg_config PROPERTIES
  SKIP_REGULAR_EXPRESSION "SKIP: pkg-config is not installed")
