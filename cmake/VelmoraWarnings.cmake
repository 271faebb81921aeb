# velmora_warnings(target): the project's warning set, errors when VELMORA_WERROR is on.
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# velmora_core_warnings(target): the stricter set of the libraries that touch chips and
# files, where a silent narrowing or a shadowed name can write a wrong byte.
function(velmora_core_warnings target)
  velmora_warnings(${target})
  target_compile_options(${target} PRIVATE -Wshadow -Wconversion)
  # clang's -Wconversion also turns on -Wsign-conversion, which GCC's does not for C++;
  # the same set on both keeps the clang-built fuzzers compiling.
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -Wno-sign-conversion)
  endif()
endfunction()
