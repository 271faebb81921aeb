# cmake -DLIBRARY=<libcorvant.so> -DNM=<nm> -P CheckExports.cmake
# Fails unless the library defines exactly the five pin-interface functions, GetLineCosts and ProgrammerStream.
execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(exported "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+) ")
    list(APPEND exported "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT exported)

set(expected ComClose ComInit GetDllInfo GetLineCosts ProgrammerRead ProgrammerStream ProgrammerWrite)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "libcorvant exports [${exported}], expected [${expected}]")
endif()
message(STATUS "libcorvant exports exactly: ${exported}")
