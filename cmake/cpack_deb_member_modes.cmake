# Run by cpack once the .deb is made (CPACK_POST_BUILD_SCRIPTS). A .deb is an
# ar archive of three members, and CPack gives each the mode of the temporary
# file it wrote it from, so the umask of whoever packs shows in the package.
# Each member's mode is set here to 100644, as dpkg-deb writes it; the header
# fields are ASCII and the same length, so the file is patched in place.

set(deb_member_mode "100644  ") # the 8-byte field, space-padded
set(ar_magic_length 8)          # "!<arch>\n"
set(ar_header_length 60)
set(ar_mode_offset 40)
set(ar_size_offset 48)

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(mode_file "${package}.mode")
  file(WRITE "${mode_file}" "${deb_member_mode}")
  file(SIZE "${package}" package_size)
  set(header ${ar_magic_length})
  while(header LESS package_size)
    math(EXPR size_at "${header} + ${ar_size_offset}")
    file(READ "${package}" member_size OFFSET ${size_at} LIMIT 10)
    string(STRIP "${member_size}" member_size)
    if(NOT member_size MATCHES "^[0-9]+$")
      message(FATAL_ERROR "${package}: no ar member header at byte ${header}")
    endif()
    math(EXPR mode_at "${header} + ${ar_mode_offset}")
    execute_process(
      COMMAND dd "of=${package}" bs=1 seek=${mode_at} conv=notrunc status=none
      INPUT_FILE "${mode_file}"
      RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${package}: could not set the mode of the member at byte ${header}")
    endif()
    # Members start at even offsets.
    math(EXPR header "${header} + ${ar_header_length} + ${member_size} + ${member_size} % 2")
  endwhile()
  file(REMOVE "${mode_file}")
endforeach()
