# Configures the resource script of Tintora.exe from resources/tintora.rc.in,
# and the application manifest it carries.
#
#   tintora_configure_rc(<output.rc>)
#
# windres's ICON statement numbers the images of an icon itself (1, 2, 3 ...).
# The executable carries them as 30001, 30002 and 30003 in icon group 1, so the
# group and its images are written out here as raw RT_GROUP_ICON and RT_ICON
# resources from the committed tintora.ico (the bytes tools/make_icon.py wrote):
# every image becomes one resource, and the group lists it under its new ID.

set(TINTORA_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources)
cmake_path(NORMAL_PATH TINTORA_RESOURCES_DIR)

set(TINTORA_ICON_GROUP_ID 1)
set(TINTORA_FIRST_ICON_IMAGE_ID 30001)

# The little-endian 16-bit word at byte `offset` of the hex string `hex`.
function(_tintora_ico_word hex offset out)
  math(EXPR at "${offset} * 2")
  string(SUBSTRING "${hex}" ${at} 4 bytes)
  string(REGEX REPLACE "(..)(..)" "\\2\\1" swapped "${bytes}")
  math(EXPR value "0x${swapped}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

function(_tintora_ico_dword hex offset out)
  _tintora_ico_word("${hex}" ${offset} low)
  math(EXPR high_at "${offset} + 2")
  _tintora_ico_word("${hex}" ${high_at} high)
  math(EXPR value "${high} * 65536 + ${low}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# The hex bytes as an .rc data block of 16-bit words (the length is even).
function(_tintora_rc_words hex out)
  string(REGEX REPLACE "(..)(..)" "0x\\2\\1," words "${hex}")
  string(REGEX REPLACE ",$" "" words "${words}")
  set(${out} "BEGIN\n${words}\nEND\n" PARENT_SCOPE)
endfunction()

function(_tintora_hex_word value out)
  math(EXPR low "${value} % 256" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR high "${value} / 256" OUTPUT_FORMAT HEXADECIMAL)
  foreach(part low high)
    string(REPLACE "0x" "" ${part} "${${part}}")
    string(LENGTH "${${part}}" length)
    if(length EQUAL 1)
      set(${part} "0${${part}}")
    endif()
  endforeach()
  set(${out} "${low}${high}" PARENT_SCOPE)
endfunction()

# Writes the icon group and its images as .rc text into `out_file`.
function(tintora_icon_resources ico out_file)
  file(READ "${ico}" hex HEX)
  _tintora_ico_word("${hex}" 4 count)
  string(SUBSTRING "${hex}" 0 12 group) # reserved, type 1, count: the same in a group
  set(text "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE ${last})
    math(EXPR entry "6 + 16 * ${i}")
    math(EXPR id "${TINTORA_FIRST_ICON_IMAGE_ID} + ${i}")
    math(EXPR size_at "${entry} + 8")
    math(EXPR offset_at "${entry} + 12")
    _tintora_ico_dword("${hex}" ${size_at} size)
    _tintora_ico_dword("${hex}" ${offset_at} offset)
    math(EXPR hex_entry "${entry} * 2")
    math(EXPR hex_offset "${offset} * 2")
    math(EXPR hex_size "${size} * 2")
    # A group entry is the file's entry with the image's resource ID in place
    # of its file offset: width, height, colours, reserved, planes, bits, bytes.
    string(SUBSTRING "${hex}" ${hex_entry} 24 fields)
    _tintora_hex_word(${id} id_hex)
    string(APPEND group "${fields}${id_hex}")
    string(SUBSTRING "${hex}" ${hex_offset} ${hex_size} image)
    _tintora_rc_words("${image}" block)
    string(APPEND text "${id} 3 // RT_ICON\n${block}\n")
  endforeach()
  _tintora_rc_words("${group}" block)
  string(APPEND text "${TINTORA_ICON_GROUP_ID} 14 // RT_GROUP_ICON\n${block}")
  file(WRITE "${out_file}" "// Generated from ${ico}; do not edit.\n${text}")
endfunction()

# Writes the application manifest, which names the project's version, to
# `output`: the program and the Windows test programs carry the same one.
function(tintora_configure_manifest output)
  configure_file(${TINTORA_RESOURCES_DIR}/tintora.manifest.in ${output} @ONLY)
endfunction()

function(tintora_configure_rc output)
  cmake_path(GET output PARENT_PATH dir)
  set(TINTORA_ICON_RC ${dir}/tintora_icon.rc)
  tintora_icon_resources(${TINTORA_RESOURCES_DIR}/icons/tintora.ico ${TINTORA_ICON_RC})
  set(TINTORA_MANIFEST ${dir}/tintora.manifest)
  tintora_configure_manifest(${TINTORA_MANIFEST})
  string(REPLACE "." "," TINTORA_VERSION_NUMBERS "${PROJECT_VERSION}.0")
  configure_file(${TINTORA_RESOURCES_DIR}/tintora.rc.in ${output} @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${TINTORA_RESOURCES_DIR}/icons/tintora.ico)
endfunction()
