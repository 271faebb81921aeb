# cmake -DNM=<nm> -DLIBRARY=<libpendrel.so> -P CheckExports.cmake
# Fails unless the library's dynamic symbol table defines exactly the four exports.
set(expected Delay DelayInit GetMinPerformanceFrequency GetPerformanceFrequency)

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(defined "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>"; version-definition entries (type A) are not code or data.
  if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) (.+)$" AND NOT CMAKE_MATCH_1 STREQUAL "A")
    list(APPEND defined "${CMAKE_MATCH_2}")
  endif()
endforeach()
list(SORT defined)

if(NOT defined STREQUAL expected)
  message(FATAL_ERROR "exports: '${defined}'\nexpected: '${expected}'")
endif()
message(STATUS "exports: ${defined}")
