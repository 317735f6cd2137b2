# Fails when a tool links a GUI module of Qt: on its link line (what the build runs) or in what
# the loader maps (ldd). Each must name Qt6Core, so a line that was not found cannot pass.
#   cmake -DTOOL=<file> -DTARGET=<name> -DBUILD_DIR=<dir> [-DNINJA=<ninja>] -P CheckToolLinks.cmake
set(_gui "Qt6(Gui|Widgets|OpenGL|PrintSupport|Svg)")
set(_faults 0)

if(NINJA)
  execute_process(COMMAND ${NINJA} -C ${BUILD_DIR} -t commands ${TARGET}
                  OUTPUT_VARIABLE _commands RESULT_VARIABLE _rc)
  string(REGEX MATCHALL "[^\n]+" _lines "${_commands}")
  list(GET _lines -1 _link)
  if(NOT _rc EQUAL 0 OR NOT _link MATCHES "Qt6Core")
    message(SEND_ERROR "no link line of ${TARGET} naming Qt6Core found")
    math(EXPR _faults "${_faults} + 1")
  elseif(_link MATCHES "${_gui}")
    message(SEND_ERROR "${TARGET} links ${CMAKE_MATCH_0}: ${_link}")
    math(EXPR _faults "${_faults} + 1")
  endif()
endif()

execute_process(COMMAND ldd ${TOOL} OUTPUT_VARIABLE _ldd RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0 OR NOT _ldd MATCHES "libQt6Core")
  message(SEND_ERROR "ldd ${TOOL} names no libQt6Core")
  math(EXPR _faults "${_faults} + 1")
elseif(_ldd MATCHES "lib${_gui}")
  message(SEND_ERROR "${TOOL} loads libQt6${CMAKE_MATCH_1}:\n${_ldd}")
  math(EXPR _faults "${_faults} + 1")
endif()

if(_faults GREATER 0)
  message(FATAL_ERROR "${TARGET}: ${_faults} fault(s)")
endif()
message(STATUS "${TARGET}: QtCore only, on its link line and in ldd")
