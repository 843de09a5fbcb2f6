# Compiles the configured tintora.rc with the MinGW resource compiler and checks
# what landed in the object file: the fixed version numbers and each version
# string under its own key in the raw bytes; then, read back by windres as a
# resource script, the icon group with its images, the language of every
# resource and the manifest. Given EXE instead, it checks the resources the
# built executable carries.
#
#   cmake -DWINDRES=... -DCPP=... -DRC=tintora.rc -DOUTPUT=tintora_rc.o -DVERSION=X.Y.Z -P check_windows_res.cmake
#   cmake -DWINDRES=... -DEXE=Tintora.exe -DVERSION=X.Y.Z -P check_windows_res.cmake
#
# The host C preprocessor stands in for the MinGW compiler driver, which
# windres would otherwise call and which the binutils package does not bring.

cmake_minimum_required(VERSION 3.25)

if(DEFINED EXE)
  set(required WINDRES VERSION)
  set(OUTPUT "${EXE}")
else()
  set(required WINDRES CPP RC OUTPUT VERSION)
endif()
foreach(var IN LISTS required)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_windows_res.cmake: -D${var}=... is required")
  endif()
endforeach()

if(NOT DEFINED EXE)
  file(REMOVE "${OUTPUT}")
  execute_process(
    COMMAND "${WINDRES}" "--preprocessor=${CPP}" -O coff -i "${RC}" -o "${OUTPUT}"
    RESULT_VARIABLE result
    ERROR_VARIABLE errors)
  if(NOT result EQUAL 0 OR NOT EXISTS "${OUTPUT}")
    message(FATAL_ERROR "windres failed on ${RC} (${result}):\n${errors}")
  endif()
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

# A 16-bit number as the little-endian hex of a version word.
function(version_word number out)
  math(EXPR padded "65536 + ${number}" OUTPUT_FORMAT HEXADECIMAL) # 0x1HHLL
  string(SUBSTRING "${padded}" 3 2 high)
  string(SUBSTRING "${padded}" 5 2 low)
  string(TOLOWER "${low}${high}" word)
  set(${out} "${word}" PARENT_SCOPE)
endfunction()

# X.Y.Z.0 as two little-endian double words: Y, X, then 0, Z.
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 major)
list(GET parts 1 minor)
list(GET parts 2 patch)
foreach(part major minor patch)
  version_word(${${part}} ${part}_hex)
endforeach()
set(version_hex "${minor_hex}${major_hex}0000${patch_hex}")

# VS_FIXEDFILEINFO: signature, struct version, file and product version X.Y.Z.0,
# flags mask 0x3f, flags 0, OS VOS__WINDOWS32, type VFT_APP, subtype 0.
expect("fixed file info ${VERSION}.0 / 0x3f / 0 / VOS__WINDOWS32 / VFT_APP / 0"
       "bd04effe" "00000100" "${version_hex}" "${version_hex}"
       "3f000000" "00000000" "04000000" "01000000" "00000000")

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

# windres writes a LANGUAGE line before the first resource and wherever the
# language changes: a single "LANGUAGE 4, 2" means every resource is 0x0804.
execute_process(
  COMMAND "${WINDRES}" -i "${OUTPUT}" -O rc
  RESULT_VARIABLE result
  OUTPUT_VARIABLE script
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres could not read ${OUTPUT} back (${result}):\n${errors}")
endif()
string(REGEX MATCHALL "\nLANGUAGE [0-9]+, [0-9]+" languages "${script}")
if(NOT languages STREQUAL "\nLANGUAGE 4, 2")
  string(REPLACE "\n" " " languages "${languages}")
  set(failures "${failures}\n  every resource in language 0x0804 (found:${languages})")
endif()

function(expect_in_script label pattern)
  if(NOT script MATCHES "${pattern}")
    set(failures "${failures}\n  ${label}" PARENT_SCOPE)
  endif()
endfunction()

# Icon group 1 lists its three 8-bit images, 16, 32 and 48 px, as 30001-30003,
# and those are the only icon images.
string(REGEX MATCHALL "\n[0-9]+ 3 /\\* RT_ICON" images "${script}")
string(REGEX REPLACE "\n| 3 /\\* RT_ICON" "" images "${images}")
if(NOT images STREQUAL "30001;30002;30003")
  set(failures "${failures}\n  icon images 30001, 30002, 30003 (found: ${images})")
endif()
expect_in_script("icon group 1 with 16, 32 and 48 px 8-bit images 30001-30003"
  "\n1 14 /\\* RT_GROUP_ICON \\*/\nBEGIN\n[^\n]+3 elements[^\n]*\n[^\n]*\n"
  " +\"[\\]020[\\]020[\\]000[\\]000\", 1, 8, 0x[0-9a-f]+L, 30001,[^\n]*\n"
  " +\"[\\]040[\\]040[\\]000[\\]000\", 1, 8, 0x[0-9a-f]+L, 30002,[^\n]*\n"
  " +\"[\\]060[\\]060[\\]000[\\]000\", 1, 8, 0x[0-9a-f]+L, 30003[^\n]*\nEND")
expect_in_script("version record 1 for 32-bit Windows" "\n1 VERSIONINFO\n[^B]* FILEOS 0x4\n")
expect_in_script("manifest 1 asking for Common Controls 6 and per-monitor-v2 DPI awareness"
  "\n1 24 /\\* RT_MANIFEST \\*/\n.*Microsoft.Windows.Common-Controls.*version=\"\"6.0.0.0\"\".*PerMonitorV2")

if(failures)
  message(FATAL_ERROR "${OUTPUT} lacks:${failures}")
endif()
message(STATUS "${OUTPUT}: icon group, version record, manifest and language as expected")
