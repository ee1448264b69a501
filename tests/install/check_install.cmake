# One step of the installation test, run with cmake -P:
#   STEP=install        installs BUILD_DIR into WORK_DIR/prefix and checks
#                       what is there
#   STEP=cmake_package  builds examples/hello with find_package(listio)
#   STEP=pkg_config     builds examples/hello with the flags from listio.pc
# The example is run with its input on a pipe and its output compared.
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
set(example ${SOURCE_DIR}/examples/hello)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "failed (${rc}): ${command}\n${out}")
  endif()
endfunction()

# Runs a program with `input` and a line end on a pipe and checks its exit
# code, its standard output byte for byte (captured output, read as text,
# would lose its CRs) and that it writes nothing to standard error.
function(check_run program input expected)
  set(out_file ${WORK_DIR}/out.bin)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${input}"
                  COMMAND ${program}
                  RESULTS_VARIABLE codes OUTPUT_FILE ${out_file}
                  ERROR_VARIABLE err)
  file(READ ${out_file} out HEX)
  string(HEX "${expected}" expected_hex)
  if(NOT codes STREQUAL "0;0" OR NOT out STREQUAL expected_hex OR
     NOT err STREQUAL "")
    message(FATAL_ERROR "${program}: exit codes ${codes}, errors [${err}]\n"
                        "output   (hex) ${out}\nexpected (hex) ${expected_hex}")
  endif()
endfunction()

# The example echoes the number it reads in one record.
function(check_hello program)
  check_run(${program} 42 "n =         42\r\n")
endfunction()

if(STEP STREQUAL "install")
  file(REMOVE_RECURSE ${WORK_DIR})
  set(config_args)
  if(CONFIG)
    set(config_args --config ${CONFIG})
  endif()
  run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
      ${config_args})

  # Everything in its usual place, and nothing that points back into the
  # source or build tree.
  file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
  foreach(path bin/letterband bin/rootiter bin/squareband bin/sumversus
               bin/najveci include/listio.h)
    if(NOT EXISTS ${prefix}/${path})
      message(FATAL_ERROR "not installed: ${path}\ninstalled: ${installed}")
    endif()
  endforeach()
  foreach(pattern "lib[^/]*/liblistio\\.a" "lib[^/]*/liblistio_main\\.a"
                  "lib[^/]*/cmake/listio/listioConfig\\.cmake"
                  "lib[^/]*/cmake/listio/listioConfigVersion\\.cmake"
                  "lib[^/]*/pkgconfig/listio\\.pc")
    set(found)
    foreach(path IN LISTS installed)
      if(path MATCHES "^${pattern}$")
        set(found ${path})
      endif()
    endforeach()
    if(NOT found)
      message(FATAL_ERROR "not installed: ${pattern}\ninstalled: ${installed}")
    endif()
    if(found MATCHES "\\.(cmake|pc)$")
      file(READ ${prefix}/${found} text)
      foreach(tree ${SOURCE_DIR} ${BUILD_DIR})
        string(FIND "${text}" "${tree}" at)
        if(NOT at EQUAL -1)
          message(FATAL_ERROR "${found} refers to ${tree}")
        endif()
      endforeach()
    endif()
  endforeach()
  # An installed program runs.
  check_run(${prefix}/bin/najveci "1 2 3"
            "Unesi brojeve\r\nc je najveci       3.000000\r\n")

elseif(STEP STREQUAL "cmake_package")
  set(build ${WORK_DIR}/hello-cmake)
  file(REMOVE_RECURSE ${build})
  run(${CMAKE_COMMAND} -S ${example} -B ${build} -G ${GENERATOR}
      -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_CXX_FLAGS=${CXX_FLAGS} -DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}
      -DCMAKE_PREFIX_PATH=${prefix}
      -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
      -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
  # The package must come from the scratch prefix, not from elsewhere on the
  # machine.
  file(STRINGS ${build}/CMakeCache.txt found REGEX "^listio_DIR:")
  string(FIND "${found}" "=${prefix}/" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "listio found elsewhere: ${found}")
  endif()
  run(${CMAKE_COMMAND} --build ${build} --config Release)
  file(GLOB_RECURSE programs ${build}/hello ${build}/*/hello)
  list(GET programs 0 program)
  check_hello(${program})

elseif(STEP STREQUAL "pkg_config")
  find_program(pkg_config NAMES pkg-config pkgconf)
  if(NOT pkg_config)
    message("SKIP: pkg-config is not installed")
    return()
  endif()
  file(GLOB pc_dirs ${prefix}/lib*/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "${pc_dirs}")
  execute_process(COMMAND ${pkg_config} --cflags --libs listio
                  RESULT_VARIABLE rc OUTPUT_VARIABLE flags
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not find listio in ${pc_dirs}")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  set(build ${WORK_DIR}/hello-pkg-config)
  file(MAKE_DIRECTORY ${build})
  separate_arguments(build_flags UNIX_COMMAND "${CXX_FLAGS} ${LINKER_FLAGS}")
  run(${CXX_COMPILER} -std=c++20 -O2 ${build_flags} -o ${build}/hello
      ${example}/main.cpp ${flags})
  check_hello(${build}/hello)

else()
  message(FATAL_ERROR "unknown STEP '${STEP}'")
endif()
