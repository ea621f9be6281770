# Run by cpack on the package before it copies it out. The DEB generator gives
# each member of the ar archive its file's permissions, which follow the umask
# of whoever packs; dpkg-deb gives them all 0644, and so does this, in place.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  file(SIZE "${deb}" end)
  # Past the archive's magic number, a header of 60 bytes before each member:
  # name, time, owner, group, mode (8 at 40), size (10 at 48) and "`\n".
  set(header 8)
  while(header LESS end)
    math(EXPR mode_at "${header} + 40")
    file(READ "${deb}" fields OFFSET ${mode_at} LIMIT 20)
    string(SUBSTRING "${fields}" 8 10 size)
    string(SUBSTRING "${fields}" 18 2 header_end)
    string(STRIP "${size}" size)
    if(NOT header_end STREQUAL "`\n" OR NOT size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${deb}: no ar member header at byte ${header}")
    endif()
    execute_process(COMMAND printf %s "100644  "
                    COMMAND dd "of=${deb}" bs=1 seek=${mode_at} conv=notrunc status=none
                    COMMAND_ERROR_IS_FATAL ANY)
    math(EXPR header "${header} + 60 + ${size} + ${size} % 2")
  endwhile()
endforeach()
