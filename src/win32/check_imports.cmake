# Checks that a program imports only DLLs that every Windows installation has, so that it runs
# from a bare folder with nothing beside it (no libstdc++, libgcc or winpthread DLLs), and that
# nothing it imports can be picked up from that folder instead of System32 before the program
# can restrict the search: every DLL named here is one of the system's known DLLs, or
# comctl32, which the manifest takes from the side-by-side store.
#
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P check_imports.cmake

cmake_minimum_required(VERSION 3.21)

set(allowed kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll comctl32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
  OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(imported "")
set(unexpected "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: *" "" name "${line}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" name)
  list(APPEND imported ${name})
  if(NOT name IN_LIST allowed)
    list(APPEND unexpected ${name})
  endif()
endforeach()

message(STATUS "${PROGRAM} imports: ${imported}")
if(NOT imported)
  message(FATAL_ERROR "no imports found: is ${PROGRAM} a Windows program?")
endif()
if(unexpected)
  message(FATAL_ERROR "imports beyond the system's DLLs: ${unexpected}")
endif()
