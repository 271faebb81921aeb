# Run by CPack after it has made the package (CPACK_POST_BUILD_SCRIPTS). CPack adds
# postinst and postrm scripts that run ldconfig for any library under /usr/lib, even
# in a private folder such as /usr/lib/velmora that ldconfig never reads; the package
# is packed again without them.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(unpacked ${deb}.unpacked)
  file(REMOVE_RECURSE ${unpacked})
  execute_process(COMMAND ${DPKG_DEB} -R ${deb} ${unpacked} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${unpacked}/DEBIAN/postinst ${unpacked}/DEBIAN/postrm)
  execute_process(COMMAND ${DPKG_DEB} --root-owner-group -b ${unpacked} ${deb}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${unpacked})
endforeach()
