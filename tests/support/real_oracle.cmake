# The MPFR reference for real value texts, as a library shared by the real
# scanner's oracle test and by its fuzz target, whose build is configured
# without the tests. Defines listio_real_oracle where MPFR and GMP are found.
if(NOT TARGET listio_real_oracle)
  find_library(LISTIO_MPFR_LIBRARY mpfr)
  find_library(LISTIO_GMP_LIBRARY gmp)
  find_path(LISTIO_MPFR_INCLUDE mpfr.h)
  if(LISTIO_MPFR_LIBRARY AND LISTIO_GMP_LIBRARY AND LISTIO_MPFR_INCLUDE)
    add_library(listio_real_oracle STATIC ${CMAKE_CURRENT_LIST_DIR}/real_oracle.cpp)
    target_include_directories(listio_real_oracle PUBLIC
      ${CMAKE_CURRENT_LIST_DIR} ${LISTIO_MPFR_INCLUDE})
    target_link_libraries(listio_real_oracle PUBLIC ${LISTIO_MPFR_LIBRARY}
                                                    ${LISTIO_GMP_LIBRARY})
  endif()
endif()
