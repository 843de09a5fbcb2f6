# Compiles the configured tintora.rc with the MinGW resource compiler and checks
# what landed in the object file: the icon group, the fixed version numbers and
# each version string under its own key.
#
#   cmake -DWINDRES=... -DCPP=... -DRC=tintora.rc -DOUTPUT=tintora_rc.o -P check_windows_res.cmake
#
# The host C preprocessor stands in for the MinGW compiler driver, which
# windres would otherwise call and which the binutils package does not bring.

cmake_minimum_required(VERSION 3.25)

foreach(var WINDRES CPP RC OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_windows_res.cmake: -D${var}=... is required")
  endif()
endforeach()

file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND "${WINDRES}" "--preprocessor=${CPP}" -O coff -i "${RC}" -o "${OUTPUT}"
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT EXISTS "${OUTPUT}")
  message(FATAL_ERROR "windres failed on ${RC} (${result}):\n${errors}")
endif()

file(READ "${OUTPUT}" hex HEX)
set(failures "")

# Text in a version resource is UTF-16LE; returns the lowercase hex of `text`.
function(utf16_hex text out)
  string(HEX "${text}" ascii)
  string(REGEX REPLACE "(..)" "\\100" wide "${ascii}")
  set(${out} "${wide}" PARENT_SCOPE)
endfunction()

function(expect label)
  string(CONCAT pattern ${ARGN})
  if(NOT hex MATCHES "${pattern}")
    set(failures "${failures}\n  ${label}" PARENT_SCOPE)
  endif()
endfunction()

# VS_FIXEDFILEINFO: signature, struct version, file 1.1.0.0, product 1.1.0.0,
# flags mask 0x3f, flags 0, OS 0x40004, type VFT_APP, subtype 0.
expect("fixed file info 1,1,0,0 / 0x3f / 0 / 0x40004 / VFT_APP / 0"
       "bd04effe" "00000100" "0100010000000000" "0100010000000000"
       "3f000000" "00000000" "04000400" "01000000" "00000000")

# Each value sits after its key's terminating NUL and at most one padding word.
foreach(pair
    "CompanyName=Tintora developers"
    "FileVersion=1.01"
    "InternalName=Tintora"
    "OriginalFilename=Tintora.exe"
    "ProductName=Tintora1.0"
    "ProductVersion=1.01")
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 key)
  list(GET parts 1 value)
  utf16_hex("${key}" key_hex)
  utf16_hex("${value}" value_hex)
  expect("${key} = \"${value}\"" "${key_hex}0000(0000)?${value_hex}0000")
endforeach()

utf16_hex("080404B0" table_hex)
expect("string table 080404B0" "${table_hex}0000")
utf16_hex("Translation" translation_hex)
expect("Translation 0x0804, 1200" "${translation_hex}0000(0000)?0408b004")

# The icon group: three entries of 16, 32 and 48 px at 8 bits per pixel.
expect("icon group with 16, 32 and 48 px 8-bit images"
       "0000010003001010000001000800[0-9a-f]+2020000001000800[0-9a-f]+3030000001000800")

if(failures)
  message(FATAL_ERROR "${OUTPUT} lacks:${failures}")
endif()
message(STATUS "${OUTPUT}: icon group and version record as expected")
