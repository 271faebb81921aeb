# velmora_windows_dll(target stdcall.def): a DLL as other Windows programs expect it:
# named <target>.dll without the "lib" prefix, and exporting its functions by their
# plain names (no stdcall "@n" suffix on 32-bit), so callers can import them by name.
function(velmora_windows_dll target stdcall_def)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  target_link_options(${target} PRIVATE "LINKER:--kill-at")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit callers ask the import library for the stdcall names ("_Delay@4"), which
    # ld's own one drops with the suffixes; dlltool writes one that maps them to the
    # plain exports.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${stdcall_def}
              --dllname $<TARGET_FILE_NAME:${target}> --output-lib $<TARGET_LINKER_FILE:${target}>
      VERBATIM)
  endif()
endfunction()
