# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DMKDB=… -DPROGRAMS="a;b" -DCONTENT=… -DOUT=… -P standalone_tool.cmake
# The programs (tankjagd-mkdb, and a test linking only the content rules) need no Qt
# library, and tankjagd-mkdb checking the shipped set prints nothing that is not its own:
# with no warning to give, nothing at all, even without XDG_RUNTIME_DIR.
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND readelf -d ${program} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "readelf -d ${program} failed")
  endif()
  string(REGEX MATCHALL "\\[libQt[^]]*\\]" qt "${dynamic}")
  if(qt)
    message(FATAL_ERROR "${program} links ${qt}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR ${MKDB} ${OUT} ${CONTENT} --pruefen
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
file(REMOVE ${OUT})
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
  message(FATAL_ERROR "tankjagd-mkdb --pruefen on the shipped set: exit ${rc}, printed:\n${out}${err}")
endif()
