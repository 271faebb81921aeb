# velmora_windows_dll(target): a DLL as other Windows programs expect it: named
# <target>.dll without the "lib" prefix, and exporting its functions by their plain
# names (no stdcall "@n" suffix on 32-bit), so callers can import them by name.
function(velmora_windows_dll target)
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "")
  target_link_options(${target} PRIVATE "LINKER:--kill-at")
endfunction()
