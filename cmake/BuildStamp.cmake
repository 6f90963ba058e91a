# The build stamp is the short commit id of the source tree at configure time.
set(VARDA_BUILD_STAMP "unknown")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(
    COMMAND ${GIT_EXECUTABLE} rev-parse --short HEAD
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE _stamp
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET
    RESULT_VARIABLE _rc)
  if(_rc EQUAL 0 AND _stamp)
    set(VARDA_BUILD_STAMP "${_stamp}")
  endif()
endif()

# The platform the binary is built for, as the version line names it.
set(VARDA_PLATFORM "${CMAKE_SYSTEM_NAME}  ${CMAKE_SYSTEM_PROCESSOR}")

configure_file(${CMAKE_SOURCE_DIR}/cmake/build_info.h.in ${CMAKE_BINARY_DIR}/generated/build_info.h @ONLY)
