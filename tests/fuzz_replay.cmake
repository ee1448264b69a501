# The fuzz targets, built with the ordinary compiler and without libFuzzer,
# replay their committed corpora as ordinary tests: every input that once
# exercised something keeps being checked against the targets' invariants.
set(fuzz_dir ${PROJECT_SOURCE_DIR}/fuzz)

add_executable(input_fuzz_replay ${fuzz_dir}/input_fuzz.cpp
                                 ${fuzz_dir}/replay_main.cpp
                                 ${CMAKE_CURRENT_SOURCE_DIR}/support/fake_streams.cpp)
target_include_directories(input_fuzz_replay PRIVATE
  ${PROJECT_SOURCE_DIR}/listio ${CMAKE_CURRENT_SOURCE_DIR}/support ${fuzz_dir})
target_link_libraries(input_fuzz_replay PRIVATE listio)
add_test(NAME fuzz_replay.input_fuzz
         COMMAND input_fuzz_replay ${fuzz_dir}/corpus/input_fuzz)

# The real target's reference needs MPFR.
include(${CMAKE_CURRENT_LIST_DIR}/support/real_oracle.cmake)
if(TARGET listio_real_oracle)
  add_executable(real_fuzz_replay ${fuzz_dir}/real_fuzz.cpp
                                  ${fuzz_dir}/replay_main.cpp)
  target_include_directories(real_fuzz_replay PRIVATE
    ${PROJECT_SOURCE_DIR}/listio ${fuzz_dir})
  target_link_libraries(real_fuzz_replay PRIVATE listio listio_real_oracle)
  add_test(NAME fuzz_replay.real_fuzz
           COMMAND real_fuzz_replay ${fuzz_dir}/corpus/real_fuzz)
else()
  message(WARNING "MPFR not found: the real scanner's corpus is not replayed")
endif()
