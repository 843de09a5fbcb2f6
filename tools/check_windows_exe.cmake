# Checks the built Tintora.exe: stripped size under 1 MiB, and nothing to load
# beside the DLLs every Windows system has (the C and C++ runtimes and
# winpthread are linked in).
#
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DEXE=Tintora.exe -P check_windows_exe.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP EXE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_windows_exe.cmake: -D${var}=... is required")
  endif()
endforeach()

set(failures "")
file(SIZE "${EXE}" size)
if(size GREATER_EQUAL 1048576)
  string(APPEND failures "\n  a size under 1 MiB (it has ${size} bytes)")
endif()

execute_process(COMMAND "${OBJDUMP}" -p -h "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
if(headers MATCHES " \\.debug_")
  string(APPEND failures "\n  no symbols or debug information")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
string(REPLACE "DLL Name: " "" imports "${imports}")
string(TOLOWER "${imports}" imports)
# ole32 starts COM for the screen-reader names (the Dynamic Annotation service).
set(system_dlls kernel32.dll user32.dll gdi32.dll comctl32.dll msvcrt.dll ole32.dll)
foreach(dll IN LISTS imports)
  if(NOT dll IN_LIST system_dlls)
    string(APPEND failures "\n  no DLL beside the system's (it imports ${dll})")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${EXE} lacks:${failures}")
endif()
message(STATUS "${EXE}: ${size} bytes, imports ${imports}")
